#include "platform/win/private_profile.h"

#include "platform/win/ascii_case.h"
#include "platform/win/error_codes.h"
#include "platform/win/text.h"

#include <QFile>
#include <QSaveFile>
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
    struct Line {
        qsizetype begin = 0;
        qsizetype contentEnd = 0; // before the line end ("\n" or "\r\n")
        qsizetype next = 0; // where the next line begins
        bool terminated = false;
        std::u16string text;
    };
    QByteArray bytes;
    bool utf16 = false;
    bool crlf = false;
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

    QByteArray LineEnd() const { return Encode(crlf ? u"\r\n" : u"\n"); }
};

enum class ReadResult { Read, Missing, Unreadable };

void SplitLines(IniFile& ini)
{
    const qsizetype unit = ini.UnitBytes();
    const qsizetype size = ini.bytes.size() - ini.bytes.size() % unit;
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
        line.terminated = end < size;
        line.next = line.terminated ? end + unit : ini.bytes.size();
        line.contentEnd = end;
        if (line.terminated && end > at && ini.UnitAt(end - unit) == u'\r') {
            line.contentEnd = end - unit;
            if (ini.lines.empty())
                ini.crlf = true;
        }
        line.text = ini.Decode(line.begin, line.contentEnd);
        ini.lines.push_back(std::move(line));
        at = end + unit;
    }
}

ReadResult ReadIni(const QString& fileName, IniFile& ini)
{
    QFile file(fileName);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return ReadResult::Unreadable;
    // One byte more than the size seen, so a file that grew past the bound is still caught.
    ini.bytes = file.read(std::min(file.size(), kMaxFileBytes) + 1);
    if (ini.bytes.size() > kMaxFileBytes || file.error() != QFileDevice::NoError)
        return ReadResult::Unreadable;
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
    const std::u16string_view text = Trim(value);
    if (sectionName.empty() || keyName.empty() || HasLineBreak(sectionName) || HasLineBreak(keyName) ||
        HasLineBreak(text) || sectionName.find(u']') != std::u16string_view::npos ||
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

    // A read takes one pair of enclosing quotes off: a value that has them of its own gets another
    // pair, so it reads back as written.
    const std::u16string stored = IsQuoted(text) ? text.front() + std::u16string(text) + text.front()
                                                 : std::u16string(text);
    const std::u16string entry = std::u16string(keyName) + u'=' + stored;
    QByteArray& bytes = ini.bytes;
    const Location where = Find(ini, sectionName, keyName);
    if (where.key) {
        const IniFile::Line& line = ini.lines[*where.key];
        const std::u16string existing(KeyOf(line.text)->key);
        bytes.replace(line.begin, line.contentEnd - line.begin, ini.Encode(existing + u'=' + stored));
    } else if (where.section) {
        const IniFile::Line& last = ini.lines[where.sectionEnd - 1];
        QByteArray added = last.terminated ? QByteArray() : ini.LineEnd();
        added += ini.Encode(entry) + ini.LineEnd();
        bytes.insert(last.next, added);
    } else {
        QByteArray added;
        if (!ini.lines.empty() && !ini.lines.back().terminated)
            added += ini.LineEnd();
        if (!ini.lines.empty() && !Trim(ini.lines.back().text).empty())
            added += ini.LineEnd();
        added += ini.Encode(u"[" + std::u16string(sectionName) + u"]") + ini.LineEnd();
        added += ini.Encode(entry) + ini.LineEnd();
        bytes += added;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
