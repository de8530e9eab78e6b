// The writer: a profile's inputs encoded into an ASF file, with preprocessing passes.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/media_objects.h"
#include "platform/wmf/profile_description.h"
#include "platform/wmf/stream_encoders.h"
#include "platform/wmf/wm_interfaces.h"

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
    void Abandon();
    Input* InputAt(DWORD input);

    ComPtr<IWMProfile> m_profile;
    std::vector<Input> m_inputs;
    std::string m_path;
    bool m_writing = false;
    bool m_muxing = false;
    bool m_failed = false;
    av::OutputFormat m_output;
};

} // namespace wmf
