#include "platform/vfw/compressor_catalogue.h"

#include "platform/win/ascii_case.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <array>

namespace vfw {

namespace {

constexpr std::array<const char*, 2> kHuffyuvPredictors = {"left", "plane"};
constexpr std::array<const char*, 3> kUtVideoPredictors = {"left", "gradient", "median"};
constexpr std::array<const char*, 6> kPngPredictors = {"none", "sub", "up", "avg", "paeth", "mixed"};
constexpr std::array<const char*, 7> kX264Presets = {"ultrafast", "superfast", "veryfast", "faster",
                                                     "fast",      "medium",    "slow"};

constexpr std::array<CompressorOption, 1> kHuffyuvOptions = {{
    {.name = "pred",
     .label = u"Prediction",
     .maximum = 1,
     .defaultValue = 0,
     .choices = kHuffyuvPredictors,
     .japaneseLabel = u"予測"},
}};
constexpr std::array<CompressorOption, 2> kFfv1Options = {{
    {.name = "coder", .label = u"Range coder", .maximum = 1, .defaultValue = 1, .japaneseLabel = u"レンジコーダ"},
    {.name = "context",
     .label = u"Large context",
     .maximum = 1,
     .defaultValue = 0,
     .japaneseLabel = u"大きなコンテキスト"},
}};
constexpr std::array<CompressorOption, 1> kUtVideoOptions = {{
    {.name = "pred",
     .label = u"Prediction",
     .maximum = 2,
     .defaultValue = 0,
     .choices = kUtVideoPredictors,
     .japaneseLabel = u"予測"},
}};
constexpr std::array<CompressorOption, 2> kPngOptions = {{
    {.name = "pred",
     .label = u"Prediction",
     .maximum = 5,
     .defaultValue = 4,
     .choices = kPngPredictors,
     .japaneseLabel = u"予測"},
    {.name = "compression_level",
     .label = u"Compression level",
     .maximum = 9,
     .defaultValue = 6,
     .japaneseLabel = u"圧縮レベル"},
}};
constexpr std::array<CompressorOption, 1> kZmbvOptions = {{
    {.name = "compression_level",
     .label = u"Compression level",
     .maximum = 9,
     .defaultValue = 6,
     .japaneseLabel = u"圧縮レベル"},
}};
constexpr std::array<CompressorOption, 2> kX264Options = {{
    {.name = "preset",
     .label = u"Preset",
     .maximum = 6,
     .defaultValue = 2,
     .choices = kX264Presets,
     .japaneseLabel = u"プリセット"},
    {.name = kLosslessSwitch,
     .label = u"Lossless (4:4:4)",
     .maximum = 1,
     .defaultValue = 0,
     .japaneseLabel = u"ロスレス (4:4:4)"},
}};

constexpr DWORD kLossy = VIDCF_QUALITY | VIDCF_TEMPORAL;
constexpr const char* kMpegKeyFrames = "sc_threshold=1000000000";
// MPEG-4 part 2 codes each side in 13 bits; libx264 takes sides up to 16384.
constexpr int kMpeg4MaxSide = (1 << 13) - 1;
constexpr int kX264MaxSide = 16384;

const CompressorDescriptor kCatalogue[] = {
    {.fourcc = mmioFOURCC('M', 'J', 'P', 'G'),
     .name = u"MJPG",
     .description = u"Motion JPEG",
     .encoder = nullptr,
     .pixelFormat = AV_PIX_FMT_NONE,
     .flags = VIDCF_QUALITY,
     .quality = QualityControl::Jpeg,
     .engine = CompressorEngine::JpegBands},
    {.fourcc = mmioFOURCC('H', 'F', 'Y', 'U'),
     .name = u"HFYU",
     .description = u"Huffyuv lossless",
     .encoder = "huffyuv",
     .pixelFormat = AV_PIX_FMT_RGB24,
     .flags = 0,
     .quality = QualityControl::None,
     .options = kHuffyuvOptions},
    {.fourcc = mmioFOURCC('F', 'F', 'V', '1'),
     .name = u"FFV1",
     .description = u"FFV1 lossless",
     .encoder = "ffv1",
     .pixelFormat = AV_PIX_FMT_0RGB32,
     .flags = VIDCF_TEMPORAL,
     .quality = QualityControl::None,
     .options = kFfv1Options,
     .slicesForThreads = true},
    {.fourcc = mmioFOURCC('U', 'L', 'R', 'G'),
     .name = u"ULRG",
     .description = u"Ut Video RGB lossless",
     .encoder = "utvideo",
     .pixelFormat = AV_PIX_FMT_GBRP,
     .flags = 0,
     .quality = QualityControl::None,
     .options = kUtVideoOptions},
    {.fourcc = mmioFOURCC('M', 'P', 'N', 'G'),
     .name = u"MPNG",
     .description = u"Motion PNG lossless",
     .encoder = "png",
     .pixelFormat = AV_PIX_FMT_RGB24,
     .flags = 0,
     .quality = QualityControl::None,
     .options = kPngOptions},
    {.fourcc = mmioFOURCC('Z', 'M', 'B', 'V'),
     .name = u"ZMBV",
     .description = u"Zip Motion Blocks lossless",
     .encoder = "zmbv",
     .pixelFormat = AV_PIX_FMT_0RGB32,
     .flags = VIDCF_TEMPORAL,
     .quality = QualityControl::None,
     .options = kZmbvOptions},
    {.fourcc = mmioFOURCC('M', 'P', '4', '2'),
     .name = u"MP42",
     .description = u"MPEG-4 Microsoft variant version 2",
     .encoder = "msmpeg4v2",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames},
    {.fourcc = mmioFOURCC('M', 'P', '4', '3'),
     .name = u"MP43",
     .description = u"MPEG-4 Microsoft variant version 3",
     .encoder = "msmpeg4",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames},
    {.fourcc = mmioFOURCC('W', 'M', 'V', '1'),
     .name = u"WMV1",
     .description = u"Windows Media Video 7",
     .encoder = "wmv1",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames,
     .sizeStep = {.width = 2, .height = 1}},
    {.fourcc = mmioFOURCC('W', 'M', 'V', '2'),
     .name = u"WMV2",
     .description = u"Windows Media Video 8",
     .encoder = "wmv2",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames,
     .sizeStep = {.width = 2, .height = 1}},
    {.fourcc = mmioFOURCC('X', 'V', 'I', 'D'),
     .name = u"XVID",
     .description = u"MPEG-4 part 2 (Xvid tag)",
     .encoder = "mpeg4",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames,
     .maxSide = kMpeg4MaxSide},
    {.fourcc = mmioFOURCC('F', 'M', 'P', '4'),
     .name = u"FMP4",
     .description = u"MPEG-4 part 2",
     .encoder = "mpeg4",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::QScale,
     .fixedOptions = kMpegKeyFrames,
     .maxSide = kMpeg4MaxSide},
    {.fourcc = mmioFOURCC('H', '2', '6', '4'),
     .name = u"H264",
     .description = u"H.264 (x264)",
     .encoder = "libx264",
     .pixelFormat = AV_PIX_FMT_YUV420P,
     .flags = kLossy,
     .quality = QualityControl::Crf,
     .fixedOptions = "tune=zerolatency;x264-params=scenecut=0:bframes=0",
     .options = kX264Options,
     .stateVersion = 2,
     .sizeStep = {.width = 2, .height = 2},
     .maxSide = kX264MaxSide},
    {.fourcc = mmioFOURCC('M', 'S', 'V', 'C'),
     .name = u"MSVC",
     .description = u"Microsoft Video 1",
     .encoder = "msvideo1",
     .pixelFormat = AV_PIX_FMT_RGB555LE,
     .flags = VIDCF_TEMPORAL,
     .quality = QualityControl::None,
     .sizeStep = {.width = 4, .height = 4},
     .keyIntervalBias = -1},
    {.fourcc = mmioFOURCC('c', 'v', 'i', 'd'),
     .name = u"cvid",
     .description = u"Cinepak",
     .encoder = "cinepak",
     .pixelFormat = AV_PIX_FMT_RGB24,
     .flags = VIDCF_TEMPORAL,
     .quality = QualityControl::None,
     .sizeStep = {.width = 4, .height = 4}},
};

bool SameFourCC(FOURCC a, FOURCC b)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (AsciiUpper(static_cast<char>(a >> shift)) != AsciiUpper(static_cast<char>(b >> shift)))
            return false;
    return true;
}

} // namespace

const std::vector<const CompressorDescriptor*>& InstalledCompressors()
{
    static const std::vector<const CompressorDescriptor*> installed = [] {
        std::vector<const CompressorDescriptor*> rows;
        for (const CompressorDescriptor& d : kCatalogue)
            if (d.engine != CompressorEngine::Avcodec || avcodec_find_encoder_by_name(d.encoder))
                rows.push_back(&d);
        return rows;
    }();
    return installed;
}

const CompressorDescriptor* FindInstalledCompressor(FOURCC fourcc)
{
    for (const CompressorDescriptor* d : InstalledCompressors())
        if (SameFourCC(d->fourcc, fourcc))
            return d;
    return nullptr;
}

} // namespace vfw
