#include "platform/wmf/media_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using wmf::SampleBuffer;
using wmf::SampleStore;

BYTE* Bytes(const ComPtr<SampleBuffer>& sample)
{
    BYTE* bytes = nullptr;
    EXPECT_EQ(sample->GetBuffer(&bytes), S_OK);
    return bytes;
}

ComPtr<SampleBuffer> Sample(DWORD size, const std::shared_ptr<SampleStore>& store)
{
    return ComPtr<SampleBuffer>::Adopt(SampleBuffer::Create(size, store));
}

// A run asks for a frame's block every frame: a released sample's block serves the next sample of
// its size, and only of its size.
TEST(SampleStore, AReleasedBlockServesTheNextSampleOfItsSize)
{
    const auto store = std::make_shared<SampleStore>();
    ComPtr<SampleBuffer> first = Sample(4096, store);
    ASSERT_TRUE(first);
    const BYTE* block = Bytes(first);
    first.Reset();
    ComPtr<SampleBuffer> other = Sample(2048, store);
    ComPtr<SampleBuffer> next = Sample(4096, store);
    ASSERT_TRUE(other && next);
    EXPECT_NE(Bytes(other), block);
    EXPECT_EQ(Bytes(next), block);
    DWORD size = 0;
    EXPECT_EQ(next->GetMaxLength(&size), S_OK);
    EXPECT_EQ(size, 4096u);
}

// Samples may outlive whoever made the store: theirs is released with the last of them.
TEST(SampleStore, SamplesKeepTheirStoreAlive)
{
    std::vector<ComPtr<SampleBuffer>> samples;
    {
        const auto store = std::make_shared<SampleStore>();
        for (int i = 0; i < 20; ++i)
            samples.push_back(Sample(1000, store));
    }
    for (ComPtr<SampleBuffer>& sample : samples) {
        ASSERT_TRUE(sample);
        Bytes(sample)[999] = 1;
        sample.Reset();
    }
}

TEST(SampleStore, OversizedSamplesAreRefused)
{
    EXPECT_EQ(SampleBuffer::Create(0xFFFFFFFFu, std::make_shared<SampleStore>()), nullptr);
}

} // namespace
