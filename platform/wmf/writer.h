// The writer: a profile's inputs encoded into an ASF file, with preprocessing passes.
// Samples are encoded and written on threads of the writer's own, in the order they came, while
// the caller prepares the next ones: a video sample is held until then and must not change. Once
// a sample fails there, the samples after it are dropped, and the failure is returned by the next
// sample of its input, or else by the end of the pass or of the writing.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/media_objects.h"
#include "platform/wmf/profile_description.h"
#include "platform/wmf/stream_encoders.h"
#include "platform/wmf/wm_interfaces.h"
#include "workers/serial_worker.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wmf {

class Writer final : public ComObject<IWMWriter, IWMWriterPreprocess> {
public:
    Writer();

    HRESULT QueryInterface(REFIID iid, void** object) override;

    HRESULT SetProfile(IWMProfile* profile) override;
    HRESULT SetOutputFilename(LPCWSTR filename) override;
    HRESULT GetInputCount(DWORD* count) override;
    HRESULT GetInputProps(DWORD input, IWMInputMediaProps** props) override;
    HRESULT SetInputProps(DWORD input, IWMInputMediaProps* props) override;
    HRESULT BeginWriting() override;
    HRESULT EndWriting() override;
    HRESULT AllocateSample(DWORD size, INSSBuffer** sample) override;
    HRESULT WriteSample(DWORD input, QWORD sampleTime, DWORD flags, INSSBuffer* sample) override;

    HRESULT GetMaxPreprocessingPasses(DWORD input, DWORD flags, DWORD* passes) override;
    HRESULT SetNumPreprocessingPasses(DWORD input, DWORD flags, DWORD passes) override;
    HRESULT BeginPreprocessingPass(DWORD input, DWORD flags) override;
    HRESULT PreprocessSample(DWORD input, QWORD sampleTime, DWORD flags, INSSBuffer* sample) override;
    HRESULT EndPreprocessingPass(DWORD input, DWORD flags) override;

private:
    ~Writer() override;

    enum class Pass { None, Running, Done };

    struct Input {
        StreamDescription stream;
        MediaType type;
        bool configured = false;
        std::optional<VideoInputLayout> video;
        std::optional<WAVEFORMATEX> audio;
        DWORD passes = 0;
        Pass pass = Pass::None;
        std::unique_ptr<VideoEncoder> analysis;
        std::vector<int64_t> analysisBits;
        std::unique_ptr<VideoEncoder> videoEncoder;
        std::unique_ptr<AudioEncoder> audioEncoder;
        int streamIndex = -1;
    };

    bool IsMediaInput(const Input& input) const;
    HRESULT StartMuxing();
    bool WritePacket(Input& input, AVPacket* packet, int64_t sampleTime);
    // Queue the encoding of a sample of input after those before it. The video sample is held
    // until its picture is converted; the audio is copied.
    void QueueVideo(DWORD input, VideoEncoder& encoder, SampleBuffer& sample, int64_t sampleTime,
                    const PacketSink& sink);
    void QueueAudio(DWORD input, AudioEncoder& encoder, const SampleBuffer& sample, const PacketSink& sink);
    void Queue(DWORD input, std::function<bool()> step);
    // Runs queue, whose steps may run out of memory half done: the queues are then out of step,
    // and this sample fails as if its encoding had.
    HRESULT Queued(DWORD input, const std::function<void()>& queue);
    void WaitForEncoding();
    void FailEncoding(DWORD input);
    // True, and counted as told, once a queued sample of input failed.
    bool EncodingFailed(DWORD input);
    void Abandon();
    Input* InputAt(DWORD input);

    ComPtr<IWMProfile> m_profile;
    std::vector<Input> m_inputs;
    std::string m_path;
    bool m_writing = false;
    bool m_muxing = false;
    // A packet could not be written: the file is damaged.
    std::atomic<bool> m_failed{false};
    // A queued sample could not be encoded: the ones after it are dropped.
    std::atomic<bool> m_encodingFailed{false};
    std::atomic<int> m_failedInput{-1}; // the input of that sample
    bool m_encodingFailureReturned = false;
    av::OutputFormat m_output;
    // Shared with the samples handed out, which may outlive the writer.
    std::shared_ptr<SampleStore> m_sampleStore = std::make_shared<SampleStore>();
    // Encodes and writes the samples in the order they came, beside the caller; made when the
    // writing begins. Last, so that its thread ends before what it uses goes.
    std::unique_ptr<workers::SerialWorker> m_encoding;
};

} // namespace wmf
