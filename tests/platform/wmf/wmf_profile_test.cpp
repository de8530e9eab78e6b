#include "platform/wmf/encoder_setup.h"
#include "platform/wmf/profile_manager.h"
#include "platform/wmf/profile_parser.h"
#include "platform/wmf/system_profiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using wmf::ParseProfile;
using wmf::ProfileDescription;

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

const char* kVideoGuid = "{73646976-0000-0010-8000-00AA00389B71}";
const char* kAudioGuid = "{73647561-0000-0010-8000-00AA00389B71}";

std::string VideoConfig(const std::string& fourcc, int width, int height, int bitRate, const std::string& extra = "")
{
    const std::string subtype = "{" + [&] {
        char text[9];
        std::snprintf(text, sizeof text, "%02X%02X%02X%02X", fourcc[3], fourcc[2], fourcc[1], fourcc[0]);
        return std::string(text);
    }() + "-0000-0010-8000-00AA00389B71}";
    return "<streamconfig majortype=\"" + std::string(kVideoGuid) + "\" streamnumber=\"2\" bitrate=\"" +
           std::to_string(bitRate) + "\" bufferwindow=\"5000\"" + extra + ">" +
           "<videomediaprops maxkeyframespacing=\"80000000\" quality=\"75\"/>"
           "<wmmediatype subtype=\"" +
           subtype +
           "\"><videoinfoheader>"
           "<bitmapinfoheader biwidth=\"" +
           std::to_string(width) + "\" biheight=\"" + std::to_string(height) + "\" bicompression=\"" + fourcc +
           "\"/></videoinfoheader></wmmediatype></streamconfig>";
}

std::string AudioConfig(int tag, int channels, int rate, int bytesPerSecond)
{
    return "<streamconfig majortype=\"" + std::string(kAudioGuid) + "\" streamnumber=\"1\" bitrate=\"" +
           std::to_string(bytesPerSecond * 8) +
           "\"><wmmediatype subtype=\"{00000161-0000-0010-8000-00AA00389B71}\">"
           "<waveformatex wFormatTag=\"" +
           std::to_string(tag) + "\" nChannels=\"" + std::to_string(channels) + "\" nSamplesPerSec=\"" +
           std::to_string(rate) + "\" nAvgBytesPerSec=\"" + std::to_string(bytesPerSecond) +
           "\"/></wmmediatype></streamconfig>";
}

std::u16string Profile(const std::string& streams)
{
    return U16("<profile version=\"589824\">" + streams + "</profile>");
}

// The rows of the three profile lists of the settings dialog: item data and the frame size
// the row names.
struct ListRow {
    WMT_VERSION version;
    DWORD itemData;
    int width;
    int height;
};

const ListRow kRows[] = {
    {WMT_VER_4_0, 13, 160, 120}, {WMT_VER_4_0, 1, 160, 120},  {WMT_VER_4_0, 12, 176, 144}, {WMT_VER_4_0, 15, 176, 144},
    {WMT_VER_4_0, 3, 176, 144},  {WMT_VER_4_0, 2, 320, 240},  {WMT_VER_4_0, 14, 160, 120}, {WMT_VER_4_0, 16, 176, 144},
    {WMT_VER_4_0, 17, 320, 240}, {WMT_VER_4_0, 18, 320, 240}, {WMT_VER_4_0, 19, 320, 240}, {WMT_VER_4_0, 20, 320, 240},
    {WMT_VER_4_0, 21, 320, 240}, {WMT_VER_7_0, 5, 160, 120},  {WMT_VER_7_0, 4, 176, 144},  {WMT_VER_7_0, 1, 176, 144},
    {WMT_VER_7_0, 3, 176, 144},  {WMT_VER_7_0, 2, 320, 240},  {WMT_VER_7_0, 6, 160, 120},  {WMT_VER_7_0, 7, 176, 144},
    {WMT_VER_7_0, 26, 208, 160}, {WMT_VER_7_0, 25, 208, 160}, {WMT_VER_7_0, 8, 240, 176},  {WMT_VER_7_0, 9, 320, 240},
    {WMT_VER_7_0, 10, 320, 240}, {WMT_VER_7_0, 11, 320, 240}, {WMT_VER_7_0, 12, 320, 240}, {WMT_VER_7_0, 15, 640, 480},
    {WMT_VER_7_0, 16, 640, 480}, {WMT_VER_7_0, 13, 640, 480}, {WMT_VER_7_0, 14, 640, 480}, {WMT_VER_8_0, 3, 176, 144},
    {WMT_VER_8_0, 5, 176, 144},  {WMT_VER_8_0, 4, 320, 240},  {WMT_VER_8_0, 6, 160, 120},  {WMT_VER_8_0, 23, 176, 144},
    {WMT_VER_8_0, 7, 176, 144},  {WMT_VER_8_0, 2, 208, 160},  {WMT_VER_8_0, 1, 208, 160},  {WMT_VER_8_0, 24, 240, 176},
    {WMT_VER_8_0, 8, 240, 176},  {WMT_VER_8_0, 9, 320, 240},  {WMT_VER_8_0, 10, 320, 240}, {WMT_VER_8_0, 11, 320, 240},
    {WMT_VER_8_0, 12, 320, 240}, {WMT_VER_8_0, 13, 320, 240}, {WMT_VER_8_0, 14, 352, 288}, {WMT_VER_8_0, 15, 352, 288},
    {WMT_VER_8_0, 25, 320, 240}, {WMT_VER_8_0, 26, 320, 240}, {WMT_VER_8_0, 27, 320, 240},
};

const wmf::StreamDescription* Find(const ProfileDescription& p, const GUID& major)
{
    for (const auto& s : p.streams)
        if (s.majorType == major)
            return &s;
    return nullptr;
}

} // namespace

TEST(SystemProfiles, CountsCoverEveryListRowAndAudioRow)
{
    EXPECT_EQ(wmf::SystemProfileCount(WMT_VER_4_0), 21u);
    EXPECT_EQ(wmf::SystemProfileCount(WMT_VER_7_0), 26u);
    EXPECT_EQ(wmf::SystemProfileCount(WMT_VER_8_0), 27u);
    EXPECT_EQ(wmf::SystemProfileCount(WMT_VER_9_0), 0u);
    EXPECT_FALSE(wmf::SystemProfileDocument(WMT_VER_8_0, 27));
}

TEST(SystemProfiles, EveryListRowLoadsWithItsFrameSizeAndVersionCodec)
{
    for (const ListRow& row : kRows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.version << std::dec << " item " << row.itemData);
        const auto document = wmf::SystemProfileDocument(row.version, row.itemData - 1);
        ASSERT_TRUE(document);
        const auto profile = ParseProfile(*document);
        ASSERT_TRUE(profile);
        ASSERT_TRUE(wmf::CanEncode(*profile));
        const auto* video = Find(*profile, WMMEDIATYPE_Video);
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->video.width, row.width);
        EXPECT_EQ(video->video.height, row.height);
        const wmf::VideoCodec expected = row.version == WMT_VER_4_0   ? wmf::VideoCodec::MsMpeg4v3
                                         : row.version == WMT_VER_7_0 ? wmf::VideoCodec::Wmv1
                                                                      : wmf::VideoCodec::Wmv2;
        EXPECT_EQ(video->video.codec, expected);
    }
}

TEST(SystemProfiles, AudioRowsAreAudioOnlyAndNeverBelowTheCodecsLowestRate)
{
    const struct {
        WMT_VERSION version;
        DWORD first;
        DWORD last;
    } ranges[] = {{WMT_VER_4_0, 4, 11}, {WMT_VER_7_0, 17, 24}, {WMT_VER_8_0, 16, 22}};
    for (const auto& range : ranges)
        for (DWORD item = range.first; item <= range.last; ++item) {
            const auto profile = ParseProfile(*wmf::SystemProfileDocument(range.version, item - 1));
            ASSERT_TRUE(profile);
            ASSERT_EQ(profile->streams.size(), 1u);
            EXPECT_TRUE(profile->streams[0].majorType == WMMEDIATYPE_Audio);
            EXPECT_GE(profile->streams[0].audio.bitRate, 24000);
            EXPECT_TRUE(wmf::CanEncode(*profile));
        }
}

TEST(SystemProfiles, LowRateVideoRowsAreVideoOnlyAndTheRestCarryAudio)
{
    // V8 item 6 is "160x120 (28K)", item 12 "320x240 (700K)".
    const auto low = ParseProfile(*wmf::SystemProfileDocument(WMT_VER_8_0, 5));
    ASSERT_TRUE(low);
    EXPECT_EQ(Find(*low, WMMEDIATYPE_Audio), nullptr);
    EXPECT_EQ(Find(*low, WMMEDIATYPE_Video)->video.bitRate, 28000);
    const auto high = ParseProfile(*wmf::SystemProfileDocument(WMT_VER_8_0, 11));
    ASSERT_TRUE(high);
    ASSERT_NE(Find(*high, WMMEDIATYPE_Audio), nullptr);
    EXPECT_EQ(Find(*high, WMMEDIATYPE_Audio)->audio.bitRate + Find(*high, WMMEDIATYPE_Video)->video.bitRate, 700000);
}

TEST(ProfileParser, ReadsAProfileFileWithOrWithoutByteOrderMark)
{
    const std::u16string text = Profile(AudioConfig(353, 2, 44100, 8000) + VideoConfig("WMV2", 320, 240, 300000));
    for (const std::u16string& document : {text, u"\xFEFF" + text}) {
        const auto profile = ParseProfile(document);
        ASSERT_TRUE(profile);
        ASSERT_EQ(profile->streams.size(), 2u);
        EXPECT_TRUE(profile->streams[0].majorType == WMMEDIATYPE_Audio);
        EXPECT_EQ(profile->streams[0].audio.bitRate, 64000);
        EXPECT_EQ(profile->streams[0].audio.sampleRate, 44100);
        EXPECT_EQ(profile->streams[1].video.width, 320);
        EXPECT_EQ(profile->streams[1].video.bitRate, 300000);
        EXPECT_EQ(profile->streams[1].video.keyFrameSpacing, 80000000);
    }
}

TEST(ProfileParser, QualityBasedVideoNeedsNoBitRate)
{
    const auto profile = ParseProfile(Profile(VideoConfig("WMV1", 176, 144, 0, " vbrenabled=\"1\" vbrquality=\"90\"")));
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->streams[0].video.vbrQuality, 90);
}

// A bit-rate-based variable audio rate is encoded only in two passes; a quality-based one not at all.
TEST(ProfileParser, BitRateBasedVariableAudioIsMarkedForTwoPasses)
{
    const auto withAttributes = [](const std::string& attributes) {
        std::string config = AudioConfig(353, 2, 44100, 8000);
        config.insert(config.find(" streamnumber"), attributes);
        return Profile(config);
    };
    const struct {
        const char* attributes;
        bool parses;
        bool twoPassesOnly;
    } cases[] = {
        {"", true, false},
        {" vbrenabled=\"0\"", true, false},
        {" vbrenabled=\"1\"", true, true},
        {" vbrenabled=\"1\" vbrquality=\"0\"", true, true},
        {" vbrenabled=\"1\" vbrquality=\"50\"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        const auto profile = ParseProfile(withAttributes(c.attributes));
        ASSERT_EQ(profile.has_value(), c.parses);
        if (profile) {
            EXPECT_EQ(profile->streams[0].audio.twoPassesOnly, c.twoPassesOnly);
            EXPECT_EQ(profile->streams[0].audio.bitRate, 64000);
        }
    }
}

TEST(ProfileParser, KeepsAnInputOfAnotherTypeForTheWriterToRefuse)
{
    const std::string script = "<streamconfig majortype=\"{73636D64-0000-0010-8000-00AA00389B71}\" bitrate=\"1000\"/>";
    const auto profile = ParseProfile(Profile(VideoConfig("WMV2", 320, 240, 300000) + script));
    ASSERT_TRUE(profile);
    ASSERT_EQ(profile->streams.size(), 2u);
    EXPECT_FALSE(profile->streams[1].majorType == WMMEDIATYPE_Video);
    EXPECT_FALSE(profile->streams[1].majorType == WMMEDIATYPE_Audio);
}

TEST(ProfileParser, RefusesWhatCannotBeEncodedOrIsOutOfRange)
{
    const std::string deep = [] {
        std::string open, close;
        for (int i = 0; i < 40; ++i) {
            open += "<x>";
            close += "</x>";
        }
        return open + close;
    }();
    const struct {
        const char* what;
        std::u16string text;
    } cases[] = {
        {"empty", u""},
        {"not XML", u"hello"},
        {"unclosed", U16("<profile>" + VideoConfig("WMV2", 320, 240, 300000))},
        {"other root", U16("<prof>" + VideoConfig("WMV2", 320, 240, 300000) + "</prof>")},
        {"no streams", Profile("")},
        {"two roots", Profile(VideoConfig("WMV2", 320, 240, 300000)) + Profile("")},
        {"WMV9 video", Profile(VideoConfig("WMV3", 320, 240, 300000))},
        {"WMA Pro audio", Profile(AudioConfig(0x162, 2, 44100, 16000))},
        {"voice audio", Profile(AudioConfig(0x0A, 1, 8000, 1000))},
        {"two video streams", Profile(VideoConfig("WMV2", 320, 240, 300000) + VideoConfig("WMV2", 160, 120, 30000))},
        {"width 0", Profile(VideoConfig("WMV2", 0, 240, 300000))},
        {"width huge", Profile(VideoConfig("WMV2", 1000000, 240, 300000))},
        {"height negative", Profile(VideoConfig("WMV2", 320, -240, 300000))},
        {"odd width for WMV2", Profile(VideoConfig("WMV2", 321, 240, 300000))},
        {"bit rate 0", Profile(VideoConfig("WMV2", 320, 240, 0))},
        {"bit rate absurd", Profile(VideoConfig("WMV2", 320, 240, 2000000000))},
        {"bit rate overflowing", U16("<profile><streamconfig majortype=\"" + std::string(kVideoGuid) +
                                     "\" bitrate=\"99999999999999999999999\"/></profile>")},
        {"quality above 100", Profile(VideoConfig("WMV2", 320, 240, 0, " vbrenabled=\"1\" vbrquality=\"500\""))},
        {"sample rate absurd", Profile(AudioConfig(353, 2, 4000000, 16000))},
        {"channels 0", Profile(AudioConfig(353, 0, 44100, 16000))},
        {"channels 9", Profile(AudioConfig(353, 9, 44100, 16000))},
        {"audio below the codec's lowest rate", Profile(AudioConfig(353, 1, 8000, 800))},
        {"audio rate absurd", Profile(AudioConfig(353, 2, 44100, 100000000))},
        // 2^61 + 2000 bytes a second: counted in bits it wraps to 16000.
        {"audio rate wrapping into range",
         [] {
             std::string config = AudioConfig(353, 2, 44100, 2000);
             const std::string small = "nAvgBytesPerSec=\"2000\"";
             config.replace(config.find(small), small.size(), "nAvgBytesPerSec=\"2305843009213695952\"");
             return Profile(config);
         }()},
        {"bad majortype", U16("<profile><streamconfig majortype=\"{nonsense}\"/></profile>")},
        {"deep nesting", U16("<profile>" + deep + VideoConfig("WMV2", 320, 240, 300000) + "</profile>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto profile = ParseProfile(c.text);
        EXPECT_TRUE(!profile || !wmf::CanEncode(*profile));
    }
}

TEST(ProfileParser, RefusesAnAnsiTextReadAsUtf16)
{
    const std::string ascii = "<profile version=\"589824\">" + VideoConfig("WMV2", 320, 240, 300000) + "</profile>";
    std::u16string asWide((ascii.size() + 1) / 2, u'\0');
    std::memcpy(asWide.data(), ascii.data(), ascii.size());
    EXPECT_FALSE(ParseProfile(asWide));
    EXPECT_TRUE(ParseProfile(U16(ascii)));
}

TEST(ProfileParser, RefusesATextLongerThanAnyProfile)
{
    std::u16string text = Profile(VideoConfig("WMV2", 320, 240, 300000));
    text.insert(text.size() - 10, std::u16string(wmf::kMaxProfileChars, u' '));
    EXPECT_FALSE(ParseProfile(text));
}

TEST(ProfileManager, LoadsSystemProfilesByVersionAndRefusesOutOfRangeIndices)
{
    ComPtr<IWMProfileManager> manager;
    ASSERT_EQ(WMCreateProfileManager(manager.Receive()), S_OK);
    ComPtr<IWMProfileManager2> manager2;
    ASSERT_EQ(manager->QueryInterface(IID_IWMProfileManager2, manager2.ReceiveVoid()), S_OK);
    EXPECT_EQ(manager2->SetSystemProfileVersion(WMT_VER_4_0), S_OK);
    DWORD count = 0;
    EXPECT_EQ(manager2->GetSystemProfileCount(&count), S_OK);
    EXPECT_EQ(count, 21u);
    ComPtr<IWMProfile> profile;
    EXPECT_EQ(manager2->LoadSystemProfile(19, profile.Receive()), S_OK);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->Description().streams.size(), 2u);
    EXPECT_TRUE(FAILED(manager2->LoadSystemProfile(static_cast<DWORD>(-2), profile.Receive())));
    EXPECT_FALSE(profile);
    EXPECT_TRUE(FAILED(manager2->SetSystemProfileVersion(WMT_VER_9_0)));
}

TEST(ProfileManager, ReleasesEveryObjectItMade)
{
    const int before = wmf::LiveObjectCount();
    {
        ComPtr<IWMProfileManager> manager;
        ASSERT_EQ(WMCreateProfileManager(manager.Receive()), S_OK);
        ComPtr<IWMProfile> profile;
        const std::u16string text = Profile(VideoConfig("MP43", 176, 144, 100000));
        EXPECT_EQ(manager->LoadProfileByData(text.c_str(), profile.Receive()), S_OK);
        EXPECT_EQ(wmf::LiveObjectCount(), before + 2);
    }
    EXPECT_EQ(wmf::LiveObjectCount(), before);
}
