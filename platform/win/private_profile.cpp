#include "platform/win/private_profile.h"

#include "platform/win/ascii_case.h"
#include "platform/win/error_codes.h"
#include "platform/win/text.h"
#include "platform/win/whole_file.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// Far beyond any real ini file; a bigger one is treated as unreadable.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringAsciiCase(a, b); }

QString FileNameOf(LPCWSTR fileName) { return QString::fromStdString(Utf16ToUtf8(fileName)); }

// The file as it is on disk, with each line's place in it. Lines are decoded only to be matched;
// a write splices new bytes in and copies every other byte as it was, so keys it does not touch
// keep their encoding, escapes and line ends exactly.
struct IniFile {
    // A line ends in "\n" or "\r\n"; the last line may end in a lone "\r" (read as a line end, so
    // what it ends means the same once a write completes it) or in nothing.
    enum class Ending { Newline, LoneCarriageReturn, None };
    struct Line {
        qsizetype begin = 0;
        qsizetype contentEnd = 0; // before the line end
        qsizetype next = 0; // where the next line begins
        Ending ending = Ending::Newline;
        std::u16string text;
    };
    QByteArray bytes;
    bool utf16 = false;
    bool crlf = false;
    // The end of the last whole character: a UTF-16 file of an odd size keeps its last byte
    // behind everything written.
    qsizetype unitsEnd = 0;
    std::vector<Line> lines;

    qsizetype UnitBytes() const { return utf16 ? 2 : 1; }

    char16_t UnitAt(qsizetype at) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
        return utf16 ? static_cast<char16_t>(p[0] | p[1] << 8) : static_cast<char16_t>(p[0]);
    }

    std::u16string Decode(qsizetype begin, qsizetype end) const
    {
        if (!utf16)
            return Utf8ToUtf16(std::string_view(bytes.constData() + begin, static_cast<size_t>(end - begin)));
        std::u16string text;
        for (qsizetype at = begin; at + 1 < end; at += 2)
            text.push_back(UnitAt(at));
        return text;
    }

    QByteArray Encode(std::u16string_view text) const
    {
        if (!utf16)
            return QByteArray::fromStdString(Utf16ToUtf8(text));
        QByteArray out;
        out.reserve(static_cast<qsizetype>(text.size() * 2));
        for (char16_t c : text) {
            out.append(static_cast<char>(c & 0xFF));
            out.append(static_cast<char>(c >> 8));
        }
        return out;
    }

    // Text whose characters this file's encoding cannot store would read back as something else.
    bool Holds(std::u16string_view text) const
    {
        const QByteArray encoded = Encode(text);
        if (utf16)
            return true;
        return Utf8ToUtf16(std::string_view(encoded.constData(), static_cast<size_t>(encoded.size()))) == text;
    }

    QByteArray LineEnd() const { return Encode(crlf ? u"\r\n" : u"\n"); }

    // What new lines written behind this line need first, so that it keeps its meaning.
    QByteArray EndOf(const Line& line) const
    {
        switch (line.ending) {
        case Ending::Newline: return {};
        case Ending::LoneCarriageReturn: return Encode(u"\n");
        case Ending::None: break;
        }
        return LineEnd();
    }
};

enum class ReadResult { Read, Missing, Unreadable };

void SplitLines(IniFile& ini)
{
    const qsizetype unit = ini.UnitBytes();
    const qsizetype size = ini.bytes.size() - ini.bytes.size() % unit;
    ini.unitsEnd = size;
    qsizetype at = 0;
    if (ini.utf16)
        at = 2;
    else if (ini.bytes.startsWith("\xEF\xBB\xBF"))
        at = 3;
    while (at < size) {
        IniFile::Line line;
        line.begin = at;
        qsizetype end = at;
        while (end < size && ini.UnitAt(end) != u'\n')
            end += unit;
        const bool terminated = end < size;
        line.next = terminated ? end + unit : size;
        line.contentEnd = end;
        const bool carriageReturn = end > at && ini.UnitAt(end - unit) == u'\r';
        if (carriageReturn)
            line.contentEnd = end - unit;
        if (terminated)
            line.ending = IniFile::Ending::Newline;
        else
            line.ending = carriageReturn ? IniFile::Ending::LoneCarriageReturn : IniFile::Ending::None;
        if (carriageReturn && ini.lines.empty())
            ini.crlf = true;
        line.text = ini.Decode(line.begin, line.contentEnd);
        ini.lines.push_back(std::move(line));
        at = end + unit;
    }
}

ReadResult ReadIni(const QString& fileName, IniFile& ini)
{
    std::string bytes;
    switch (win::ReadWholeRegularFile(fileName.toStdString(), kMaxFileBytes, bytes)) {
    case win::WholeFileRead::Read: break;
    case win::WholeFileRead::Missing: return ReadResult::Missing;
    case win::WholeFileRead::NotRegular:
    case win::WholeFileRead::TooLarge:
    case win::WholeFileRead::Failed: return ReadResult::Unreadable;
    }
    ini.bytes = QByteArray::fromStdString(bytes);
    ini.utf16 = ini.bytes.size() >= 2 && static_cast<unsigned char>(ini.bytes[0]) == 0xFF &&
                static_cast<unsigned char>(ini.bytes[1]) == 0xFE;
    SplitLines(ini);
    return ReadResult::Read;
}

// The name of a section header line, or nothing for any other line.
std::optional<std::u16string_view> SectionOf(std::u16string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != u'[')
        return std::nullopt;
    const size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::u16string_view key;
    std::optional<std::u16string_view> value; // none when the line has no '='
};

std::optional<KeyLine> KeyOf(std::u16string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() == u';' || line.front() == u'[')
        return std::nullopt;
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos)
        return KeyLine{line, std::nullopt};
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

struct Location {
    std::optional<size_t> section; // header line
    std::optional<size_t> key;
    size_t sectionEnd = 0; // one past the section's last non-blank line
};

Location Find(const IniFile& ini, std::u16string_view section, std::u16string_view key)
{
    Location where;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        if (auto name = SectionOf(ini.lines[i].text)) {
            if (where.section)
                break;
            if (SameName(*name, section)) {
                where.section = i;
                where.sectionEnd = i + 1;
            }
            continue;
        }
        if (!where.section)
            continue;
        if (!Trim(ini.lines[i].text).empty())
            where.sectionEnd = i + 1;
        if (auto entry = KeyOf(ini.lines[i].text); entry && !where.key && SameName(entry->key, key))
            where.key = i;
    }
    return where;
}

// Enclosed in a pair of double or single quotes.
bool IsQuoted(std::u16string_view text)
{
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

std::optional<std::u16string> ReadValue(LPCWSTR section, LPCWSTR key, LPCWSTR fileName)
{
    if (!section || !key || !fileName)
        return std::nullopt;
    IniFile ini;
    if (ReadIni(FileNameOf(fileName), ini) != ReadResult::Read)
        return std::nullopt;
    const Location where = Find(ini, Trim(section), Trim(key));
    if (!where.key)
        return std::nullopt;
    const auto value = KeyOf(ini.lines[*where.key].text)->value;
    if (!value)
        return std::nullopt;
    std::u16string_view text = *value;
    if (IsQuoted(text))
        text = text.substr(1, text.size() - 2);
    return std::u16string(text);
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// The file's bytes with the key set to the text: its own line rewritten, or a new line behind the
// section's last one, or a new section at the end.
QByteArray WithEntry(const IniFile& ini, std::u16string_view section, std::u16string_view key, std::u16string_view text)
{
    QByteArray bytes = ini.bytes;
    const Location where = Find(ini, section, key);
    if (where.key) {
        const IniFile::Line& line = ini.lines[*where.key];
        const std::u16string existing(KeyOf(line.text)->key);
        bytes.replace(line.begin, line.contentEnd - line.begin, ini.Encode(existing + u'=' + std::u16string(text)));
        return bytes;
    }
    const QByteArray entry = ini.Encode(std::u16string(key) + u'=' + std::u16string(text)) + ini.LineEnd();
    if (where.section) {
        const IniFile::Line& last = ini.lines[where.sectionEnd - 1];
        bytes.insert(last.next, ini.EndOf(last) + entry);
        return bytes;
    }
    QByteArray added;
    if (!ini.lines.empty()) {
        added += ini.EndOf(ini.lines.back());
        if (!Trim(ini.lines.back().text).empty())
            added += ini.LineEnd();
    }
    added += ini.Encode(u"[" + std::u16string(section) + u"]") + ini.LineEnd() + entry;
    bytes.insert(ini.unitsEnd, added);
    return bytes;
}

} // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR out, DWORD size,
                               LPCWSTR fileName)
{
    if (!out || size == 0)
        return 0;
    std::u16string text;
    if (auto value = ReadValue(section, key, fileName)) {
        text = std::move(*value);
    } else {
        std::u16string_view fallback = defaultValue ? std::u16string_view(defaultValue) : std::u16string_view();
        while (!fallback.empty() && fallback.back() == u' ')
            fallback.remove_suffix(1);
        text = fallback;
    }
    const size_t copied = std::min<size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), copied, out);
    out[copied] = u'\0';
    return static_cast<DWORD>(copied);
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName)
{
    const auto value = ReadValue(section, key, fileName);
    if (!value || value->empty())
        return static_cast<UINT>(defaultValue);
    size_t pos = 0;
    bool negative = false;
    if ((*value)[pos] == u'-' || (*value)[pos] == u'+')
        negative = (*value)[pos++] == u'-';
    UINT number = 0;
    for (; pos < value->size() && (*value)[pos] >= u'0' && (*value)[pos] <= u'9'; ++pos)
        number = number * 10u + static_cast<UINT>((*value)[pos] - u'0');
    return negative ? 0u - number : number;
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName)
{
    if (!section || !key || !value || !fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::u16string_view sectionName = Trim(section);
    const std::u16string_view keyName = Trim(key);
    const std::u16string_view whole(value);
    const std::u16string_view text = Trim(whole);
    if (sectionName.empty() || keyName.empty() || HasLineBreak(sectionName) || HasLineBreak(keyName) ||
        HasLineBreak(whole) || sectionName.find(u']') != std::u16string_view::npos ||
        keyName.find(u'=') != std::u16string_view::npos || keyName.front() == u'[' || keyName.front() == u';') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    const QString path = FileNameOf(fileName);
    IniFile ini;
    if (ReadIni(path, ini) == ReadResult::Unreadable) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // A read cuts blanks at either end and takes one pair of enclosing quotes off: a value with
    // blanks there or quotes of its own gets a pair of quotes, so it reads back as written.
    const bool readsAsStored = text.size() == whole.size() && !IsQuoted(text);
    const std::u16string stored = readsAsStored ? std::u16string(whole) : u'"' + std::u16string(whole) + u'"';
    if (!ini.Holds(sectionName) || !ini.Holds(keyName) || !ini.Holds(stored)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const QByteArray bytes = WithEntry(ini, sectionName, keyName, stored);
    // A file this engine would no longer read must not be written.
    if (bytes.size() > kMaxFileBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    std::string error;
    if (!win::ReplaceWholeFile(path.toStdString(),
                               std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
