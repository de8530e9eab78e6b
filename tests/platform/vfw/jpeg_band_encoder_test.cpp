#include "platform/vfw/jpeg_band_encoder.h"

#include "platform/av/av_handles.h"
#include "workers/part_pool.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <random>

#include <jpeglib.h>

extern "C" {
#include <libavcodec/avcodec.h>

using vfw::EncodedFrame;
using vfw::EncoderSettings;
using vfw::JpegBandEncoder;
using vfw::JpegBandPlan;
using vfw::JpegQuality;
using vfw::PlanJpegBands;
}

namespace {

// Top-down BGR rows with smooth areas, edges and noise, so every band has real content.
std::vector<uint8_t> MakePicture(int width, int height)
{
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);
    std::mt19937 random(static_cast<unsigned>(width * 7919 + height));
    std::uniform_int_distribution<int> noise(-20, 20);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rows[(static_cast<size_t>(y) * width + x) * 3];
            const bool stripe = (x / 37 + y / 23) % 3 == 0;
            p[0] = static_cast<uint8_t>(std::clamp(x * 255 / width + noise(random), 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(y * 255 / height + noise(random), 0, 255));
            p[2] = static_cast<uint8_t>(stripe ? 240 : std::clamp(128 + noise(random), 0, 255));
        }
    return rows;
}

struct JpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void Throw(j_common_ptr object) { std::longjmp(reinterpret_cast<JpegError*>(object->err)->jump, 1); }

// The picture compressed in one piece by libjpeg with the settings the bands use.
std::vector<uint8_t> CompressWhole(const std::vector<uint8_t>& rows, int width, int height, int quality)
{
    jpeg_compress_struct c{};
    JpegError error{};
    c.err = jpeg_std_error(&error.pub);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long bytes = 0;
    jpeg_mem_dest(&c, &buffer, &bytes);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rows[static_cast<size_t>(c.next_scanline) * width * 3]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> jpeg(buffer, buffer + bytes);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return jpeg;
}

// libjpeg's decoding: BGR rows, or empty when the data is refused or damaged.
std::vector<uint8_t> DecodeWithLibjpeg(const std::vector<uint8_t>& jpeg, int* width, int* height)
{
    jpeg_decompress_struct d{};
    JpegError error{};
    d.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = Throw;
    std::vector<uint8_t> rows;
    int warnings = 0;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&d);
        return {};
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&d);
    *width = static_cast<int>(d.output_width);
    *height = static_cast<int>(d.output_height);
    rows.resize(static_cast<size_t>(*width) * *height * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &rows[static_cast<size_t>(d.output_scanline) * *width * 3];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    warnings = static_cast<int>(error.pub.num_warnings);
    jpeg_destroy_decompress(&d);
    return warnings == 0 ? rows : std::vector<uint8_t>{};
}

// libavcodec's decoding: the three planes one after another, or empty on any error.
std::vector<uint8_t> DecodeWithLibavcodec(const std::vector<uint8_t>& jpeg)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    context->err_recognition = AV_EF_EXPLODE | AV_EF_BITSTREAM | AV_EF_BUFFER;
    if (avcodec_open2(context.get(), codec, nullptr) < 0 ||
        av_new_packet(packet.get(), static_cast<int>(jpeg.size())) < 0)
        return {};
    std::copy(jpeg.begin(), jpeg.end(), packet->data);
    if (avcodec_send_packet(context.get(), packet.get()) < 0 || avcodec_receive_frame(context.get(), frame.get()) < 0 ||
        (frame->decode_error_flags != 0))
        return {};
    std::vector<uint8_t> planes;
    for (int plane = 0; plane < 3; ++plane) {
        const int w = plane == 0 ? frame->width : (frame->width + 1) / 2;
        const int h = plane == 0 ? frame->height : (frame->height + 1) / 2;
        for (int y = 0; y < h; ++y)
            planes.insert(planes.end(), frame->data[plane] + static_cast<ptrdiff_t>(y) * frame->linesize[plane],
                          frame->data[plane] + static_cast<ptrdiff_t>(y) * frame->linesize[plane] + w);
    }
    return planes;
}

std::vector<uint8_t> EncodeInBands(const std::vector<uint8_t>& rows, int width, int height, int quality, bool bottomUp)
{
    JpegBandEncoder encoder;
    EncoderSettings settings;
    settings.quality = quality * 100;
    if (!encoder.Open(width, height, settings))
        return {};
    // The compressor hands bottom-up frames over as their last row with a negative stride.
    std::vector<uint8_t> flipped;
    const uint8_t* top = rows.data();
    int stride = width * 3;
    if (bottomUp) {
        for (int y = height - 1; y >= 0; --y)
            flipped.insert(flipped.end(), rows.begin() + static_cast<ptrdiff_t>(y) * stride,
                           rows.begin() + static_cast<ptrdiff_t>(y + 1) * stride);
        top = flipped.data() + static_cast<ptrdiff_t>(height - 1) * stride;
        stride = -stride;
    }
    EncodedFrame frame;
    if (!encoder.Encode(top, stride, frame) || !frame.key)
        return {};
    return {frame.data, frame.data + frame.bytes};
}

// The markers between start of image and end of image, in order, without their segments' data.
std::vector<int> RestartMarkers(const std::vector<uint8_t>& jpeg)
{
    std::vector<int> markers;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xD0 && jpeg[i + 1] <= 0xD7)
            markers.push_back(jpeg[i + 1] - 0xD0);
    return markers;
}

TEST(JpegBandPlan, CutsWholeMcuRowsIntoOneBandPerThreadWithinTheRestartIntervalLimit)
{
    struct Case {
        int width, height, threads;
        JpegBandPlan expected;
    };
    const Case cases[] = {
        {1280, 720, 8, {6, 8}}, // 45 MCU rows: seven bands of 6 and one of 3
        {1920, 1080, 8, {9, 8}}, // 67.5 MCU rows: the last band ends in a partial one
        {1280, 720, 1, {45, 1}}, // one thread: one piece
        {64, 48, 8, {3, 1}}, // too small to be worth the threads
        {4096, 17, 8, {1, 2}}, // the second band is one pixel row
        {32768, 8192, 8, {31, 17}}, // 2048 MCUs a row: 31 rows per interval at most
        {65535 * 16 + 16, 64, 8, {4, 1}}, // a row longer than any interval: one piece
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const JpegBandPlan plan = PlanJpegBands(c.width, c.height, c.threads);
        EXPECT_EQ(plan.rowsPerBand, c.expected.rowsPerBand);
        EXPECT_EQ(plan.bands, c.expected.bands);
        const int mcuRows = (c.height + 15) / 16;
        EXPECT_GE(plan.rowsPerBand * plan.bands, mcuRows);
        EXPECT_LT(plan.rowsPerBand * (plan.bands - 1), mcuRows);
        if (plan.bands > 1) {
            EXPECT_LE(plan.rowsPerBand * ((c.width + 15) / 16), 65535);
        }
    }
}

TEST(JpegBandEncoder, QualityRunsFromOneToAHundredWithSeventyFiveByDefault)
{
    const std::pair<LONG, int> cases[] = {{-1, 75},   {0, 1},     {149, 1},     {150, 2},
                                          {5049, 50}, {5050, 51}, {10000, 100}, {20000, 100}};
    for (const auto& [quality, expected] : cases)
        EXPECT_EQ(JpegQuality(quality), expected) << quality;
}

// Joined bands must decode, in libjpeg and in libavcodec, to exactly the pixels of the same
// picture compressed in one piece: the bands change the bit stream, never the picture.
TEST(JpegBandEncoder, JoinedBandsDecodeToThePixelsOfTheWholePictureInBothDecoders)
{
    struct Case {
        int width, height, quality;
    };
    const Case cases[] = {{1280, 720, 90}, {1001, 333, 75}, {4096, 17, 100}, {64, 48, 50}, {1920, 1080, 30}};
    for (const Case& c : cases)
        for (const bool bottomUp : {true, false}) {
            SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) +
                         (bottomUp ? " bottom-up" : " top-down"));
            const std::vector<uint8_t> picture = MakePicture(c.width, c.height);
            const std::vector<uint8_t> joined = EncodeInBands(picture, c.width, c.height, c.quality, bottomUp);
            ASSERT_FALSE(joined.empty());
            const std::vector<uint8_t> whole = CompressWhole(picture, c.width, c.height, c.quality);

            int width = 0, height = 0;
            const std::vector<uint8_t> pixels = DecodeWithLibjpeg(joined, &width, &height);
            EXPECT_EQ(width, c.width);
            EXPECT_EQ(height, c.height);
            int wholeWidth = 0, wholeHeight = 0;
            EXPECT_TRUE(pixels == DecodeWithLibjpeg(whole, &wholeWidth, &wholeHeight));
            const std::vector<uint8_t> planes = DecodeWithLibavcodec(joined);
            ASSERT_FALSE(planes.empty());
            EXPECT_TRUE(planes == DecodeWithLibavcodec(whole));

            const JpegBandPlan plan = PlanJpegBands(c.width, c.height, workers::PartPool::Instance().Threads());
            std::vector<int> expected;
            for (int i = 0; i + 1 < plan.bands; ++i)
                expected.push_back(i % 8);
            EXPECT_EQ(RestartMarkers(joined), expected);
        }
}

TEST(JpegBandEncoder, RefusesEmptySizesAndFramesBeforeOpenOrWithoutRows)
{
    JpegBandEncoder encoder;
    EncodedFrame frame;
    const std::vector<uint8_t> picture = MakePicture(32, 32);
    EXPECT_FALSE(encoder.Encode(picture.data(), 96, frame));
    EXPECT_FALSE(encoder.Open(0, 32, EncoderSettings{}));
    EXPECT_FALSE(encoder.Open(32, -1, EncoderSettings{}));
    ASSERT_TRUE(encoder.Open(32, 32, EncoderSettings{}));
    EXPECT_FALSE(encoder.Encode(nullptr, 96, frame));
    EXPECT_TRUE(encoder.Encode(picture.data(), 96, frame));
}

} // namespace
