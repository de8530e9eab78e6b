#include "foundation/reg_util.h"
#include "foundation/registry_values.h"
#include "platform/win/heap.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char16_t* kKey = u"Software\\Zarn\\AviVideoSettings";
const DWORD kDib = mmioFOURCC('D', 'I', 'B', ' ');

class RegistryValuesTest : public ::testing::Test {
protected:
    static std::vector<BYTE> Pattern(size_t size)
    {
        std::vector<BYTE> bytes(size);
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<BYTE>(i * 31 + 1);
        return bytes;
    }

    static void SetRaw(LPCWSTR name, DWORD type, const std::vector<BYTE>& data)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // Rewrites the store file so the next read parses it from the disk, as a new start would.
    void Restart() const
    {
        const std::string text = ReadFileText(m_config.RegistryFile());
        std::remove(m_config.RegistryFile().c_str());
        WriteFileText(m_config.RegistryFile(), text);
    }

    TempConfigHome m_config;
};

} // namespace

TEST_F(RegistryValuesTest, BlobsUpToTheCapacityReadBackExactly)
{
    for (size_t size : {size_t{1}, size_t{18}, size_t{4095}, size_t{4096}}) {
        const std::vector<BYTE> blob = Pattern(size);
        ASSERT_TRUE(RegWriteBinary(HKEY_CURRENT_USER, kKey, u"AviCodec", blob.data(), static_cast<int>(size)));
        Restart();
        int read = -1;
        BYTE* block = RegReadBinary(HKEY_CURRENT_USER, kKey, u"AviCodec", &read);
        ASSERT_NE(block, nullptr) << size;
        EXPECT_EQ(read, static_cast<int>(size));
        EXPECT_EQ(GlobalSize(block), size);
        EXPECT_TRUE(std::equal(blob.begin(), blob.end(), block));
        GlobalFree(block);
    }
}

TEST_F(RegistryValuesTest, LongerBlobsAndMissingValuesReadAsNothing)
{
    const std::vector<BYTE> blob = Pattern(4097);
    ASSERT_TRUE(RegWriteBinary(HKEY_CURRENT_USER, kKey, u"AviCodec", blob.data(), 4097));
    int size = -1;
    EXPECT_EQ(RegReadBinary(HKEY_CURRENT_USER, kKey, u"AviCodec", &size), nullptr);
    EXPECT_EQ(size, 0);
    size = -1;
    EXPECT_EQ(RegReadBinary(HKEY_CURRENT_USER, kKey, u"AudioCodec", &size), nullptr);
    EXPECT_EQ(size, 0);
    size = -1;
    EXPECT_EQ(RegReadBinary(HKEY_CURRENT_USER, u"Software\\Nobody", u"AviCodec", &size), nullptr);
    EXPECT_EQ(size, 0);
}

TEST_F(RegistryValuesTest, ANullSizeStillGivesTheBlockAndAnyTypeIsRead)
{
    SetRaw(u"AudioCodec", REG_SZ, {'a', 0, 0, 0});
    BYTE* block = RegReadBinary(HKEY_CURRENT_USER, kKey, u"AudioCodec", nullptr);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 4u);
    GlobalFree(block);
}

TEST_F(RegistryValuesTest, WritingCreatesEveryMissingLevel)
{
    const BYTE data[2] = {1, 2};
    EXPECT_TRUE(RegWriteBinary(HKEY_CURRENT_USER, u"Software\\A\\B\\C\\D", u"x", data, 2));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, u"Software\\A\\B", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    int size = 0;
    BYTE* block = RegReadBinary(HKEY_CURRENT_USER, u"Software\\a\\b\\c\\d", u"X", &size);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(size, 2);
    GlobalFree(block);
}

TEST_F(RegistryValuesTest, TheHandlerReadsAsTheDefaultUnlessItIsADword)
{
    struct Case {
        DWORD type;
        std::vector<BYTE> data;
        DWORD expected;
    };
    const Case cases[] = {
        {REG_DWORD, {'M', 'J', 'P', 'G'}, mmioFOURCC('M', 'J', 'P', 'G')},
        {REG_SZ, {'M', 0, 'J', 0, 'P', 0, 'G', 0, 0, 0}, kDib},
        {REG_BINARY, {'M', 'J', 'P', 'G'}, kDib},
        {REG_DWORD, {'M', 'J'}, kDib},
    };
    for (const Case& c : cases) {
        SetRaw(u"handler", c.type, c.data);
        Restart();
        EXPECT_EQ(static_cast<DWORD>(RegReadDword(HKEY_CURRENT_USER, kKey, u"handler", static_cast<int>(kDib))),
                  c.expected)
            << c.type;
    }
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"missing", 17), 17);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, u"Software\\Nobody", u"handler", 17), 17);

    RegWriteDword(HKEY_CURRENT_USER, kKey, u"HANDLER", 0xFFFFFFFF);
    Restart();
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"handler", 0), -1);
}

TEST_F(RegistryValuesTest, TheValueWalkerListsNamesAndTexts)
{
    CRegUtil walker;
    EXPECT_EQ(walker.Open(HKEY_CURRENT_USER, u"Software\\Nobody"), 0);
    SetRaw(u"first", REG_SZ, {'h', 0, 'i', 0, 0, 0});
    SetRaw(u"second", REG_DWORD, {'o', 0, 'k', 0});
    SetRaw(u"big", REG_BINARY, std::vector<BYTE>(600, 'x'));
    ASSERT_EQ(walker.Open(HKEY_CURRENT_USER, kKey), 3);
    CString name;
    CString data;
    walker.EnumValue(0, name, data);
    EXPECT_EQ(std::u16string(name.View()), u"first");
    EXPECT_EQ(std::u16string(data.View()), u"hi");
    walker.EnumValue(1, name, data);
    EXPECT_EQ(std::u16string(name.View()), u"second");
    EXPECT_EQ(std::u16string(data.View()), u"ok");
    // Too long for the data buffer, and past the end: both strings stay as they were.
    walker.EnumValue(2, name, data);
    walker.EnumValue(3, name, data);
    EXPECT_EQ(std::u16string(name.View()), u"second");
    EXPECT_EQ(std::u16string(data.View()), u"ok");
    walker.Close();
    walker.EnumValue(0, name, data);
    EXPECT_EQ(std::u16string(name.View()), u"second");
}
