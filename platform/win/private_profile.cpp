#include "platform/win/private_profile.h"

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

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameName(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

QString FileNameOf(LPCWSTR fileName) { return QString::fromStdString(Utf16ToUtf8(fileName)); }

struct IniFile {
    std::vector<std::u16string> lines;
    bool crlf = false;
};

enum class ReadResult { Read, Missing, Unreadable };

std::u16string Decode(const QByteArray& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return text;
    }
    std::string_view utf8(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    return Utf8ToUtf16(utf8);
}

ReadResult ReadIni(const QString& fileName, IniFile& ini)
{
    QFile file(fileName);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return ReadResult::Unreadable;
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes || file.error() != QFileDevice::NoError)
        return ReadResult::Unreadable;
    const std::u16string text = Decode(bytes);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') {
            line.pop_back();
            if (ini.lines.empty())
                ini.crlf = true;
        }
        ini.lines.push_back(std::move(line));
        start = end + 1;
    }
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
        if (auto name = SectionOf(ini.lines[i])) {
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
        if (!Trim(ini.lines[i]).empty())
            where.sectionEnd = i + 1;
        if (auto entry = KeyOf(ini.lines[i]); entry && !where.key && SameName(entry->key, key))
            where.key = i;
    }
    return where;
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
    const auto value = KeyOf(ini.lines[*where.key])->value;
    if (!value)
        return std::nullopt;
    std::u16string_view text = *value;
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return std::u16string(text);
}

bool HasLineBreak(std::u16string_view text)
{
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
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
    while (!ini.lines.empty() && Trim(ini.lines.back()).empty())
        ini.lines.pop_back();

    const Location where = Find(ini, sectionName, keyName);
    if (where.key) {
        const std::u16string_view existing = KeyOf(ini.lines[*where.key])->key;
        ini.lines[*where.key] = std::u16string(existing) + u'=' + std::u16string(text);
    } else if (where.section) {
        ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd),
                         std::u16string(keyName) + u'=' + std::u16string(text));
    } else {
        if (!ini.lines.empty())
            ini.lines.emplace_back();
        ini.lines.push_back(u"[" + std::u16string(sectionName) + u"]");
        ini.lines.push_back(std::u16string(keyName) + u'=' + std::u16string(text));
    }

    std::string bytes;
    for (const std::u16string& line : ini.lines) {
        bytes += Utf16ToUtf8(line);
        bytes += ini.crlf ? "\r\n" : "\n";
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
