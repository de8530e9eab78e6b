// Converts video samples to an encoder's picture format on threads of its own, so that the next
// frames are converted while one is encoded. Frames take turns over a few lanes, each with a
// thread and a scaler of its own; they are handed back in the order they came.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/media_objects.h"
#include "workers/serial_worker.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace wmf {

// How the bytes of one video sample are laid out.
struct VideoInputLayout {
    AVPixelFormat format = AV_PIX_FMT_NONE;
    int width = 0;
    int height = 0;
    bool bottomUp = false;
    bool swapChroma = false; // planes stored Y, V, U
    int planeCount = 1;
    int strides[3] = {};
    size_t planeBytes[3] = {};
    size_t frameBytes = 0;
    int64_t frameDuration = 0; // 100-ns units
};

class PictureConverter {
public:
    // Pictures of width x height in format, scaled bicubically; null when the scaler cannot be
    // set up for them.
    [[nodiscard]] static std::unique_ptr<PictureConverter> Create(const VideoInputLayout& input, int width, int height,
                                                                  AVPixelFormat format);
    // Finishes the conversions under way and drops the pictures not taken.
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Starts converting the sample, which must hold a whole frame of the input layout; the sample
    // is held until then. Waits while a few samples already wait. Throws std::bad_alloc when out
    // of memory, and the converter is then out of step with its caller.
    void Add(ComPtr<SampleBuffer> sample);
    // Waits for the oldest picture added and not yet taken. Null when its conversion failed, when
    // it could not be kept, or when every picture added was taken.
    av::FramePtr TakeOldest();

private:
    struct Lane {
        av::SwsPtr scaler;
        std::deque<ComPtr<SampleBuffer>> samples; // added, not yet converted
        std::deque<av::FramePtr> pictures; // converted, not yet taken
        bool lost = false; // a picture could not be kept: the lane hands out no more
        std::unique_ptr<workers::SerialWorker> worker;
    };

    PictureConverter(const VideoInputLayout& input, int width, int height, AVPixelFormat format);
    void ConvertOldestSample(Lane& lane);
    av::FramePtr Convert(SwsContext* scaler, const SampleBuffer& sample) const;

    const VideoInputLayout m_input;
    const int m_width;
    const int m_height;
    const AVPixelFormat m_format;
    std::vector<Lane> m_lanes;
    size_t m_nextAdded = 0; // the lane of the next sample added
    size_t m_nextTaken = 0; // the lane of the next picture taken
    std::mutex m_lock; // guards the lanes' queues and m_untaken
    std::condition_variable m_converted;
    size_t m_untaken = 0; // added and not yet taken
};

} // namespace wmf
