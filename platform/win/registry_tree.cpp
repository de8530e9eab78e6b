#include "platform/win/registry_tree.h"

#include "platform/win/ascii_case.h"
#include "platform/win/text.h"

#include <algorithm>
#include <cstdio>

namespace win {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
// A file that lacks this last line was cut short.
constexpr std::string_view kTrailer = "; end";
constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER";
constexpr size_t kBytesPerLine = 25;

bool HasControlCharacter(std::u16string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; });
}

std::u16string ParentPath(std::u16string_view path)
{
    const size_t cut = path.rfind(u'\\');
    return cut == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, cut));
}

std::u16string UnitsOf(const std::vector<BYTE>& data)
{
    std::u16string units(data.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

std::vector<BYTE> BytesOfString(std::u16string_view text)
{
    std::vector<BYTE> data;
    data.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        data.push_back(static_cast<BYTE>(c & 0xFF));
        data.push_back(static_cast<BYTE>(c >> 8));
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

bool HasUnpairedSurrogate(std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return true;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

// A REG_SZ value is written as quoted text only when that text reads back to the same bytes.
std::optional<std::u16string> QuotableString(const RegistryValue& value)
{
    if (value.type != REG_SZ || value.data.size() < 2 || value.data.size() % 2 != 0)
        return std::nullopt;
    std::u16string units = UnitsOf(value.data);
    if (units.back() != u'\0')
        return std::nullopt;
    units.pop_back();
    if (units.find(u'\0') != std::u16string::npos || HasControlCharacter(units) || HasUnpairedSurrogate(units))
        return std::nullopt;
    return units;
}

void AppendQuoted(std::string& out, std::u16string_view text)
{
    out.push_back('"');
    for (char c : Utf16ToUtf8(text)) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendHex(std::string& out, const RegistryValue& value)
{
    char buffer[16];
    if (value.type == REG_BINARY) {
        out += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
        out += buffer;
    }
    for (size_t i = 0; i < value.data.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
            if (i % kBytesPerLine == 0)
                out += "\\\n  ";
        }
        std::snprintf(buffer, sizeof buffer, "%02x", value.data[i]);
        out += buffer;
    }
}

void AppendValue(std::string& out, const RegistryValue& value)
{
    if (value.name.empty())
        out.push_back('@');
    else
        AppendQuoted(out, value.name);
    out.push_back('=');
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const DWORD number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                             (static_cast<DWORD>(value.data[3]) << 24);
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(number));
        out += buffer;
    } else if (auto text = QuotableString(value)) {
        AppendQuoted(out, *text);
    } else {
        AppendHex(out, value);
    }
    out.push_back('\n');
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string at text[pos] (at the opening quote); pos ends after the closing quote.
std::optional<std::u16string> ParseQuoted(std::string_view text, size_t& pos)
{
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string raw;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return Utf8ToUtf16(raw);
        }
        if (c == '\\') {
            if (++pos >= text.size() || (text[pos] != '\\' && text[pos] != '"'))
                return std::nullopt;
        }
        raw.push_back(text[pos]);
    }
    return std::nullopt;
}

std::optional<std::vector<BYTE>> ParseHexBytes(std::string_view list)
{
    std::vector<BYTE> bytes;
    if (list.empty())
        return bytes;
    size_t pos = 0;
    while (true) {
        if (pos + 2 > list.size())
            return std::nullopt;
        const int high = HexDigit(list[pos]);
        const int low = HexDigit(list[pos + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
        pos += 2;
        if (pos == list.size())
            return bytes;
        if (list[pos] != ',')
            return std::nullopt;
        ++pos;
    }
}

// A key line "[HKEY_CURRENT_USER\\...]": the key's path, or nothing when the line names no key of ours.
std::optional<std::u16string> KeyPathOf(std::string_view line)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    std::u16string path = Utf8ToUtf16(line.substr(1, line.size() - 2));
    if (!IsValidRegistryPath(path) || FoldRegistryName(path.substr(0, kRoot.size())) != kRoot ||
        (path.size() > kRoot.size() && path[kRoot.size()] != u'\\'))
        return std::nullopt;
    return path;
}

class Parser {
public:
    enum class Mode { WholeFile, Salvage };
    Parser(std::string_view text, Mode mode) : m_text(text), m_mode(mode) {}

    std::optional<RegistryTree> Run()
    {
        std::string_view line;
        if (!NextLine(line) || line != kHeader)
            return std::nullopt;
        std::optional<std::u16string> current;
        while (NextLine(line)) {
            if (line == kTrailer)
                return AtEnd() ? std::optional<RegistryTree>(std::move(m_tree)) : std::nullopt;
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                current = KeyPathOf(line);
                if (!current)
                    return std::nullopt;
                m_tree.CreateKey(*current);
                continue;
            }
            if (!current || !ParseValueLine(*current, line))
                return std::nullopt;
        }
        return std::nullopt;
    }

    // Line by line: what does not read is counted and left out. Values below a key line that
    // does not read are left out too, as no one can tell whose they are.
    SalvagedRegistry Salvage()
    {
        SalvagedRegistry salvaged;
        std::string_view line;
        std::optional<std::u16string> current;
        for (bool first = true; NextLine(line); first = false) {
            const size_t start = m_lines;
            if ((first && line == kHeader) || line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                current = KeyPathOf(line);
                if (current)
                    m_tree.CreateKey(*current);
                else
                    ++salvaged.droppedLines;
                continue;
            }
            if (!current || !ParseValueLine(*current, line))
                salvaged.droppedLines += m_lines - start + 1;
        }
        salvaged.tree = std::move(m_tree);
        return salvaged;
    }

private:
    bool AtEnd() const { return m_pos == m_text.size(); }

    bool NextLine(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        size_t end = m_text.find('\n', m_pos);
        m_lastLineCut = end == std::string_view::npos;
        if (m_lastLineCut) {
            if (m_mode == Mode::WholeFile)
                return false; // every line of a whole file ends with a newline
            end = m_text.size();
        }
        line = m_text.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = std::min(end + 1, m_text.size());
        ++m_lines;
        return true;
    }

    // A salvaged hex list goes on only on an indented line, so that a key line behind a cut is
    // never taken for data.
    bool ContinuationFollows() const
    {
        return m_mode == Mode::WholeFile || (m_pos < m_text.size() && m_text[m_pos] == ' ');
    }

    bool ParseValueLine(const std::u16string& path, std::string_view line)
    {
        RegistryValue value;
        size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto name = ParseQuoted(line, pos);
            if (!name || name->empty() || !IsValidValueName(*name))
                return false;
            value.name = std::move(*name);
        }
        if (pos >= line.size() || line[pos] != '=')
            return false;
        std::string_view data = line.substr(pos + 1);
        if (!ParseData(data, value))
            return false;
        m_tree.SetValue(path, value);
        return true;
    }

    bool ParseData(std::string_view data, RegistryValue& value)
    {
        if (!data.empty() && data.front() == '"') {
            size_t pos = 0;
            auto text = ParseQuoted(data, pos);
            if (!text || pos != data.size())
                return false;
            value.type = REG_SZ;
            value.data = BytesOfString(*text);
            return true;
        }
        if (data.starts_with("dword:")) {
            data.remove_prefix(6);
            if (data.size() != 8)
                return false;
            DWORD number = 0;
            for (char c : data) {
                const int digit = HexDigit(c);
                if (digit < 0)
                    return false;
                number = number * 16 + static_cast<DWORD>(digit);
            }
            value.type = REG_DWORD;
            value.data = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                          static_cast<BYTE>(number >> 24)};
            return true;
        }
        if (data.starts_with("hex:")) {
            value.type = REG_BINARY;
            data.remove_prefix(4);
        } else if (data.starts_with("hex(")) {
            const size_t close = data.find("):");
            if (close == std::string_view::npos || close == 4 || close > 12)
                return false;
            DWORD type = 0;
            for (char c : data.substr(4, close - 4)) {
                const int digit = HexDigit(c);
                if (digit < 0)
                    return false;
                type = type * 16 + static_cast<DWORD>(digit);
            }
            value.type = type;
            data.remove_prefix(close + 2);
        } else {
            return false;
        }
        std::string list(data);
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            std::string_view next;
            if (!ContinuationFollows() || !NextLine(next))
                return false;
            const size_t first = next.find_first_not_of(' ');
            if (first != std::string_view::npos)
                list.append(next.substr(first));
        }
        // A list that runs into the end of a cut file may have lost bytes.
        auto bytes = m_lastLineCut ? std::nullopt : ParseHexBytes(list);
        if (!bytes)
            return false;
        value.data = std::move(*bytes);
        return true;
    }

    std::string_view m_text;
    Mode m_mode;
    size_t m_pos = 0;
    size_t m_lines = 0; // read so far
    bool m_lastLineCut = false; // the last line read had no newline
    RegistryTree m_tree;
};

} // namespace

std::u16string FoldRegistryName(std::u16string_view name)
{
    std::u16string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), AsciiUpper<char16_t>);
    return folded;
}

bool IsValidRegistryPath(std::u16string_view path)
{
    if (path.empty() || HasControlCharacter(path) || path.front() == u'\\' || path.back() == u'\\')
        return false;
    return path.find(u"\\\\") == std::u16string_view::npos;
}

bool IsValidValueName(std::u16string_view name) { return !HasControlCharacter(name); }

const RegistryValue* RegistryKey::FindValue(std::u16string_view name) const
{
    const std::u16string folded = FoldRegistryName(name);
    for (const RegistryValue& value : values) {
        if (FoldRegistryName(value.name) == folded)
            return &value;
    }
    return nullptr;
}

const RegistryKey* RegistryTree::FindKey(std::u16string_view path) const
{
    const auto it = m_keys.find(FoldRegistryName(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool RegistryTree::CreateKey(std::u16string_view path)
{
    const std::u16string folded = FoldRegistryName(path);
    if (m_keys.contains(folded))
        return false;
    const std::u16string parent = ParentPath(path);
    std::u16string spelt(path);
    if (!parent.empty()) {
        CreateKey(parent);
        // Keep the spelling of the levels that existed already.
        spelt = FindKey(parent)->path + spelt.substr(parent.size());
    }
    m_keys.emplace(folded, RegistryKey{std::move(spelt), {}});
    return true;
}

bool RegistryTree::SetValue(std::u16string_view path, const RegistryValue& value)
{
    CreateKey(path);
    RegistryKey& key = m_keys.find(FoldRegistryName(path))->second;
    const std::u16string folded = FoldRegistryName(value.name);
    for (RegistryValue& existing : key.values) {
        if (FoldRegistryName(existing.name) == folded) {
            if (existing.type == value.type && existing.data == value.data)
                return false;
            existing.type = value.type;
            existing.data = value.data;
            return true;
        }
    }
    key.values.push_back(value);
    return true;
}

DWORD RegistryTree::CountSubKeys(std::u16string_view path) const
{
    const std::u16string prefix = FoldRegistryName(path) + u'\\';
    DWORD count = 0;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && it->first.starts_with(prefix); ++it) {
        if (it->first.find(u'\\', prefix.size()) == std::u16string::npos)
            ++count;
    }
    return count;
}

std::string SerializeRegistry(const RegistryTree& tree)
{
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& [folded, key] : tree.Keys()) {
        out.push_back('[');
        out += Utf16ToUtf8(key.path);
        out += "]\n";
        for (const RegistryValue& value : key.values)
            AppendValue(out, value);
        out.push_back('\n');
    }
    out += kTrailer;
    out.push_back('\n');
    return out;
}

std::optional<RegistryTree> ParseRegistry(std::string_view text) { return Parser(text, Parser::Mode::WholeFile).Run(); }

SalvagedRegistry SalvageRegistry(std::string_view text) { return Parser(text, Parser::Mode::Salvage).Salvage(); }

} // namespace win
