#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/frame_encoder.h"

#include "platform/av/av_handles.h"
#include "tests/support/guarded_block.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/imgutils.h>
}

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using vfw::CompressorDescriptor;
using vfw::CompressorEngine;
using vfw::EncodedFrame;
using vfw::EncoderSettings;

namespace {

// Gradients with a little noise on top, so that every pixel and channel tells whether it came
// from the right place while the lossy compressors still find their blocks quickly.
std::vector<uint8_t> TestPicture(int width, int height)
{
    std::vector<uint8_t> picture(static_cast<size_t>(width) * height * 3);
    uint32_t state = 0x9e3779b9u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                state ^= state << 13;
                state ^= state >> 17;
                state ^= state << 5;
                const int smooth = channel == 0 ? x : channel == 1 ? y : x + y;
                picture[(static_cast<size_t>(y) * width + x) * 3 + channel] = static_cast<uint8_t>(smooth +
                                                                                                   (state >> 29));
            }
    return picture;
}

// The picture's rows laid out in a guarded block with 4-byte aligned rows, in either order, so
// that the last pixel of the row at the end of memory is the last readable byte.
class GuardedFrame {
public:
    GuardedFrame(const std::vector<uint8_t>& picture, int width, int height, bool bottomUp)
        : m_rowBytes(static_cast<size_t>(width) * 3), m_rowStride((width * 3 + 3) & ~3),
          m_block(static_cast<size_t>(m_rowStride) * (height - 1) + m_rowBytes)
    {
        uint8_t* block = m_block.data();
        if (!block)
            return;
        m_top = bottomUp ? block + static_cast<ptrdiff_t>(m_rowStride) * (height - 1) : block;
        m_stride = bottomUp ? -m_rowStride : m_rowStride;
        for (int y = 0; y < height; ++y)
            std::memcpy(m_top + static_cast<ptrdiff_t>(y) * m_stride, picture.data() + y * m_rowBytes, m_rowBytes);
    }
    const uint8_t* top() const { return m_top; }
    int stride() const { return m_stride; }

private:
    size_t m_rowBytes;
    int m_rowStride;
    GuardedBlock m_block;
    uint8_t* m_top = nullptr;
    int m_stride = 0;
};

// The compressors whose frames go through the colour conversion; the lossless ones give the
// picture back exactly. Cinepak takes seconds for a large frame; its conversion is HFYU's.
struct ConvertedCompressor {
    FOURCC fourcc;
    bool lossless;
    int largestWidth = 1920;
};
const ConvertedCompressor kConvertedCompressors[] = {
    {mmioFOURCC('H', 'F', 'Y', 'U'), true},      {mmioFOURCC('F', 'F', 'V', '1'), true},
    {mmioFOURCC('U', 'L', 'R', 'G'), true},      {mmioFOURCC('M', 'P', 'N', 'G'), true},
    {mmioFOURCC('Z', 'M', 'B', 'V'), true},      {mmioFOURCC('M', 'S', 'V', 'C'), false},
    {mmioFOURCC('c', 'v', 'i', 'd'), false, 20},
};

bool IsConverted(const CompressorDescriptor& d)
{
    return d.engine == CompressorEngine::Avcodec && d.pixelFormat != AV_PIX_FMT_YUV420P;
}

std::string FourCCText(FOURCC fourcc)
{
    return {static_cast<char>(fourcc & 0xff), static_cast<char>((fourcc >> 8) & 0xff),
            static_cast<char>((fourcc >> 16) & 0xff), static_cast<char>(fourcc >> 24)};
}

// Converts a frame of any RGB format to packed BGR24 rows, top row first.
std::vector<uint8_t> ToBgr24(const AVFrame& frame)
{
    av::SwsPtr scaler(sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), frame.width,
                                     frame.height, AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler)
        return {};
    const int rowBytes = frame.width * 3;
    std::vector<uint8_t> rows(static_cast<size_t>(rowBytes) * frame.height + AV_INPUT_BUFFER_PADDING_SIZE);
    uint8_t* const dst[4] = {rows.data()};
    const int dstStride[4] = {rowBytes};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, dst, dstStride) != frame.height)
        return {};
    rows.resize(rows.size() - AV_INPUT_BUFFER_PADDING_SIZE);
    return rows;
}

// Decodes one compressed frame back to packed BGR24 rows.
std::vector<uint8_t> Decode(const CompressorDescriptor& d, const std::vector<uint8_t>& extraData, WORD bitCount,
                            const EncodedFrame& encoded, int width, int height)
{
    const AVCodec* encoder = avcodec_find_encoder_by_name(d.encoder);
    const AVCodec* decoder = encoder ? avcodec_find_decoder(encoder->id) : nullptr;
    if (!decoder)
        return {};
    av::CodecContextPtr context(avcodec_alloc_context3(decoder));
    context->width = width;
    context->height = height;
    context->bits_per_coded_sample = bitCount;
    context->codec_tag = d.fourcc;
    if (!extraData.empty()) {
        context->extradata = static_cast<uint8_t*>(av_mallocz(extraData.size() + AV_INPUT_BUFFER_PADDING_SIZE));
        std::memcpy(context->extradata, extraData.data(), extraData.size());
        context->extradata_size = static_cast<int>(extraData.size());
    }
    if (avcodec_open2(context.get(), decoder, nullptr) < 0)
        return {};
    av::PacketPtr packet(av_packet_alloc());
    if (av_new_packet(packet.get(), static_cast<int>(encoded.bytes)) < 0)
        return {};
    std::memcpy(packet->data, encoded.data, encoded.bytes);
    packet->flags = AV_PKT_FLAG_KEY;
    av::FramePtr frame(av_frame_alloc());
    if (avcodec_send_packet(context.get(), packet.get()) < 0 || avcodec_send_packet(context.get(), nullptr) < 0 ||
        avcodec_receive_frame(context.get(), frame.get()) < 0)
        return {};
    return ToBgr24(*frame);
}

// What the encoder makes of the picture converted by libswscale from a padded frame of its own.
std::vector<uint8_t> EncodeCopyConverted(const CompressorDescriptor& d, const std::vector<uint8_t>& picture, int width,
                                         int height)
{
    av::FramePtr source(av_frame_alloc());
    av::FramePtr converted(av_frame_alloc());
    source->format = AV_PIX_FMT_BGR24;
    source->width = width;
    source->height = height;
    converted->format = d.pixelFormat;
    converted->width = width;
    converted->height = height;
    if (av_frame_get_buffer(source.get(), 0) < 0 || av_frame_get_buffer(converted.get(), 0) < 0)
        return {};
    for (int y = 0; y < height; ++y)
        std::memcpy(source->data[0] + static_cast<ptrdiff_t>(y) * source->linesize[0],
                    picture.data() + static_cast<size_t>(y) * width * 3, static_cast<size_t>(width) * 3);
    av::SwsPtr scaler(sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, d.pixelFormat, SWS_BILINEAR,
                                     nullptr, nullptr, nullptr));
    if (!scaler || sws_scale_frame(scaler.get(), converted.get(), source.get()) < 0)
        return {};

    av::CodecContextPtr context(avcodec_alloc_context3(avcodec_find_encoder_by_name(d.encoder)));
    context->width = width;
    context->height = height;
    context->pix_fmt = d.pixelFormat;
    context->time_base = AVRational{1, 30};
    if (avcodec_open2(context.get(), context->codec, nullptr) < 0)
        return {};
    av::PacketPtr packet(av_packet_alloc());
    if (avcodec_send_frame(context.get(), converted.get()) < 0 ||
        avcodec_receive_packet(context.get(), packet.get()) < 0)
        return {};
    return {packet->data, packet->data + packet->size};
}

struct FrameSize {
    int width;
    int height;
};
// Whole pages, one pixel, odd widths under 16 pixels, rows too short for the scaler's reads, a
// full HD frame; the 4-pixel sizes are for the compressors that take only those.
const FrameSize kSizes[] = {{640, 480}, {1, 1}, {5, 3}, {17, 2}, {1920, 1080}, {4, 4}, {20, 8}};

TEST(AvcodecEncoder, TheConvertedCompressorsAreTheOnesTestedHere)
{
    for (const CompressorDescriptor* d : vfw::InstalledCompressors())
        if (IsConverted(*d)) {
            EXPECT_TRUE(std::any_of(std::begin(kConvertedCompressors), std::end(kConvertedCompressors),
                                    [&](const ConvertedCompressor& c) { return c.fourcc == d->fourcc; }))
                << FourCCText(d->fourcc);
        }
}

void PrintTo(const ConvertedCompressor& compressor, std::ostream* out) { *out << FourCCText(compressor.fourcc); }

class ConvertedCompressorTest : public testing::TestWithParam<ConvertedCompressor> {};

// libswscale's row readers read some bytes past the end of a row; rows read in place must never
// take that past the caller's block, in either row order, and the frames must come out as a
// conversion from a padded copy makes them.
TEST_P(ConvertedCompressorTest, ReadsNothingPastTheCallersRowsAndConvertsAsFromAPaddedCopy)
{
    const ConvertedCompressor& compressor = GetParam();
    const CompressorDescriptor* d = vfw::FindInstalledCompressor(compressor.fourcc);
    if (!d)
        GTEST_SKIP() << "not installed";
    ASSERT_TRUE(IsConverted(*d));
    for (const FrameSize& size : kSizes) {
        if (size.width % d->sizeStep.width != 0 || size.height % d->sizeStep.height != 0 ||
            size.width > compressor.largestWidth)
            continue;
        const std::vector<uint8_t> picture = TestPicture(size.width, size.height);
        const std::vector<uint8_t> reference = compressor.lossless
                                                   ? picture
                                                   : EncodeCopyConverted(*d, picture, size.width, size.height);
        ASSERT_FALSE(reference.empty());
        for (const bool bottomUp : {false, true}) {
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) +
                         (bottomUp ? " bottom-up" : " top-down"));
            const GuardedFrame frame(picture, size.width, size.height, bottomUp);
            ASSERT_NE(frame.top(), nullptr);
            const auto encoder = vfw::MakeFrameEncoder(*d);
            ASSERT_TRUE(encoder->Open(size.width, size.height, EncoderSettings{}));
            EncodedFrame encoded;
            ASSERT_TRUE(encoder->Encode(frame.top(), frame.stride(), encoded));
            if (compressor.lossless) {
                EXPECT_TRUE(Decode(*d, encoder->ExtraData(), encoder->BitCount(), encoded, size.width, size.height) ==
                            reference);
            } else {
                EXPECT_TRUE(std::vector<uint8_t>(encoded.data, encoded.data + encoded.bytes) == reference);
            }
        }
    }
}

// A frame copied for the encoder (converted on the way) gives the same packets, frame after frame,
// as the frame converted into the encoder's own, and the original frame stays as it was.
TEST_P(ConvertedCompressorTest, EncodingACopyGivesThePacketsOfTheFrame)
{
    const ConvertedCompressor& compressor = GetParam();
    const CompressorDescriptor* d = vfw::FindInstalledCompressor(compressor.fourcc);
    if (!d)
        GTEST_SKIP() << "not installed";
    const FrameSize size{20, 8};
    for (const bool bottomUp : {false, true}) {
        SCOPED_TRACE(bottomUp ? "bottom-up" : "top-down");
        const auto copying = vfw::MakeFrameEncoder(*d);
        const auto fromCopy = vfw::MakeFrameEncoder(*d);
        ASSERT_TRUE(copying->Open(size.width, size.height, EncoderSettings{}));
        ASSERT_TRUE(fromCopy->Open(size.width, size.height, EncoderSettings{}));
        for (int i = 0; i < 3; ++i) {
            std::vector<uint8_t> picture = TestPicture(size.width, size.height);
            picture[static_cast<size_t>(i)] ^= 0xFF;
            const uint8_t* top = bottomUp ? picture.data() + static_cast<ptrdiff_t>(size.width * 3) * (size.height - 1)
                                          : picture.data();
            const int stride = bottomUp ? -size.width * 3 : size.width * 3;
            EncodedFrame copied;
            ASSERT_TRUE(copying->Encode(top, stride, copied));
            const std::vector<uint8_t> expected(copied.data, copied.data + copied.bytes);
            const std::vector<uint8_t> original = picture;
            std::vector<uint8_t> copy(picture.size());
            fromCopy->CopyFrame(picture.data(), copy.data(), size.width, size.height, size.width * 3);
            EXPECT_TRUE(picture == original) << i;
            uint8_t* copyTop = copy.data() + (top - picture.data());
            EncodedFrame converted;
            ASSERT_TRUE(fromCopy->EncodeCopy(copyTop, stride, converted));
            EXPECT_TRUE(std::vector<uint8_t>(converted.data, converted.data + converted.bytes) == expected) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AvcodecEncoder, ConvertedCompressorTest, testing::ValuesIn(kConvertedCompressors),
                         [](const testing::TestParamInfo<ConvertedCompressor>& info) {
                             return FourCCText(info.param.fourcc);
                         });

} // namespace
