#include "platform/wmf/picture_converter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using wmf::PictureConverter;
using wmf::SampleBuffer;
using wmf::VideoInputLayout;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kStride = kWidth * 3;

VideoInputLayout BottomUpBgr()
{
    VideoInputLayout layout;
    layout.format = AV_PIX_FMT_BGR24;
    layout.width = kWidth;
    layout.height = kHeight;
    layout.bottomUp = true;
    layout.strides[0] = kStride;
    layout.planeBytes[0] = layout.frameBytes = static_cast<size_t>(kStride) * kHeight;
    layout.frameDuration = 333667;
    return layout;
}

// A picture that differs from frame to frame, so a frame handed back out of turn shows.
std::vector<BYTE> Pixels(int frame)
{
    std::vector<BYTE> pixels(static_cast<size_t>(kStride) * kHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<BYTE>((i * 7 + i / kStride * 13 + static_cast<size_t>(frame) * 29) & 0xFF);
    return pixels;
}

ComPtr<SampleBuffer> Sample(const std::vector<BYTE>& pixels)
{
    ComPtr<SampleBuffer> sample = ComPtr<SampleBuffer>::Adopt(SampleBuffer::Create(static_cast<DWORD>(pixels.size())));
    BYTE* data = nullptr;
    EXPECT_EQ(sample->GetBuffer(&data), S_OK);
    std::memcpy(data, pixels.data(), pixels.size());
    return sample;
}

// The same bottom-up frame converted by a scaler of its own, as one call on the caller's thread.
std::vector<BYTE> ConvertedDirectly(const std::vector<BYTE>& pixels, int width, int height)
{
    av::SwsPtr scaler(sws_getContext(kWidth, kHeight, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                     nullptr, nullptr, nullptr));
    std::vector<BYTE> out(static_cast<size_t>(width * height * 3 / 2));
    uint8_t* planes[4] = {out.data(), out.data() + width * height, out.data() + width * height * 5 / 4, nullptr};
    int strides[4] = {width, width / 2, width / 2, 0};
    const uint8_t* source[4] = {pixels.data() + static_cast<size_t>(kStride) * (kHeight - 1)};
    const int sourceStrides[4] = {-kStride};
    EXPECT_EQ(sws_scale(scaler.get(), source, sourceStrides, 0, kHeight, planes, strides), height);
    return out;
}

std::vector<BYTE> Planes(const AVFrame& picture)
{
    std::vector<BYTE> out;
    for (int plane = 0; plane < 3; ++plane) {
        const int width = plane == 0 ? picture.width : picture.width / 2;
        const int height = plane == 0 ? picture.height : picture.height / 2;
        for (int y = 0; y < height; ++y) {
            const BYTE* row = picture.data[plane] + static_cast<ptrdiff_t>(y) * picture.linesize[plane];
            out.insert(out.end(), row, row + width);
        }
    }
    return out;
}

// Frames spread over the lanes come back in the order they were added, each exactly as one
// scaler on one thread converts it, scaled down or kept at its size.
TEST(PictureConverter, HandsBackEveryFrameInTurnAsADirectConversionGivesIt)
{
    for (const int width : {kWidth, kWidth / 2}) {
        const int height = width * kHeight / kWidth;
        SCOPED_TRACE(width);
        std::unique_ptr<PictureConverter> converter = PictureConverter::Create(BottomUpBgr(), width, height,
                                                                               AV_PIX_FMT_YUV420P);
        ASSERT_TRUE(converter);
        constexpr int kFrames = 9;
        for (int frame = 0; frame < kFrames; ++frame)
            converter->Add(Sample(Pixels(frame)));
        for (int frame = 0; frame < kFrames; ++frame) {
            const av::FramePtr picture = converter->TakeOldest();
            ASSERT_TRUE(picture) << frame;
            EXPECT_EQ(picture->width, width);
            EXPECT_EQ(picture->format, AV_PIX_FMT_YUV420P);
            EXPECT_EQ(Planes(*picture), ConvertedDirectly(Pixels(frame), width, height)) << "frame " << frame;
        }
        EXPECT_FALSE(converter->TakeOldest()) << "nothing more was added";
    }
}

// A sample too short for a frame gives no picture in its turn; the frames around it still come.
TEST(PictureConverter, ASampleShorterThanAFrameGivesNoPictureInItsTurn)
{
    std::unique_ptr<PictureConverter> converter = PictureConverter::Create(BottomUpBgr(), kWidth, kHeight,
                                                                           AV_PIX_FMT_YUV420P);
    ASSERT_TRUE(converter);
    std::vector<BYTE> shortFrame = Pixels(1);
    shortFrame.resize(shortFrame.size() - 1);
    converter->Add(Sample(Pixels(0)));
    converter->Add(Sample(shortFrame));
    converter->Add(Sample(Pixels(2)));
    const av::FramePtr first = converter->TakeOldest();
    const av::FramePtr failed = converter->TakeOldest();
    const av::FramePtr third = converter->TakeOldest();
    ASSERT_TRUE(first);
    EXPECT_FALSE(failed);
    ASSERT_TRUE(third);
    EXPECT_EQ(Planes(*third), ConvertedDirectly(Pixels(2), kWidth, kHeight));
}

TEST(PictureConverter, UnscalableSizesMakeNoConverter)
{
    EXPECT_FALSE(PictureConverter::Create(BottomUpBgr(), 0, kHeight, AV_PIX_FMT_YUV420P));
}

} // namespace
