#include "platform/vfw/vcm.h"

#include "platform/vfw/compressor_instance.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/log.h>
}

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using vfw::CompressorAboutBox;
using vfw::CompressorConfigureBox;
using vfw::CompressorDescriptor;
using vfw::CompressorInstance;
using vfw::InstalledCompressors;
using vfw::SetCompressorBoxes;

namespace {

const FOURCC kHfyu = mmioFOURCC('H', 'F', 'Y', 'U');
const FOURCC kMpng = mmioFOURCC('M', 'P', 'N', 'G');
const FOURCC kMjpg = mmioFOURCC('M', 'J', 'P', 'G');

std::u16string NameOf(const ICINFO& info) { return std::u16string(info.szName); }

std::vector<uint8_t> StateOf(HIC hic)
{
    std::vector<uint8_t> block(static_cast<size_t>(ICSendMessage(hic, ICM_GETSTATE, 0, 0)));
    EXPECT_EQ(ICSendMessage(hic, ICM_GETSTATE, reinterpret_cast<DWORD_PTR>(block.data()), block.size()),
              static_cast<LRESULT>(block.size()));
    return block;
}

BITMAPINFO Input(WORD bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = 16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    return info;
}

std::atomic<int> g_libraryErrors{0};
std::atomic<int> g_libraryMessages{0};

// Counts the messages libavcodec reports while it lives: those at error level or worse, and all.
class ScopedLibraryErrorCount {
public:
    ScopedLibraryErrorCount()
    {
        g_libraryErrors = 0;
        g_libraryMessages = 0;
        av_log_set_callback([](void*, int level, const char*, va_list) {
            ++g_libraryMessages;
            if (level <= AV_LOG_ERROR)
                ++g_libraryErrors;
        });
    }
    ~ScopedLibraryErrorCount() { av_log_set_callback(av_log_default_callback); }
    int Count() const { return g_libraryErrors; }
    int Messages() const { return g_libraryMessages; }
};

class ScopedBoxes {
public:
    ScopedBoxes(CompressorConfigureBox configure, CompressorAboutBox about)
    {
        SetCompressorBoxes(std::move(configure), std::move(about));
    }
    ~ScopedBoxes() { SetCompressorBoxes(nullptr, nullptr); }
};

TEST(Vcm, InfoListsTheInstalledCompressorsByIndexAndFindsThemByFourCC)
{
    const auto& installed = InstalledCompressors();
    ASSERT_FALSE(installed.empty());
    for (DWORD i = 0; i < installed.size(); ++i) {
        ICINFO info{};
        ASSERT_TRUE(ICInfo(ICTYPE_VIDEO, i, &info));
        EXPECT_EQ(info.fccHandler, installed[i]->fourcc);
        EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
        EXPECT_EQ(info.dwSize, sizeof(ICINFO));
        EXPECT_EQ(info.dwFlags, installed[i]->flags);
        EXPECT_EQ(NameOf(info), std::u16string(installed[i]->name));
    }
    ICINFO info{};
    EXPECT_FALSE(ICInfo(ICTYPE_VIDEO, static_cast<DWORD>(installed.size()), &info));
    EXPECT_TRUE(ICInfo(ICTYPE_VIDEO, mmioFOURCC('m', 'j', 'p', 'g'), &info));
    EXPECT_EQ(info.fccHandler, kMjpg);
    EXPECT_FALSE(ICInfo(ICTYPE_VIDEO, kFourCCUncompressed, &info));
}

TEST(Vcm, UncompressedOpensNoCompressorAndAnEmptyHandleAnswersNothing)
{
    EXPECT_EQ(ICOpen(ICTYPE_VIDEO, kFourCCUncompressed, ICMODE_COMPRESS), nullptr);
    EXPECT_EQ(ICOpen(ICTYPE_VIDEO, mmioFOURCC('X', 'X', 'X', 'X'), ICMODE_COMPRESS), nullptr);
    EXPECT_EQ(ICSendMessage(nullptr, ICM_GETSTATE, 0, 0), ICERR_BADHANDLE);
    EXPECT_EQ(ICClose(nullptr), ICERR_OK);
    COMPVARS vars{};
    const BITMAPINFO input = Input(24);
    EXPECT_FALSE(ICSeqCompressFrameStart(&vars, &input));
    ICSeqCompressFrameEnd(&vars);
}

TEST(Vcm, CompressQueryAcceptsOnly24BitFrames)
{
    HIC hic = ICOpen(ICTYPE_VIDEO, kMjpg, ICMODE_COMPRESS);
    ASSERT_NE(hic, nullptr);
    for (WORD bits : {WORD(1), WORD(8), WORD(16), WORD(24), WORD(32)}) {
        const BITMAPINFO input = Input(bits);
        EXPECT_EQ(ICSendMessage(hic, ICM_COMPRESS_QUERY, reinterpret_cast<DWORD_PTR>(&input), 0),
                  bits == 24 ? ICERR_OK : ICERR_BADFORMAT)
            << bits;
    }
    ICClose(hic);
}

// A size the encoder cannot take is refused before its library sees it: libx264 leaks when its
// own open refuses an odd size, and the library's refusal would be logged as a failure.
TEST(Vcm, CompressQueryRefusesSizesOffTheCompressorsStepWithoutOpeningIt)
{
    struct Size {
        LONG width;
        LONG height;
    };
    const Size sizes[] = {{1, 1}, {5, 6}, {6, 5}, {6, 6}, {7, 8}, {8, -8}, {10, 10}, {17, 17}, {12, -7}};
    ScopedLibraryErrorCount errors;
    for (const CompressorDescriptor* d : InstalledCompressors()) {
        HIC hic = ICOpen(ICTYPE_VIDEO, d->fourcc, ICMODE_COMPRESS);
        ASSERT_NE(hic, nullptr);
        for (const Size size : sizes) {
            BITMAPINFO input = Input(24);
            input.bmiHeader.biWidth = size.width;
            input.bmiHeader.biHeight = size.height;
            const bool fits = size.width % d->sizeStep.width == 0 && std::abs(size.height) % d->sizeStep.height == 0;
            EXPECT_EQ(ICSendMessage(hic, ICM_COMPRESS_QUERY, reinterpret_cast<DWORD_PTR>(&input), 0),
                      fits ? ICERR_OK : ICERR_BADFORMAT)
                << std::string(d->encoder ? d->encoder : "mjpg") << " " << size.width << "x" << size.height;
        }
        ICClose(hic);
    }
    EXPECT_EQ(errors.Count(), 0) << "an encoder was opened for a size it refuses";
}

// The query is answered from the catalogue, without the encoder: the catalogue's limits must be
// the encoder's own. At each row's longest sides the encoder opens, one step beyond and past
// libavcodec's bound on the area it is refused, and the queries print nothing.
TEST(Vcm, CompressQueryAnswersTheEncodersLimitsWithoutOpeningIt)
{
    for (const CompressorDescriptor* d : InstalledCompressors()) {
        const std::string name = d->encoder ? d->encoder : "mjpg";
        const LONG longestWidth = d->maxSide / d->sizeStep.width * d->sizeStep.width;
        const LONG longestHeight = d->maxSide / d->sizeStep.height * d->sizeStep.height;
        const LONG shortWidth = d->sizeStep.width * 8;
        const LONG shortHeight = d->sizeStep.height * 8;
        struct Case {
            LONG width;
            LONG height;
            bool accepted;
            bool opened = false; // a small frame that the encoder is opened for as well
        };
        const Case cases[] = {
            {longestWidth, shortHeight, true, true},
            {shortWidth, -longestHeight, true, true},
            {longestWidth + d->sizeStep.width, shortHeight, false},
            {shortWidth, longestHeight + d->sizeStep.height, false},
            {1920, 1080, true},
            {16384, 16384, d->engine != vfw::CompressorEngine::Avcodec},
        };
        HIC hic = ICOpen(ICTYPE_VIDEO, d->fourcc, ICMODE_COMPRESS);
        ASSERT_NE(hic, nullptr);
        for (const Case& c : cases) {
            BITMAPINFO input = Input(24);
            input.bmiHeader.biWidth = c.width;
            input.bmiHeader.biHeight = c.height;
            {
                ScopedLibraryErrorCount messages;
                EXPECT_EQ(ICSendMessage(hic, ICM_COMPRESS_QUERY, reinterpret_cast<DWORD_PTR>(&input), 0),
                          c.accepted ? ICERR_OK : ICERR_BADFORMAT)
                    << name << " " << c.width << "x" << c.height;
                EXPECT_EQ(messages.Messages(), 0) << name << ": the query opened the encoder";
            }
            if (c.opened) {
                EXPECT_TRUE(hic->Begin(&input.bmiHeader)) << name << " " << c.width << "x" << c.height;
                hic->End();
            }
        }
        ICClose(hic);
    }
}

TEST(Vcm, StateBlocksAreFixedInSizeAndTaggedWithMagicFourCCAndVersion)
{
    for (const CompressorDescriptor* d : InstalledCompressors()) {
        HIC hic = ICOpen(ICTYPE_VIDEO, d->fourcc, ICMODE_COMPRESS);
        const std::vector<uint8_t> block = StateOf(hic);
        ASSERT_GE(block.size(), 16u);
        EXPECT_LE(block.size(), 4096u);
        DWORD head[3];
        std::memcpy(head, block.data(), sizeof head);
        EXPECT_EQ(head[0], CompressorInstance::kStateMagic);
        EXPECT_EQ(head[1], d->fourcc);
        EXPECT_EQ(head[2], d->stateVersion);
        ICClose(hic);
    }
}

TEST(Vcm, AStateRoundTripsAndABlockOfAnotherKindChangesNothing)
{
    HIC source = ICOpen(ICTYPE_VIDEO, kMpng, ICMODE_COMPRESS);
    std::vector<uint8_t> block = StateOf(source);
    // The second option of MPNG is the compression level.
    const int32_t level = 2;
    std::memcpy(&block[16 + 4], &level, 4);
    ASSERT_EQ(ICSendMessage(source, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(block.data()), block.size()),
              static_cast<LRESULT>(block.size()));
    EXPECT_EQ(StateOf(source), block);
    ICClose(source);

    struct Tamper {
        const char* what;
        size_t offset;
        int32_t value;
    };
    for (const Tamper t :
         {Tamper{"magic", 0, 0}, Tamper{"fourcc", 4, static_cast<int32_t>(kHfyu)}, Tamper{"version", 8, 99},
          Tamper{"count", 12, 1}, Tamper{"value", 16, 6}, Tamper{"negative value", 20, -1}}) {
        HIC target = ICOpen(ICTYPE_VIDEO, kMpng, ICMODE_COMPRESS);
        const std::vector<uint8_t> before = StateOf(target);
        std::vector<uint8_t> bad = block;
        std::memcpy(&bad[t.offset], &t.value, 4);
        EXPECT_EQ(ICSendMessage(target, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(bad.data()), bad.size()), 0)
            << t.what;
        EXPECT_EQ(StateOf(target), before) << t.what;
        EXPECT_EQ(ICSendMessage(target, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(block.data()), block.size() - 1), 0);
        ICClose(target);
    }
}

TEST(Vcm, ConfigureAndAboutAnswerOnlyWhenTheInterfaceInstalledTheirBoxes)
{
    HIC hfyu = ICOpen(ICTYPE_VIDEO, kHfyu, ICMODE_COMPRESS);
    HIC mjpg = ICOpen(ICTYPE_VIDEO, kMjpg, ICMODE_COMPRESS);
    const DWORD_PTR query = static_cast<DWORD_PTR>(-1);
    EXPECT_EQ(ICSendMessage(hfyu, ICM_CONFIGURE, query, ICMF_CONFIGURE_QUERY), ICERR_UNSUPPORTED);
    EXPECT_EQ(ICSendMessage(hfyu, ICM_ABOUT, query, ICMF_ABOUT_QUERY), ICERR_UNSUPPORTED);
    {
        int aboutShown = 0;
        bool confirm = true;
        ScopedBoxes boxes(
            [&](void*, const CompressorDescriptor& d, std::vector<int32_t>& values) {
                EXPECT_EQ(d.fourcc, kHfyu);
                values.at(0) = 1;
                return confirm;
            },
            [&](void*, const CompressorDescriptor&) { ++aboutShown; });
        EXPECT_EQ(ICSendMessage(hfyu, ICM_CONFIGURE, query, ICMF_CONFIGURE_QUERY), ICERR_OK);
        EXPECT_EQ(ICSendMessage(mjpg, ICM_CONFIGURE, query, ICMF_CONFIGURE_QUERY), ICERR_UNSUPPORTED)
            << "a compressor without options has nothing to configure";
        EXPECT_EQ(ICSendMessage(hfyu, ICM_ABOUT, query, ICMF_ABOUT_QUERY), ICERR_OK);
        EXPECT_EQ(aboutShown, 0);
        EXPECT_EQ(ICSendMessage(hfyu, ICM_ABOUT, 0, 0), ICERR_OK);
        EXPECT_EQ(aboutShown, 1);

        const std::vector<uint8_t> before = StateOf(hfyu);
        confirm = false;
        EXPECT_EQ(ICSendMessage(hfyu, ICM_CONFIGURE, 0, 0), ICERR_CANCEL);
        EXPECT_EQ(StateOf(hfyu), before);
        confirm = true;
        EXPECT_EQ(ICSendMessage(hfyu, ICM_CONFIGURE, 0, 0), ICERR_OK);
        EXPECT_NE(StateOf(hfyu), before);
        EXPECT_EQ(hfyu->OptionValues().at(0), 1);
    }
    ICClose(hfyu);
    ICClose(mjpg);
}

} // namespace
