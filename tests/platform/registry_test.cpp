#include "platform/win/registry.h"
#include "platform/win/registry_store.h"
#include "tests/support/forked_call.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

using win::ParseRegistry;

namespace {

const std::string kProbe = REGISTRY_PROBE_PATH;
constexpr int kNoSuchKey = 3; // the probe's exit code for a key it cannot open

std::vector<BYTE> Utf16Bytes(std::u16string_view text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::string text;
    char buffer[3];
    for (BYTE b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x", b);
        text += buffer;
    }
    return text;
}

class RegistryTest : public ::testing::Test {
protected:
    HKEY Create(LPCWSTR path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS);
        return key;
    }

    static LONG SetDword(HKEY key, LPCWSTR name, DWORD value)
    {
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    static DWORD ReadDword(LPCWSTR path, LPCWSTR name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0xFFFFFFFF;
        DWORD value = 0xFFFFFFFF;
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            value = 0xFFFFFFFF;
        RegCloseKey(key);
        return value;
    }

    // name -> "type|hex" of every value of the key, as a fresh process sees them.
    static std::map<std::string, std::string> DumpInNewProcess(const std::string& key, bool mayBeMissing = false)
    {
        const ProcessResult result = RunProcess({kProbe, "dump", key});
        if (mayBeMissing && result.exitCode == kNoSuchKey)
            return {};
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::map<std::string, std::string> values;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);) {
            const size_t bar = line.find('|');
            values[line.substr(0, bar)] = line.substr(bar + 1);
        }
        return values;
    }

    TempConfigHome m_config;
};

} // namespace

TEST_F(RegistryTest, ValuesKeepTheirTypesInANewProcess)
{
    HKEY key = Create(u"Software\\Zarn\\AviVideoSettings");
    std::vector<BYTE> blob(5000);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<BYTE>(i % 251);
    const std::vector<BYTE> text = Utf16Bytes(u"DIB \"x\"\\y 動画");
    ASSERT_EQ(SetDword(key, u"handler", 0x20424944), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"AviCodec", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"text", 0, REG_SZ, text.data(), static_cast<DWORD>(text.size())), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"nothing", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    RegCloseKey(key);

    const auto values = DumpInNewProcess("Software\\Zarn\\AviVideoSettings");
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values.at("handler"), "4|44494220");
    EXPECT_EQ(values.at("AviCodec"), "3|" + Hex(blob));
    EXPECT_EQ(values.at("text"), "1|" + Hex(text));
    EXPECT_EQ(values.at("nothing"), "3|");
}

TEST_F(RegistryTest, KeyAndValueNamesIgnoreCase)
{
    HKEY key = Create(u"Software\\Zarn\\Torvina\\DATA");
    ASSERT_EQ(SetDword(key, u"WMV2PASS", 1), ERROR_SUCCESS);
    RegCloseKey(key);
    key = Create(u"SOFTWARE\\zarn\\TORVINA\\data");
    ASSERT_EQ(SetDword(key, u"wmv2pass", 0), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(ReadDword(u"software\\ZARN\\torvina\\Data", u"Wmv2Pass"), 0u);
    const auto values = DumpInNewProcess("Software\\Zarn\\Torvina\\DATA");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values.begin()->first, "WMV2PASS");
    EXPECT_NE(ReadFileText(m_config.RegistryFile()).find("[HKEY_CURRENT_USER\\Software\\Zarn\\Torvina\\DATA]"),
              std::string::npos);
}

TEST_F(RegistryTest, QueriesReportSizesAndMissingThings)
{
    HKEY key = Create(u"Software\\T");
    const std::vector<BYTE> data(10, 7);
    ASSERT_EQ(RegSetValueExW(key, u"b", 0, REG_BINARY, data.data(), 10), ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"b", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 10u);
    BYTE small[4] = {};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, u"b", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(RegQueryValueExW(key, u"missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &longestName,
                               &longestData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 1u);
    EXPECT_EQ(longestData, 10u);

    WCHAR name[8];
    DWORD nameLength = 8;
    EXPECT_EQ(RegEnumValueW(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(key, u"b", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);

    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\T\\none", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\\\T", &missing), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\line\nbreak", &missing), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, SeesWhatAnotherProcessWrote)
{
    HKEY key = Create(u"Software\\Shared");
    ASSERT_EQ(SetDword(key, u"n", 1), ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(u"Software\\Shared", u"n"), 1u);
    ASSERT_EQ(RunProcess({kProbe, "set-dword", "Software\\Shared", "n", "2"}).exitCode, 0);
    EXPECT_EQ(ReadDword(u"Software\\Shared", u"n"), 2u);
    // A write of ours merges with the other process's file instead of replacing it.
    ASSERT_EQ(RunProcess({kProbe, "set-dword", "Software\\Shared", "other", "5"}).exitCode, 0);
    ASSERT_EQ(SetDword(key, u"mine", 3), ERROR_SUCCESS);
    RegCloseKey(key);
    const auto values = DumpInNewProcess("Software\\Shared");
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(values.at("other"), "4|05000000");
}

TEST_F(RegistryTest, KilledWriterLeavesEveryValueOldOrNew)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int killAfter = 2 + attempt * 3;
        {
            ChildProcess writer({kProbe, "loop", "Software\\Loop", "100000"});
            std::string line;
            for (int round = 0; round < killAfter;) {
                ASSERT_TRUE(writer.ReadLine(line));
                round = std::stoi(line.substr(6));
            }
            writer.Kill(SIGKILL);
            EXPECT_EQ(writer.Wait(), -1);
        }
        const auto values = DumpInNewProcess("Software\\Loop");
        ASSERT_EQ(values.size(), 11u);
        std::vector<DWORD> rounds;
        for (int i = 0; i < 10; ++i) {
            const std::string dump = values.at("v" + std::to_string(i));
            ASSERT_EQ(dump.size(), 10u);
            const DWORD value = static_cast<DWORD>(std::stoul(dump.substr(2, 2), nullptr, 16) |
                                                   (std::stoul(dump.substr(4, 2), nullptr, 16) << 8));
            rounds.push_back(value);
        }
        const std::string blob = values.at("blob").substr(2);
        ASSERT_EQ(blob.size(), 6000u);
        EXPECT_EQ(blob.find_first_not_of(blob.substr(0, 2).c_str(), 0), std::string::npos) << "torn blob";
        const DWORD blobRound = static_cast<DWORD>(std::stoul(blob.substr(0, 2), nullptr, 16));
        EXPECT_TRUE(std::is_sorted(rounds.rbegin(), rounds.rend())) << "values written out of order";
        EXPECT_LE(rounds.front() - rounds.back(), 1u);
        EXPECT_GE(rounds.back(), static_cast<DWORD>(killAfter));
        EXPECT_TRUE(blobRound == (rounds.back() & 0xFF) || blobRound == ((rounds.back() - 1) & 0xFF));
        for (const std::string& name : ListFolder(m_config.Path() + "/torvina"))
            EXPECT_EQ(name.find("corrupt"), std::string::npos) << name;
    }
}

TEST_F(RegistryTest, ALockLeftEmptyByADeadWriterIsTakenOver)
{
    HKEY key = Create(u"Software\\Lock");
    RegCloseKey(key);
    const std::string lock = m_config.RegistryFile() + ".lock";
    WriteFileText(lock, "");
    const timespec old[2] = {{time(nullptr) - 60, 0}, {time(nullptr) - 60, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, lock.c_str(), old, 0), 0);
    ASSERT_EQ(RunProcess({kProbe, "set-dword", "Software\\Lock", "n", "4"}).exitCode, 0);
    EXPECT_EQ(ReadDword(u"Software\\Lock", u"n"), 4u);
}

TEST_F(RegistryTest, TwoWritersAtOnceLoseNothing)
{
    {
        ChildProcess first({kProbe, "distinct", "Software\\Both", "a", "150"});
        ChildProcess second({kProbe, "distinct", "Software\\Both", "b", "150"});
        HKEY key = Create(u"Software\\Both");
        for (DWORD i = 0; i < 50; ++i)
            ASSERT_EQ(SetDword(key,
                               (u"c" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                std::u16string(1, static_cast<char16_t>(u'0' + i / 26)))
                                   .c_str(),
                               i),
                      ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(first.Wait(), 0);
        EXPECT_EQ(second.Wait(), 0);
    }
    const auto values = DumpInNewProcess("Software\\Both");
    EXPECT_EQ(values.size(), 350u);
    for (int i = 0; i < 150; ++i) {
        EXPECT_TRUE(values.contains("a" + std::to_string(i))) << i;
        EXPECT_TRUE(values.contains("b" + std::to_string(i))) << i;
    }
}

namespace {

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string CutAt(const std::string& text, std::string_view marker, size_t further)
{
    const size_t at = text.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return text.substr(0, at + further);
}

std::vector<std::string> AsideCopies(const std::string& folder)
{
    std::vector<std::string> aside;
    for (const std::string& name : ListFolder(folder))
        if (name.starts_with("registry.corrupt-"))
            aside.push_back(folder + "/" + name);
    return aside;
}

} // namespace

TEST_F(RegistryTest, ADamagedFileKeepsEveryValueThatStillReads)
{
    std::vector<BYTE> blob(60);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<BYTE>(i);
    const std::vector<BYTE> text = Utf16Bytes(u"text");
    HKEY key = Create(u"Software\\Good");
    ASSERT_EQ(SetDword(key, u"n", 7), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"s", 0, REG_SZ, text.data(), static_cast<DWORD>(text.size())), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"b", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())), ERROR_SUCCESS);
    RegCloseKey(key);
    key = Create(u"Software\\Other");
    ASSERT_EQ(SetDword(key, u"m", 3), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string whole = ReadFileText(m_config.RegistryFile());
    const std::string nLine = "\"n\"=dword:00000007\n";
    const std::string bLine = "\"b\"=hex:00,01,02";

    struct Case {
        const char* what;
        std::string damaged;
        bool n, s, b, m; // which values still read
    };
    const Case cases[] = {
        {"a garbage line", Replaced(whole, nLine, nLine + std::string("\x01\x02 garbage \xff\n", 13)), true, true, true,
         true},
        {"a NUL byte in a value",
         Replaced(whole, "dword:00000007",
                  std::string("dword:000\0"
                              "0007",
                              14)),
         false, true, true, true},
        {"a bad hex digit", Replaced(whole, "02,03,", "02,0g,"), true, true, false, true},
        {"a cut inside a value of several lines", CutAt(whole, bLine, 30), true, true, false, false},
        {"a cut at a line end", CutAt(whole, "; end", 0), true, true, true, true},
        {"the last byte cut", whole.substr(0, whole.size() - 1), true, true, true, true},
        {"a damaged key line", Replaced(whole, "Software\\Good]", std::string("Soft\0ware\\Good]", 15)), false, false,
         false, true},
        {"no header", Replaced(whole, "REGEDIT4\n", ""), true, true, true, true},
        {"garbage only", std::string("\0\x13\xff garbage \x80\n", 14), false, false, false, false},
        {"an empty file", "", false, false, false, false},
    };
    const std::string folder = m_config.Path() + "/torvina";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& name : ListFolder(folder))
            std::remove((folder + "/" + name).c_str());
        WriteFileText(m_config.RegistryFile(), c.damaged);

        ::testing::internal::CaptureStderr();
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_EQ(ReadDword(u"Software\\Good", u"n"), c.n ? 7u : 0xFFFFFFFFu);
            EXPECT_EQ(ReadDword(u"Software\\Other", u"m"), c.m ? 3u : 0xFFFFFFFFu);
            const auto good = DumpInNewProcess("Software\\Good", true);
            EXPECT_EQ(good.contains("s"), c.s);
            if (c.s && good.contains("s")) {
                EXPECT_EQ(good.at("s"), "1|" + Hex(text));
            }
            EXPECT_EQ(good.contains("b"), c.b);
            if (c.b && good.contains("b")) {
                EXPECT_EQ(good.at("b"), "3|" + Hex(blob));
            }
        }
        const std::string report = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
        EXPECT_NE(report.find("is damaged"), std::string::npos) << report;
        EXPECT_NE(report.find("kept in"), std::string::npos) << report;

        // Reading never replaces the file; the damaged text is kept beside it, once.
        EXPECT_EQ(ReadFileText(m_config.RegistryFile()), c.damaged);
        std::vector<std::string> aside = AsideCopies(folder);
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(ReadFileText(aside[0]), c.damaged);

        // The next change writes what was salvaged back with it.
        ::testing::internal::CaptureStderr();
        key = Create(u"Software\\Fresh");
        EXPECT_EQ(SetDword(key, u"f", 1), ERROR_SUCCESS);
        RegCloseKey(key);
        ::testing::internal::GetCapturedStderr();
        const auto rewritten = ParseRegistry(ReadFileText(m_config.RegistryFile()));
        ASSERT_TRUE(rewritten.has_value());
        EXPECT_EQ(ReadDword(u"Software\\Fresh", u"f"), 1u);
        EXPECT_EQ(ReadDword(u"Software\\Good", u"n"), c.n ? 7u : 0xFFFFFFFFu);
        EXPECT_EQ(ReadDword(u"Software\\Other", u"m"), c.m ? 3u : 0xFFFFFFFFu);
        EXPECT_EQ(DumpInNewProcess("Software\\Good", true).contains("b"), c.b);
        aside = AsideCopies(folder);
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(ReadFileText(aside[0]), c.damaged);
    }
}

TEST_F(RegistryTest, AFileTooLargeToBeOursIsMovedAside)
{
    HKEY key = Create(u"Software\\Big");
    RegCloseKey(key);
    const std::string file = m_config.RegistryFile();
    ASSERT_EQ(truncate(file.c_str(), 65LL << 20), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ReadDword(u"Software\\Big", u"n"), 0xFFFFFFFFu);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("moved to"), std::string::npos);
    EXPECT_EQ(AsideCopies(m_config.Path() + "/torvina").size(), 1u);
    key = Create(u"Software\\Big");
    EXPECT_EQ(SetDword(key, u"n", 2), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(ReadDword(u"Software\\Big", u"n"), 2u);
    for (const std::string& copy : AsideCopies(m_config.Path() + "/torvina"))
        std::remove(copy.c_str());
}

TEST_F(RegistryTest, ANamedPipeIsAnUnreadableFileAndNeverWaitedOn)
{
    HKEY key = Create(u"Software\\Pipe");
    RegCloseKey(key);
    const std::string file = m_config.RegistryFile();
    ASSERT_EQ(std::remove(file.c_str()), 0);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    const auto outcome = ExitCodeWithin(std::chrono::seconds(20), [] {
        const bool unread = ReadDword(u"Software\\Pipe", u"n") == 0xFFFFFFFFu;
        HKEY created = nullptr;
        const bool refused = RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Pipe\\New", &created) == ERROR_ACCESS_DENIED;
        return unread && refused ? 0 : 1;
    });
    ASSERT_TRUE(outcome.has_value()) << "reading or writing the named pipe blocked";
    EXPECT_EQ(*outcome, 0);
    struct stat info {};
    ASSERT_EQ(lstat(file.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe was replaced";
}

TEST_F(RegistryTest, AFullDiskSaysWhatFailedAndKeepsTheFile)
{
    HKEY key = Create(u"Software\\Full");
    ASSERT_EQ(SetDword(key, u"n", 7), ERROR_SUCCESS);
    const std::vector<BYTE> blob(3000, 0x5A);
    ASSERT_EQ(RegSetValueExW(key, u"blob", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string whole = ReadFileText(m_config.RegistryFile());
    const std::string tooLarge = std::strerror(EFBIG);

    struct Case {
        const char* what;
        std::string file;
        const char* limit;
        const char* failed;
    };
    const Case cases[] = {
        {"no room for the lock file", whole, "0", "lock file"},
        {"no room for the settings file", whole, "1000", "cannot write the settings file"},
        {"no room for the copy of a damaged file", Replaced(whole, "\n\"n\"", "\ngarbage\n\"n\""), "1000",
         "no copy of it could be kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileText(m_config.RegistryFile(), c.file);
        const ProcessResult write = RunProcess(
            {kProbe, "--file-size-limit", c.limit, "set-dword", "Software\\Full", "n", "8"});
        EXPECT_NE(write.exitCode, 0);
        EXPECT_NE(write.err.find(c.failed), std::string::npos) << write.err;
        EXPECT_NE(write.err.find(tooLarge), std::string::npos) << write.err;
        EXPECT_EQ(write.err.find("another process"), std::string::npos) << write.err;
        EXPECT_EQ(ReadFileText(m_config.RegistryFile()), c.file);
        EXPECT_EQ(DumpInNewProcess("Software\\Full").at("n"), "4|07000000");
        for (const std::string& copy : AsideCopies(m_config.Path() + "/torvina"))
            std::remove(copy.c_str());
    }
}

TEST_F(RegistryTest, UnusableConfigFolderFailsClearly)
{
    // A file where the folder should be.
    WriteFileText(m_config.Path() + "/torvina", "not a folder");
    HKEY key = nullptr;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\X", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("settings folder"), std::string::npos);
    EXPECT_EQ(ReadDword(u"Software\\X", u"n"), 0xFFFFFFFFu);
}

TEST_F(RegistryTest, ReadOnlyConfigFolderKeepsItsValuesAndRefusesWrites)
{
    HKEY key = Create(u"Software\\RO");
    ASSERT_EQ(SetDword(key, u"n", 7), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string before = ReadFileText(m_config.RegistryFile());
    // Root ignores permissions, so the probe drops to an unprivileged user first.
    ASSERT_EQ(chmod(m_config.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod((m_config.Path() + "/torvina").c_str(), 0555), 0);

    const ProcessResult write = RunProcess({kProbe, "--as-nobody", "set-dword", "Software\\RO", "n", "8"});
    EXPECT_EQ(write.exitCode, ERROR_ACCESS_DENIED) << write.err;
    EXPECT_NE(write.err.find("not writable"), std::string::npos) << write.err;
    const ProcessResult read = RunProcess({kProbe, "--as-nobody", "dump", "Software\\RO"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "n|4|07000000\n");
    EXPECT_EQ(ReadFileText(m_config.RegistryFile()), before);
}
