#include "writers/enc_avi_setting.h"

#include "foundation/registry_values.h"
#include "platform/vfw/vfw_types.h"
#include "platform/win/heap.h"
#include "platform/win/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const WCHAR kKey[] = u"Software\\Zarn\\AviVideoSettings";

class EncAviSettingTest : public ::testing::Test {
protected:
    static std::vector<BYTE> Stored(LPCWSTR name)
    {
        int size = 0;
        BYTE* block = RegReadBinary(HKEY_CURRENT_USER, kKey, name, &size);
        std::vector<BYTE> bytes(block, block + (block ? size : 0));
        if (block)
            GlobalFree(block);
        return bytes;
    }
    static bool Exists(LPCWSTR name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyW(HKEY_CURRENT_USER, kKey, &key) != ERROR_SUCCESS)
            return false;
        DWORD type = 0;
        DWORD size = 0;
        const bool found = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return found;
    }
    static void StoreRaw(LPCWSTR name, DWORD type, const std::vector<BYTE>& bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    static void* Block(const std::vector<BYTE>& bytes)
    {
        void* block = GlobalAlloc(GMEM_FIXED, bytes.size());
        if (!bytes.empty())
            std::memcpy(block, bytes.data(), bytes.size());
        return block;
    }

    TempConfigHome m_home;
};

TEST_F(EncAviSettingTest, AFirstStartHasTheDefaults)
{
    CEncAVISetting setting;
    EXPECT_EQ(setting.GetHandler(), kFourCCUncompressed);
    EXPECT_EQ(setting.GetStateSize(), 0);
    EXPECT_EQ(setting.GetState(), nullptr);
    EXPECT_EQ(setting.GetAudioFormat(), nullptr);
    EXPECT_EQ(setting.GetQuality(), 100);
    EXPECT_EQ(setting.GetKeyFrameEvery(), 15);
    EXPECT_EQ(setting.GetDataRate(), 300);
}

TEST_F(EncAviSettingTest, HandlerStateAndAudioFormatSurviveARestartButQualityAndRatesDoNot)
{
    const std::vector<BYTE> state = {1, 2, 3, 4, 5, 6, 7};
    WAVEFORMATEX audio{};
    audio.wFormatTag = 0x11;
    audio.cbSize = 2;
    std::vector<BYTE> audioBytes(20, 0x5A);
    std::memcpy(audioBytes.data(), &audio, sizeof audio);
    StoreRaw(u"AudioCodec", REG_BINARY, audioBytes);
    {
        CEncAVISetting setting;
        setting.SetHandler(mmioFOURCC('M', 'J', 'P', 'G'));
        setting.SetStateSize(static_cast<int>(state.size()));
        setting.SetState(Block(state));
        setting.SetQuality(40);
        setting.SetKeyFrameEvery(3);
        setting.SetDataRate(99);
    }
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"handler", 0), 0x47504A4D);
    EXPECT_EQ(Stored(u"AviCodec"), state);
    EXPECT_EQ(Stored(u"AudioCodec"), audioBytes);

    CEncAVISetting restarted;
    EXPECT_EQ(restarted.GetHandler(), mmioFOURCC('M', 'J', 'P', 'G'));
    ASSERT_EQ(restarted.GetStateSize(), static_cast<int>(state.size()));
    EXPECT_EQ(std::memcmp(restarted.GetState(), state.data(), state.size()), 0);
    ASSERT_NE(restarted.GetAudioFormat(), nullptr);
    EXPECT_EQ(std::memcmp(restarted.GetAudioFormat(), audioBytes.data(), audioBytes.size()), 0);
    EXPECT_EQ(restarted.GetQuality(), 100);
    EXPECT_EQ(restarted.GetKeyFrameEvery(), 15);
    EXPECT_EQ(restarted.GetDataRate(), 300);
}

TEST_F(EncAviSettingTest, WithNothingHeldOnlyTheHandlerIsWrittenAndOtherValuesStay)
{
    {
        CEncAVISetting setting;
    }
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"handler", 0), 0x20424944);
    EXPECT_FALSE(Exists(u"AviCodec"));
    EXPECT_FALSE(Exists(u"AudioCodec"));
}

TEST_F(EncAviSettingTest, AConfirmedCompressorWithoutStateWritesAnEmptyBlock)
{
    StoreRaw(u"AviCodec", REG_BINARY, {9, 9, 9});
    {
        CEncAVISetting setting;
        setting.SetStateSize(0);
        setting.SetState(GlobalAlloc(GMEM_FIXED, 0));
    }
    EXPECT_TRUE(Exists(u"AviCodec"));
    EXPECT_TRUE(Stored(u"AviCodec").empty());
}

TEST_F(EncAviSettingTest, BadStoredValuesReadAsTheDefaults)
{
    StoreRaw(u"handler", REG_SZ, {'M', 0, 'J', 0, 0, 0});
    StoreRaw(u"AviCodec", REG_BINARY, std::vector<BYTE>(4097, 1));
    WAVEFORMATEX audio{};
    audio.cbSize = 10;
    std::vector<BYTE> shortAudio(sizeof audio + 4);
    std::memcpy(shortAudio.data(), &audio, sizeof audio);
    StoreRaw(u"AudioCodec", REG_BINARY, shortAudio);
    CEncAVISetting setting;
    EXPECT_EQ(setting.GetHandler(), kFourCCUncompressed);
    EXPECT_EQ(setting.GetState(), nullptr);
    EXPECT_EQ(setting.GetStateSize(), 0);
    EXPECT_EQ(setting.GetAudioFormat(), nullptr) << "shorter than its cbSize says";
}

TEST_F(EncAviSettingTest, AnAudioFormatShorterThanItsHeaderIsDropped)
{
    StoreRaw(u"AudioCodec", REG_BINARY, {1, 0, 2, 0});
    CEncAVISetting setting;
    EXPECT_EQ(setting.GetAudioFormat(), nullptr);
}

TEST_F(EncAviSettingTest, AStateSizeLargerThanItsBlockWritesOnlyTheBlock)
{
    {
        CEncAVISetting setting;
        setting.SetState(Block({1, 2, 3}));
        setting.SetStateSize(5000);
    }
    EXPECT_EQ(Stored(u"AviCodec"), (std::vector<BYTE>{1, 2, 3}));
}

} // namespace
