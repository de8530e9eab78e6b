#include "platform/win/registry_tree.h"

#include <gtest/gtest.h>

using win::IsValidValueName;
using win::ParseRegistry;
using win::RegistryKey;
using win::RegistryTree;
using win::RegistryValue;
using win::SerializeRegistry;

namespace {

std::vector<BYTE> Utf16Bytes(std::u16string_view text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 3);
    return bytes;
}

RegistryTree SampleTree()
{
    RegistryTree tree;
    const std::u16string data = u"HKEY_CURRENT_USER\\Software\\Zarn\\Torvina\\DATA";
    tree.SetValue(data, {u"fps", REG_DWORD, {0xFC, 0x92, 0x04, 0x00}});
    tree.SetValue(data, {u"hozon", REG_SZ, Utf16Bytes(u"/home/user/動画 \"quoted\" back\\slash")});
    tree.SetValue(data, {u"empty", REG_SZ, Utf16Bytes(u"")});
    tree.SetValue(data, {u"name with \"quote\"", REG_DWORD, {1, 0, 0, 0}});
    tree.SetValue(data, {u"", REG_SZ, Utf16Bytes(u"default value")});
    const std::u16string avi = u"HKEY_CURRENT_USER\\Software\\Zarn\\AviVideoSettings";
    tree.SetValue(avi, {u"AviCodec", REG_BINARY, Pattern(5000)});
    tree.SetValue(avi, {u"none", REG_BINARY, {}});
    tree.SetValue(avi, {u"line\nbreak text", REG_SZ, {}}); // invalid name, kept only in memory
    tree.SetValue(avi, {u"control", REG_SZ, Utf16Bytes(u"tab\there")});
    tree.SetValue(avi, {u"unterminated", REG_SZ, {'a', 0}});
    tree.SetValue(avi, {u"short dword", REG_DWORD, {1, 2}});
    tree.SetValue(avi, {u"expand", REG_EXPAND_SZ, Utf16Bytes(u"%HOME%")});
    tree.CreateKey(u"HKEY_CURRENT_USER\\Software\\Empty key");
    return tree;
}

} // namespace

TEST(RegistryTree, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    RegistryTree tree;
    EXPECT_TRUE(tree.SetValue(u"HKEY_CURRENT_USER\\Software\\Zarn", {u"Handler", REG_DWORD, {1, 0, 0, 0}}));
    EXPECT_TRUE(tree.SetValue(u"hkey_current_user\\SOFTWARE\\zarn\\New", {u"x", REG_DWORD, {2, 0, 0, 0}}));
    EXPECT_TRUE(tree.SetValue(u"HKEY_CURRENT_USER\\software\\ZARN", {u"HANDLER", REG_DWORD, {3, 0, 0, 0}}));
    EXPECT_FALSE(tree.SetValue(u"HKEY_CURRENT_USER\\software\\ZARN", {u"handler", REG_DWORD, {3, 0, 0, 0}}));

    const RegistryKey* key = tree.FindKey(u"Hkey_Current_User\\SoftWare\\ZaRn");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->path, u"HKEY_CURRENT_USER\\Software\\Zarn");
    ASSERT_EQ(key->values.size(), 1u);
    EXPECT_EQ(key->values[0].name, u"Handler");
    EXPECT_EQ(key->values[0].data, (std::vector<BYTE>{3, 0, 0, 0}));
    EXPECT_EQ(tree.FindKey(u"HKEY_CURRENT_USER\\Software\\Zarn\\New")->path, u"HKEY_CURRENT_USER\\Software\\Zarn\\New");
    EXPECT_EQ(tree.CountSubKeys(u"HKEY_CURRENT_USER\\SOFTWARE"), 1u);
    EXPECT_EQ(tree.CountSubKeys(u"HKEY_CURRENT_USER"), 1u);
}

TEST(RegistryTree, EveryTypeSurvivesTheTextForm)
{
    RegistryTree tree = SampleTree();
    // The text form cannot carry a name with a line break; the registry API refuses such names.
    RegistryTree expected;
    for (const auto& [folded, key] : tree.Keys()) {
        expected.CreateKey(key.path);
        for (const RegistryValue& value : key.values)
            if (IsValidValueName(value.name))
                expected.SetValue(key.path, value);
    }
    const std::string text = SerializeRegistry(expected);
    const auto parsed = ParseRegistry(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_EQ(*parsed, expected);
    EXPECT_NE(text.find("\"fps\"=dword:000492fc\n"), std::string::npos);
    EXPECT_NE(text.find("\"empty\"=\"\"\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"default value\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"none\"=hex:\n"), std::string::npos);
    EXPECT_NE(text.find("\"control\"=hex(1):"), std::string::npos);
    EXPECT_NE(text.find("\"expand\"=hex(2):"), std::string::npos) << "only REG_SZ is written as text";
}

TEST(RegistryTree, AnyCutOfAWholeFileIsRejected)
{
    const std::string text = SerializeRegistry(SampleTree());
    for (size_t length = 0; length < text.size(); ++length)
        ASSERT_FALSE(ParseRegistry(std::string_view(text).substr(0, length)).has_value()) << "cut at " << length;
}

TEST(RegistryTree, MalformedFilesAreRejected)
{
    const char* const cases[] = {
        "",
        "\x7f"
        "ELF garbage\n; end\n",
        "REGEDIT4\n",
        "REGEDIT4\n; end\nextra\n",
        "REGEDIT4\n\"orphan\"=dword:00000001\n; end\n",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USERS\\Software]\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\\\Software]\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=dword:1\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=dword:0000000g\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=hex:0\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=hex:00,,01\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=hex:00,\\\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=hex(zz):00\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=\"open\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=\"bad \\n escape\"\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"a\"=\"x\" trailing\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\n\"\"=\"empty name must be @\"\n; end\n",
        "REGEDIT4\n[HKEY_CURRENT_USER]\na=dword:00000001\n; end\n",
    };
    for (const char* text : cases)
        EXPECT_FALSE(ParseRegistry(text).has_value()) << text;
}

TEST(RegistryTree, ContinuedHexLinesAndWindowsLineEndsRead)
{
    const auto tree = ParseRegistry(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:01,02,\\\r\n  03\r\n\"c\"=hex(0):\r\n; end\r\n");
    ASSERT_TRUE(tree.has_value());
    const RegistryKey* key = tree->FindKey(u"HKEY_CURRENT_USER\\a");
    ASSERT_NE(key, nullptr);
    ASSERT_NE(key->FindValue(u"B"), nullptr);
    EXPECT_EQ(key->FindValue(u"B")->data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(key->FindValue(u"c")->type, REG_NONE);
}
