#include "foundation/localized_string.h"
#include "foundation/status_text.h"

#include "tests/support/cstring_printer.h"
#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>

TEST(LocalizedString, OnlyJapaneseLocalesSelectJapanese)
{
    struct Case {
        const char* lang;
        BOOL japanese;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8", TRUE}, {"en_US.UTF-8", FALSE}, {"zh_CN.UTF-8", FALSE}, {"ko_KR.UTF-8", FALSE}, {"C", FALSE},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.lang);
        EXPECT_EQ(IsJapaneseSystem(), c.japanese) << c.lang;
        EXPECT_EQ(SelectLocalizedString(u"日本語", u"English"), CString(c.japanese ? u"日本語" : u"English")) << c.lang;
    }
}

TEST(LocalizedString, AskedAgainOnEveryCall)
{
    ScopedLocale outer(kEnglishLocale);
    EXPECT_EQ(LoadLocalizedString(43041, 43042), CString(u"[Pause]"));
    {
        ScopedLocale inner(kJapaneseLocale);
        EXPECT_EQ(LoadLocalizedString(43041, 43042), CString(u"【一時停止中】"));
    }
    EXPECT_EQ(LoadLocalizedString(43041, 43042), CString(u"[Pause]"));
}

TEST(LocalizedString, MissingEntryIsEmptyInItsLanguageOnly)
{
    {
        ScopedLocale locale(kJapaneseLocale);
        EXPECT_TRUE(LoadLocalizedString(1, 43042).IsEmpty());
    }
    ScopedLocale locale(kEnglishLocale);
    EXPECT_EQ(LoadLocalizedString(1, 43042), CString(u"[Pause]"));
    EXPECT_TRUE(LoadLocalizedString(43041, 1).IsEmpty());
}

TEST(StatusText, BothLanguages)
{
    struct Case {
        CString (*text)();
        const char16_t* japanese;
        const char16_t* english;
    };
    const Case cases[] = {
        {GetPauseStatusText, u"【一時停止中】", u"[Pause]"},
        {GetStopStatusText, u"【停止中】", u"[Stop]"},
        {GetMakeStatusText, u"【作成中】", u"[Make]"},
        {GetFirstPassStatusText, u"【1パス目】", u"[1Pass]"},
        {GetPlayStatusText, u"【再生中】", u"[Play]"},
        {GetStopPromptText, u"停止しますか？", u"Stop?"},
        {GetSlashText, u"／", u"/"},
        {GetStandardToolbarText, u" 標準", u"Default"},
        {GetCustomizeText, u"カスタマイズ", u" Customize"},
    };
    for (const Case& c : cases) {
        {
            ScopedLocale locale(kJapaneseLocale);
            EXPECT_EQ(c.text(), CString(c.japanese));
        }
        ScopedLocale locale(kEnglishLocale);
        EXPECT_EQ(c.text(), CString(c.english));
    }
}

TEST(StatusText, SavedMessageTakesThePathAsArgument)
{
    const CString path(u"/home/user/movies/100%s %d.avi");
    {
        ScopedLocale locale(kEnglishLocale);
        EXPECT_EQ(FormatSavedMessage(path), CString(u"It preserved it in the following files. \n") + path);
    }
    ScopedLocale locale(kJapaneseLocale);
    EXPECT_EQ(FormatSavedMessage(path), CString(u"以下のファイルに保存しました。\n") + path);
}
