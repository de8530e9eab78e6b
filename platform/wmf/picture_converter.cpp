#include "platform/wmf/picture_converter.h"

#include <exception>
#include <new>
#include <utility>

namespace wmf {

namespace {
// Lanes, each converting every second frame: one frame scaled down takes longer than encoding it.
constexpr size_t kLanes = 2;
// Samples waiting in a lane besides the one it converts: enough for the lanes to go on through
// a short stall of the thread that feeds them.
constexpr size_t kSampleBacklog = 2;
} // namespace

std::unique_ptr<PictureConverter> PictureConverter::Create(const VideoInputLayout& input, int width, int height,
                                                           AVPixelFormat format)
{
    try {
        std::unique_ptr<PictureConverter> converter(new PictureConverter(input, width, height, format));
        for (Lane& lane : converter->m_lanes) {
            lane.scaler.reset(sws_getContext(input.width, input.height, input.format, width, height, format,
                                             SWS_BICUBIC, nullptr, nullptr, nullptr));
            if (!lane.scaler)
                return nullptr;
            lane.worker = std::make_unique<workers::SerialWorker>(kSampleBacklog);
        }
        return converter;
    } catch (const std::exception&) {
        // No memory or no thread to be had.
        return nullptr;
    }
}

PictureConverter::PictureConverter(const VideoInputLayout& input, int width, int height, AVPixelFormat format)
    : m_input(input), m_width(width), m_height(height), m_format(format), m_lanes(kLanes)
{
}

PictureConverter::~PictureConverter()
{
    // The threads end before the scalers and queues they use.
    for (Lane& lane : m_lanes)
        lane.worker.reset();
}

void PictureConverter::Add(ComPtr<SampleBuffer> sample)
{
    Lane& lane = m_lanes[m_nextAdded];
    m_nextAdded = (m_nextAdded + 1) % m_lanes.size();
    {
        std::lock_guard<std::mutex> lock(m_lock);
        lane.samples.push_back(std::move(sample));
        ++m_untaken;
    }
    lane.worker->Post([this, &lane] { ConvertOldestSample(lane); });
}

av::FramePtr PictureConverter::TakeOldest()
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (m_untaken == 0)
        return nullptr;
    Lane& lane = m_lanes[m_nextTaken];
    m_nextTaken = (m_nextTaken + 1) % m_lanes.size();
    m_converted.wait(lock, [&lane] { return !lane.pictures.empty() || lane.lost; });
    if (lane.lost) {
        --m_untaken;
        return nullptr;
    }
    av::FramePtr picture = std::move(lane.pictures.front());
    lane.pictures.pop_front();
    --m_untaken;
    return picture;
}

void PictureConverter::ConvertOldestSample(Lane& lane)
{
    ComPtr<SampleBuffer> sample;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        sample = std::move(lane.samples.front());
        lane.samples.pop_front();
    }
    av::FramePtr picture = Convert(lane.scaler.get(), *sample.get());
    sample.Reset();
    {
        std::lock_guard<std::mutex> lock(m_lock);
        try {
            lane.pictures.push_back(std::move(picture));
        } catch (const std::bad_alloc&) {
            lane.lost = true;
        }
    }
    m_converted.notify_all();
}

av::FramePtr PictureConverter::Convert(SwsContext* scaler, const SampleBuffer& sample) const
{
    const BYTE* data = sample.Data();
    if (!data || sample.Length() < m_input.frameBytes)
        return nullptr;
    av::FramePtr picture(av_frame_alloc());
    if (!picture)
        return nullptr;
    picture->format = m_format;
    picture->width = m_width;
    picture->height = m_height;
    if (const int rc = av_frame_get_buffer(picture.get(), 0); rc < 0) {
        av::LogFailure("WMV video frame", rc);
        return nullptr;
    }

    const uint8_t* planes[4] = {};
    int strides[4] = {};
    size_t offset = 0;
    for (int i = 0; i < m_input.planeCount; ++i) {
        planes[i] = data + offset;
        strides[i] = m_input.strides[i];
        offset += m_input.planeBytes[i];
    }
    if (m_input.swapChroma)
        std::swap(planes[1], planes[2]);
    if (m_input.bottomUp) {
        planes[0] = data + static_cast<size_t>(m_input.strides[0]) * static_cast<size_t>(m_input.height - 1);
        strides[0] = -m_input.strides[0];
    }
    const int rows = sws_scale(scaler, planes, strides, 0, m_input.height, picture->data, picture->linesize);
    if (rows != m_height) {
        av::LogFailure("WMV video scaling", rows < 0 ? rows : AVERROR_BUG);
        return nullptr;
    }
    return picture;
}

} // namespace wmf
