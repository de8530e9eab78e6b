#include "platform/vfw/compressor_boxes.h"

#include "platform/afx/cdialog.h"
#include "platform/afx/ddx.h"
#include "platform/afx/dialog_template.h"
#include "platform/vfw/vcm.h"
#include "platform/win/language.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdio>
#include <jconfig.h>

#include <deque>
#include <string>

namespace vfw {

namespace {

bool IsJapanese() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE; }

LPCWSTR Pick(LPCWSTR japanese, LPCWSTR english) { return IsJapanese() ? japanese : english; }

enum class OptionKind { Choice, Switch, Number };

OptionKind KindOf(const CompressorOption& option)
{
    if (!option.choices.empty())
        return OptionKind::Choice;
    return (option.minimum == 0 && option.maximum == 1) ? OptionKind::Switch : OptionKind::Number;
}

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
constexpr LPCWSTR kDialogFont = u"ＭＳ Ｐゴシック";
constexpr short kBoxWidth = 226;
constexpr short kRowHeight = 20;
constexpr int IDC_DESCRIPTION = 1000, IDC_DEFAULTS = IDC_COMPRESSOR_DEFAULTS, IDC_LABEL = 1100, IDC_VALUE = 1200,
              IDC_SPIN = 1300, IDC_RANGE = 1400;

std::u16string Utf16(const char* text)
{
    std::u16string out;
    for (const char* p = text; p && *p; ++p)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    return out;
}

// A template built at run time; it keeps the texts its items point to.
class GeneratedTemplate {
public:
    LPCWSTR Keep(std::u16string text) { return m_texts.emplace_back(std::move(text)).c_str(); }
    void Add(int id, LPCWSTR cls, DWORD style, short x, short y, short cx, short cy, LPCWSTR text = u"")
    {
        m_items.push_back(DialogItemTemplate{id, cls, style | WS_VISIBLE, 0, x, y, cx, cy, text});
    }
    const DialogTemplate* Finish(LPCWSTR caption, short height)
    {
        m_template = DialogTemplate{0, kBoxStyle, 0, 0, 0, kBoxWidth, height, caption, kDialogFont, 9, m_items};
        return &m_template;
    }

private:
    std::deque<std::u16string> m_texts;
    std::vector<DialogItemTemplate> m_items;
    DialogTemplate m_template{};
};

class ConfigureBox : public CDialog {
public:
    ConfigureBox(CWnd* parent, const CompressorDescriptor& descriptor, std::vector<int32_t> values)
        : m_descriptor(descriptor), m_values(std::move(values))
    {
        InitModalIndirect(Build(), parent);
    }
    const std::vector<int32_t>& Values() const { return m_values; }

    DECLARE_MESSAGE_MAP()

protected:
    BOOL OnInitDialog() override
    {
        for (size_t i = 0; i < m_descriptor.options.size(); ++i) {
            const CompressorOption& option = m_descriptor.options[i];
            CWnd* value = GetDlgItem(IDC_VALUE + static_cast<int>(i));
            if (KindOf(option) == OptionKind::Choice)
                for (const char* choice : option.choices)
                    value->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_template.Keep(Utf16(choice))));
            else if (KindOf(option) == OptionKind::Number)
                GetDlgItem(IDC_SPIN + static_cast<int>(i))
                    ->SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(option.minimum), option.maximum);
        }
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        for (size_t i = 0; i < m_descriptor.options.size(); ++i) {
            const CompressorOption& option = m_descriptor.options[i];
            const int id = IDC_VALUE + static_cast<int>(i);
            int& value = m_values[i];
            switch (KindOf(option)) {
            case OptionKind::Choice: DDX_CBIndex(pDX, id, value); break;
            case OptionKind::Switch: DDX_Check(pDX, id, value); break;
            case OptionKind::Number:
                DDX_Text(pDX, id, value);
                DDV_MinMaxInt(pDX, value, option.minimum, option.maximum);
                break;
            }
        }
    }

    void OnDefaults()
    {
        for (size_t i = 0; i < m_descriptor.options.size(); ++i)
            m_values[i] = m_descriptor.options[i].defaultValue;
        UpdateData(FALSE);
    }

private:
    const DialogTemplate* Build()
    {
        GeneratedTemplate& t = m_template;
        t.Add(IDC_DESCRIPTION, u"STATIC", SS_NOPREFIX, 7, 7, kBoxWidth - 14, 8, m_descriptor.description);
        short y = 24;
        for (size_t i = 0; i < m_descriptor.options.size(); ++i, y += kRowHeight) {
            const CompressorOption& option = m_descriptor.options[i];
            const int n = static_cast<int>(i);
            const LPCWSTR label = IsJapanese() && option.japaneseLabel ? option.japaneseLabel : option.label;
            t.Add(IDC_LABEL + n, u"STATIC", SS_NOPREFIX, 7, static_cast<short>(y + 3), 96, 8,
                  t.Keep(std::u16string(label) + u":"));
            switch (KindOf(option)) {
            case OptionKind::Choice:
                t.Add(IDC_VALUE + n, u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 106, y, 80, 120);
                break;
            case OptionKind::Switch:
                t.Add(IDC_VALUE + n, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 106, static_cast<short>(y + 2), 80, 10);
                break;
            case OptionKind::Number: {
                t.Add(IDC_VALUE + n, u"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 106, y, 40, 14);
                t.Add(IDC_SPIN + n, u"msctls_updown32",
                      UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 146, y, 10,
                      14);
                char range[48];
                std::snprintf(range, sizeof range, "(%d-%d)", option.minimum, option.maximum);
                t.Add(IDC_RANGE + n, u"STATIC", SS_NOPREFIX, 150, static_cast<short>(y + 3), 60, 8,
                      t.Keep(Utf16(range)));
                break;
            }
            }
        }
        y += 6;
        t.Add(IDC_DEFAULTS, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 7, y, 60, 14, Pick(u"標準に戻す(&D)", u"&Defaults"));
        t.Add(IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 105, y, 55, 14, u"OK");
        t.Add(IDCANCEL, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 164, y, 55, 14, Pick(u"キャンセル", u"Cancel"));
        const std::u16string caption = std::u16string(m_descriptor.name) + (IsJapanese() ? u" の設定" : u" Settings");
        return t.Finish(t.Keep(caption), static_cast<short>(y + 21));
    }

    const CompressorDescriptor& m_descriptor;
    std::vector<int32_t> m_values;
    GeneratedTemplate m_template;
};

BEGIN_MESSAGE_MAP(ConfigureBox, CDialog)
    ON_BN_CLICKED(IDC_DEFAULTS, OnDefaults)
END_MESSAGE_MAP()

class AboutBox : public CDialog {
public:
    AboutBox(CWnd* parent, const CompressorDescriptor& descriptor) { InitModalIndirect(Build(descriptor), parent); }

private:
    const DialogTemplate* Build(const CompressorDescriptor& d)
    {
        GeneratedTemplate& t = m_template;
        const CompressorLibrary library = DescribeCompressorLibrary(d);
        const auto line = [&t](LPCWSTR japanese, LPCWSTR english, const CString& value) {
            return t.Keep(std::u16string(Pick(japanese, english)) + std::u16string(value.View()));
        };
        t.Add(IDC_STATIC, u"STATIC", SS_NOPREFIX, 7, 7, kBoxWidth - 14, 8,
              t.Keep(std::u16string(d.description) + u" (" + d.name + u")"));
        t.Add(IDC_STATIC, u"STATIC", SS_NOPREFIX, 7, 23, kBoxWidth - 14, 8,
              line(u"エンコーダ: ", u"Encoder: ", library.encoder));
        t.Add(IDC_STATIC, u"STATIC", SS_NOPREFIX, 7, 35, kBoxWidth - 14, 8,
              line(u"ライブラリ: ", u"Library: ", library.library));
        t.Add(IDC_STATIC, u"STATIC", SS_NOPREFIX, 7, 47, kBoxWidth - 14, 8,
              line(u"ライセンス: ", u"Licence: ", library.licence));
        t.Add(IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kBoxWidth - 62, 64, 55, 14, u"OK");
        const std::u16string caption = IsJapanese() ? std::u16string(d.name) + u" のバージョン情報"
                                                    : u"About " + std::u16string(d.name);
        return t.Finish(t.Keep(caption), 85);
    }

    GeneratedTemplate m_template;
};

CString FromLatin1(const char* text) { return CString(Utf16(text).c_str()); }

} // namespace

CompressorLibrary DescribeCompressorLibrary(const CompressorDescriptor& descriptor)
{
    CompressorLibrary about;
    char version[64];
    if (descriptor.engine == CompressorEngine::JpegBands) {
        const int v = LIBJPEG_TURBO_VERSION_NUMBER;
        std::snprintf(version, sizeof version, "libjpeg-turbo %d.%d.%d", v / 1000000, v / 1000 % 1000, v % 1000);
        about.encoder = FromLatin1("baseline JPEG, in bands joined by restart markers");
        about.library = FromLatin1(version);
        about.licence = FromLatin1("IJG License, Modified (3-clause) BSD License, zlib License");
        return about;
    }
    const AVCodec* codec = descriptor.encoder ? avcodec_find_encoder_by_name(descriptor.encoder) : nullptr;
    const unsigned v = avcodec_version();
    std::snprintf(version, sizeof version, "libavcodec %u.%u.%u", v >> 16, (v >> 8) & 0xFF, v & 0xFF);
    about.encoder = FromLatin1(codec && codec->long_name ? codec->long_name
                                                         : (descriptor.encoder ? descriptor.encoder : ""));
    about.library = FromLatin1(version);
    about.licence = FromLatin1(avcodec_license());
    return about;
}

int CompressorOptionControlId(size_t option) { return IDC_VALUE + static_cast<int>(option); }

bool ShowCompressorConfigureBox(HWND parent, const CompressorDescriptor& descriptor, std::vector<int32_t>& values)
{
    if (values.size() != descriptor.options.size())
        return false;
    ConfigureBox box(parent ? CWnd::FromHandle(parent) : nullptr, descriptor, values);
    if (box.DoModal() != IDOK)
        return false;
    values = box.Values();
    return true;
}

void ShowCompressorAboutBox(HWND parent, const CompressorDescriptor& descriptor)
{
    AboutBox box(parent ? CWnd::FromHandle(parent) : nullptr, descriptor);
    box.DoModal();
}

void InstallCompressorBoxes()
{
    SetCompressorBoxes(
        [](void* parent, const CompressorDescriptor& d, std::vector<int32_t>& values) {
            return ShowCompressorConfigureBox(static_cast<HWND>(parent), d, values);
        },
        [](void* parent, const CompressorDescriptor& d) { ShowCompressorAboutBox(static_cast<HWND>(parent), d); });
}

} // namespace vfw
