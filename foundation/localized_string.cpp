#include "foundation/localized_string.h"

#include "platform/win/language.h"

#include <utility>

BOOL IsJapaneseSystem() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE ? TRUE : FALSE; }

CString SelectLocalizedString(CString japanese, CString english)
{
    return IsJapaneseSystem() ? std::move(japanese) : std::move(english);
}

CString LoadLocalizedString(UINT japaneseId, UINT englishId)
{
    CString japanese;
    japanese.LoadString(japaneseId);
    CString english;
    english.LoadString(englishId);
    return SelectLocalizedString(std::move(japanese), std::move(english));
}

CString LoadLocalizedString(UINT japaneseId) { return LoadLocalizedString(japaneseId, japaneseId + 1); }
