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
                                                     "fast", "medium", "slow"};

constexpr std::array<CompressorOption, 1> kHuffyuvOptions = {{
    {"pred", u"Prediction", 0, 1, 0, kHuffyuvPredictors, u"予測"},
}};
constexpr std::array<CompressorOption, 2> kFfv1Options = {{
    {"coder", u"Range coder", 0, 1, 1, {}, u"レンジコーダ"},
    {"context", u"Large context", 0, 1, 0, {}, u"大きなコンテキスト"},
}};
constexpr std::array<CompressorOption, 1> kUtVideoOptions = {{
    {"pred", u"Prediction", 0, 2, 0, kUtVideoPredictors, u"予測"},
}};
constexpr std::array<CompressorOption, 2> kPngOptions = {{
    {"pred", u"Prediction", 0, 5, 4, kPngPredictors, u"予測"},
    {"compression_level", u"Compression level", 0, 9, 6, {}, u"圧縮レベル"},
}};
constexpr std::array<CompressorOption, 1> kZmbvOptions = {{
    {"compression_level", u"Compression level", 0, 9, 6, {}, u"圧縮レベル"},
}};
constexpr std::array<CompressorOption, 2> kX264Options = {{
    {"preset", u"Preset", 0, 6, 2, kX264Presets, u"プリセット"},
    {kLosslessSwitch, u"Lossless (4:4:4)", 0, 1, 0, {}, u"ロスレス (4:4:4)"},
}};

constexpr DWORD kLossy = VIDCF_QUALITY | VIDCF_TEMPORAL;
constexpr const char* kMpegKeyFrames = "sc_threshold=1000000000";

const CompressorDescriptor kCatalogue[] = {
    {mmioFOURCC('M', 'J', 'P', 'G'), u"MJPG", u"Motion JPEG", nullptr, AV_PIX_FMT_NONE, VIDCF_QUALITY,
     QualityControl::Jpeg, "", {}, 1, {}, 0, CompressorEngine::JpegBands},
    {mmioFOURCC('H', 'F', 'Y', 'U'), u"HFYU", u"Huffyuv lossless", "huffyuv", AV_PIX_FMT_RGB24, 0,
     QualityControl::None, "", kHuffyuvOptions, 1},
    {mmioFOURCC('F', 'F', 'V', '1'), u"FFV1", u"FFV1 lossless", "ffv1", AV_PIX_FMT_0RGB32, VIDCF_TEMPORAL,
     QualityControl::None, "", kFfv1Options, 1, {}, 0, CompressorEngine::Avcodec, true},
    {mmioFOURCC('U', 'L', 'R', 'G'), u"ULRG", u"Ut Video RGB lossless", "utvideo", AV_PIX_FMT_GBRP, 0,
     QualityControl::None, "", kUtVideoOptions, 1},
    {mmioFOURCC('M', 'P', 'N', 'G'), u"MPNG", u"Motion PNG lossless", "png", AV_PIX_FMT_RGB24, 0,
     QualityControl::None, "", kPngOptions, 1},
    {mmioFOURCC('Z', 'M', 'B', 'V'), u"ZMBV", u"Zip Motion Blocks lossless", "zmbv", AV_PIX_FMT_0RGB32,
     VIDCF_TEMPORAL, QualityControl::None, "", kZmbvOptions, 1},
    {mmioFOURCC('M', 'P', '4', '2'), u"MP42", u"MPEG-4 Microsoft variant version 2", "msmpeg4v2",
     AV_PIX_FMT_YUV420P, kLossy, QualityControl::QScale, kMpegKeyFrames, {}, 1},
    {mmioFOURCC('M', 'P', '4', '3'), u"MP43", u"MPEG-4 Microsoft variant version 3", "msmpeg4",
     AV_PIX_FMT_YUV420P, kLossy, QualityControl::QScale, kMpegKeyFrames, {}, 1},
    {mmioFOURCC('W', 'M', 'V', '1'), u"WMV1", u"Windows Media Video 7", "wmv1", AV_PIX_FMT_YUV420P, kLossy,
     QualityControl::QScale, kMpegKeyFrames, {}, 1, {2, 1}},
    {mmioFOURCC('W', 'M', 'V', '2'), u"WMV2", u"Windows Media Video 8", "wmv2", AV_PIX_FMT_YUV420P, kLossy,
     QualityControl::QScale, kMpegKeyFrames, {}, 1, {2, 1}},
    {mmioFOURCC('X', 'V', 'I', 'D'), u"XVID", u"MPEG-4 part 2 (Xvid tag)", "mpeg4", AV_PIX_FMT_YUV420P, kLossy,
     QualityControl::QScale, kMpegKeyFrames, {}, 1},
    {mmioFOURCC('F', 'M', 'P', '4'), u"FMP4", u"MPEG-4 part 2", "mpeg4", AV_PIX_FMT_YUV420P, kLossy,
     QualityControl::QScale, kMpegKeyFrames, {}, 1},
    {mmioFOURCC('H', '2', '6', '4'), u"H264", u"H.264 (x264)", "libx264", AV_PIX_FMT_YUV420P, kLossy,
     QualityControl::Crf, "tune=zerolatency;x264-params=scenecut=0:bframes=0", kX264Options, 2, {2, 2}},
    {mmioFOURCC('M', 'S', 'V', 'C'), u"MSVC", u"Microsoft Video 1", "msvideo1", AV_PIX_FMT_RGB555LE,
     VIDCF_TEMPORAL, QualityControl::None, "", {}, 1, {4, 4}, -1},
    {mmioFOURCC('c', 'v', 'i', 'd'), u"cvid", u"Cinepak", "cinepak", AV_PIX_FMT_RGB24, VIDCF_TEMPORAL,
     QualityControl::None, "", {}, 1, {4, 4}},
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
