// Any bytes as an ini file. The last line of the input (after the last '\n') names the section,
// key and value of one write, as "section|key|value"; the write changes no other key.
#include "platform/win/private_profile.h"
#include "platform/win/text.h"
#include "tests/fuzz/fuzz_support.h"

#include <string>
#include <utility>
#include <vector>

namespace {

struct Name {
    std::u16string section;
    std::u16string key;
};

// Sections and keys the way a reader of the file would guess them, enough to ask the engine for.
std::vector<Name> GuessNames(const std::string& text)
{
    std::vector<Name> names;
    std::u16string section;
    size_t start = 0;
    while (start < text.size() && names.size() < 32) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[' && line.find(']') != std::string::npos)
            section = Utf8ToUtf16(line.substr(1, line.find(']') - 1));
        else if (const size_t equals = line.find('='); equals != std::string::npos && equals > 0)
            names.push_back({section, Utf8ToUtf16(line.substr(0, equals))});
    }
    return names;
}

std::u16string Read(const Name& name, const std::u16string& path)
{
    std::u16string value(4096, u'\0');
    const DWORD length = GetPrivateProfileStringW(name.section.c_str(), name.key.c_str(), u"\u2400missing",
                                                  value.data(), static_cast<DWORD>(value.size()), path.c_str());
    value.resize(length);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.rfind('\n');
    const std::string file = split == std::string::npos ? std::string() : input.substr(0, split + 1);
    const std::string command = split == std::string::npos ? input : input.substr(split + 1);
    const size_t bar1 = command.find('|');
    const size_t bar2 = bar1 == std::string::npos ? std::string::npos : command.find('|', bar1 + 1);
    if (bar2 == std::string::npos)
        return 0;
    const Name target{Utf8ToUtf16(command.substr(0, bar1)), Utf8ToUtf16(command.substr(bar1 + 1, bar2 - bar1 - 1))};
    const std::u16string value = Utf8ToUtf16(command.substr(bar2 + 1));

    const std::u16string path = fuzz::WriteScratchFile("input.ini", reinterpret_cast<const uint8_t*>(file.data()),
                                                       file.size());
    std::vector<std::pair<Name, std::u16string>> before;
    for (const Name& name : GuessNames(file))
        before.emplace_back(name, Read(name, path));
    const std::u16string targetBefore = Read(target, path);

    if (!WritePrivateProfileStringW(target.section.c_str(), target.key.c_str(), value.c_str(), path.c_str()))
        return 0;
    const std::u16string written = Read(target, path);
    for (const auto& [name, old] : before) {
        const std::u16string now = Read(name, path);
        // A guessed name that the engine takes for the written key reads the new value.
        const bool sameKey = old == targetBefore && now == written;
        if (now != old && !sameKey)
            fuzz::Fail("an ini write changed another key");
    }
    return 0;
}
