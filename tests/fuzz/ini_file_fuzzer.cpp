// Any bytes as an ini file, and one write into it. The input's first line names the write as
// "section|key|value"; everything after it, which may end in anything, is the file. A write that
// reports success reads back what it wrote and changes no other key; a refused one changes no byte.
#include "platform/win/ascii_case.h"
#include "platform/win/private_profile.h"
#include "platform/win/text.h"
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Name {
    std::u16string section;
    std::u16string key;
};

// The text a caller's string holds: it ends at the first NUL.
std::u16string AsPassed(std::u16string text)
{
    text.resize(std::min(text.size(), text.find(u'\0')));
    return text;
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    return text;
}

bool SameEntry(const Name& a, const Name& b)
{
    return EqualsIgnoringAsciiCase(TrimBlanks(a.section), TrimBlanks(b.section)) &&
           EqualsIgnoringAsciiCase(TrimBlanks(a.key), TrimBlanks(b.key));
}

std::u16string DecodeFile(const std::string& file)
{
    if (file.size() < 2 || file[0] != '\xFF' || file[1] != '\xFE')
        return Utf8ToUtf16(file);
    std::u16string text;
    for (size_t at = 2; at + 1 < file.size(); at += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(file[at]) |
                                             static_cast<unsigned char>(file[at + 1]) << 8));
    return text;
}

// Sections and keys the way a reader of the file would guess them, enough to ask the engine for.
std::vector<Name> GuessNames(const std::u16string& text)
{
    std::vector<Name> names;
    std::u16string section;
    size_t start = 0;
    while (start < text.size() && names.size() < 32) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        const std::u16string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == u';')
            continue;
        if (trimmed.front() == u'[' && trimmed.find(u']') != std::u16string_view::npos)
            section = AsPassed(std::u16string(trimmed.substr(1, trimmed.rfind(u']') - 1)));
        else
            names.push_back({section, AsPassed(std::u16string(trimmed.substr(0, trimmed.find(u'='))))});
    }
    return names;
}

std::u16string Read(const Name& name, const std::u16string& path, size_t room)
{
    std::u16string value(room, u'\0');
    const DWORD length = GetPrivateProfileStringW(name.section.c_str(), name.key.c_str(), u"\u2400missing",
                                                  value.data(), static_cast<DWORD>(value.size()), path.c_str());
    value.resize(length);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\n');
    if (split == std::string::npos)
        return 0;
    const std::string command = input.substr(0, split);
    const std::string file = input.substr(split + 1);
    const size_t bar1 = command.find('|');
    const size_t bar2 = bar1 == std::string::npos ? std::string::npos : command.find('|', bar1 + 1);
    if (bar2 == std::string::npos)
        return 0;
    const Name target{AsPassed(Utf8ToUtf16(command.substr(0, bar1))),
                      AsPassed(Utf8ToUtf16(command.substr(bar1 + 1, bar2 - bar1 - 1)))};
    const std::u16string value = AsPassed(Utf8ToUtf16(command.substr(bar2 + 1)));
    // Room for any value of the file, so nothing read is cut.
    const size_t room = file.size() + value.size() + 16;

    const std::u16string path = fuzz::WriteScratchFile("input.ini", reinterpret_cast<const uint8_t*>(file.data()),
                                                       file.size());
    std::vector<std::pair<Name, std::u16string>> before;
    for (const Name& name : GuessNames(DecodeFile(file)))
        before.emplace_back(name, Read(name, path, room));

    if (!WritePrivateProfileStringW(target.section.c_str(), target.key.c_str(), value.c_str(), path.c_str())) {
        const std::vector<uint8_t> after = fuzz::ReadScratchFile("input.ini");
        fuzz::Check(std::equal(after.begin(), after.end(), file.begin(), file.end(),
                               [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }),
                    "a refused ini write left the file as it was");
        return 0;
    }
    const std::u16string written = Read(target, path, room);
    fuzz::Check(written == value, "an ini write reads back what it wrote");
    for (const auto& [name, old] : before) {
        const std::u16string now = Read(name, path, room);
        if (SameEntry(name, target))
            fuzz::Check(now == written, "every spelling of the written key reads the new value");
        else
            fuzz::Check(now == old, "an ini write changed another key");
    }
    return 0;
}
