#include "platform/wmf/writer.h"

#include "platform/win/text.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>

namespace wmf {

namespace {
constexpr AVRational kMilliseconds{1, 1000};
constexpr AVRational kHundredNanoseconds{1, 10000000};
// Steps that may wait for the encoding thread: the video and audio of four frames, so that it
// goes on through a short stall of the caller.
constexpr size_t kEncodingBacklog = 8;
} // namespace

Writer::Writer() = default;

Writer::~Writer() { Abandon(); }

HRESULT Writer::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IWMWriter)
        *object = static_cast<IWMWriter*>(this);
    else if (iid == IID_IWMWriterPreprocess)
        *object = static_cast<IWMWriterPreprocess*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

Writer::Input* Writer::InputAt(DWORD input) { return input < m_inputs.size() ? &m_inputs[input] : nullptr; }

bool Writer::IsMediaInput(const Input& input) const
{
    return input.stream.majorType == WMMEDIATYPE_Video || input.stream.majorType == WMMEDIATYPE_Audio;
}

HRESULT Writer::SetProfile(IWMProfile* profile)
{
    if (m_writing)
        return E_UNEXPECTED;
    if (!profile)
        return E_INVALIDARG;
    profile->AddRef();
    m_profile = ComPtr<IWMProfile>::Adopt(profile);
    m_inputs.clear();
    for (const StreamDescription& stream : profile->Description().streams) {
        Input& input = m_inputs.emplace_back();
        input.stream = stream;
        WM_MEDIA_TYPE type{};
        type.majortype = stream.majorType;
        input.type = MediaType(type);
    }
    return S_OK;
}

HRESULT Writer::SetOutputFilename(LPCWSTR filename)
{
    if (m_writing)
        return E_UNEXPECTED;
    if (!filename || !filename[0])
        return E_INVALIDARG;
    m_path = Utf16ToUtf8(std::u16string_view(filename, WideLength(filename)));
    return S_OK;
}

HRESULT Writer::GetInputCount(DWORD* count)
{
    if (!count)
        return E_POINTER;
    if (!m_profile)
        return E_UNEXPECTED;
    *count = static_cast<DWORD>(m_inputs.size());
    return S_OK;
}

HRESULT Writer::GetInputProps(DWORD input, IWMInputMediaProps** props)
{
    if (!props)
        return E_POINTER;
    *props = nullptr;
    Input* in = InputAt(input);
    if (!in)
        return E_INVALIDARG;
    *props = new (std::nothrow) InputMediaProps(in->type);
    return *props ? S_OK : E_OUTOFMEMORY;
}

HRESULT Writer::SetInputProps(DWORD input, IWMInputMediaProps* props)
{
    if (m_writing)
        return E_UNEXPECTED;
    Input* in = InputAt(input);
    auto* ours = dynamic_cast<InputMediaProps*>(props);
    if (!in || !ours)
        return E_INVALIDARG;
    const MediaType& type = ours->Type();
    if (!(type.Type().majortype == in->stream.majorType))
        return E_INVALIDARG;
    if (in->stream.majorType == WMMEDIATYPE_Video) {
        std::optional<VideoInputLayout> layout = VideoLayoutOf(type);
        if (!layout)
            return E_INVALIDARG;
        in->video = layout;
    } else if (in->stream.majorType == WMMEDIATYPE_Audio) {
        std::optional<WAVEFORMATEX> format = AudioFormatOf(type);
        if (!format)
            return E_INVALIDARG;
        in->audio = format;
    } else {
        return E_INVALIDARG;
    }
    in->type = type;
    in->configured = true;
    return S_OK;
}

HRESULT Writer::BeginWriting()
{
    if (m_writing)
        return E_UNEXPECTED;
    if (!m_profile || m_path.empty() || m_inputs.empty())
        return E_UNEXPECTED;
    for (const Input& in : m_inputs)
        if (!in.configured)
            return E_UNEXPECTED;
    if (!m_encoding) {
        try {
            m_encoding = std::make_unique<workers::SerialWorker>(kEncodingBacklog);
        } catch (const std::exception&) {
            return E_OUTOFMEMORY;
        }
    }
    if (const int rc = m_output.Open("asf", m_path); rc < 0) {
        av::LogFailure("WMV output file", rc);
        return E_FAIL;
    }
    const bool globalHeader = (m_output.get()->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    for (Input& in : m_inputs) {
        if (in.video)
            in.videoEncoder = VideoEncoder::Open(in.stream.video, *in.video, VideoPass::Single, nullptr, globalHeader);
        else
            in.audioEncoder = AudioEncoder::Open(in.stream.audio, *in.audio, globalHeader);
        if (!in.videoEncoder && !in.audioEncoder) {
            Abandon();
            std::remove(m_path.c_str());
            return E_FAIL;
        }
    }
    m_writing = true;
    m_muxing = false;
    m_failed = false;
    m_encodingFailed = false;
    m_failedInput = -1;
    m_encodingFailureReturned = false;
    return S_OK;
}

HRESULT Writer::StartMuxing()
{
    WaitForEncoding();
    AVFormatContext* out = m_output.get();
    const bool globalHeader = (out->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    for (Input& in : m_inputs) {
        if (in.pass == Pass::Running)
            return E_UNEXPECTED;
        if (in.video && in.pass == Pass::Done && !in.analysisBits.empty()) {
            in.videoEncoder = VideoEncoder::Open(in.stream.video, *in.video, VideoPass::Final, &in.analysisBits,
                                                 globalHeader);
            if (!in.videoEncoder)
                return E_FAIL;
        }
    }
    for (Input& in : m_inputs) {
        AVCodecContext* c = in.videoEncoder ? in.videoEncoder->Context() : in.audioEncoder->Context();
        AVStream* stream = m_output.NewStream();
        if (!stream)
            return E_FAIL;
        if (const int rc = avcodec_parameters_from_context(stream->codecpar, c); rc < 0) {
            av::LogFailure("WMV stream parameters", rc);
            return E_FAIL;
        }
        stream->time_base = c->time_base;
        in.streamIndex = stream->index;
    }
    // The muxer must not move the video off 0; WritePacket keeps the audio from going below it.
    out->avoid_negative_ts = AVFMT_AVOID_NEG_TS_DISABLED;
    if (const int rc = m_output.WriteHeader(); rc < 0) {
        av::LogFailure("WMV file header", rc);
        return E_FAIL;
    }
    m_muxing = true;
    return S_OK;
}

bool Writer::WritePacket(Input& in, AVPacket* packet, int64_t sampleTime)
{
    AVStream* stream = m_output.get()->streams[in.streamIndex];
    if (in.videoEncoder) {
        const int64_t ms = (sampleTime + 5000) / 10000;
        packet->pts = packet->dts = av_rescale_q(ms, kMilliseconds, stream->time_base);
        packet->duration = av_rescale_q(in.video->frameDuration, kHundredNanoseconds, stream->time_base);
    } else {
        // The encoder's packets start before 0 by its delay. Players skip pictures of a file whose
        // first send time is negative, so the audio starts at 0 and follows by that delay.
        const AVCodecContext* c = in.audioEncoder->Context();
        const int64_t delay = av_rescale_q(std::max(c->initial_padding, 0), AVRational{1, c->sample_rate},
                                           c->time_base);
        if (packet->pts != AV_NOPTS_VALUE)
            packet->pts += delay;
        if (packet->dts != AV_NOPTS_VALUE)
            packet->dts += delay;
        av_packet_rescale_ts(packet, c->time_base, stream->time_base);
    }
    packet->stream_index = in.streamIndex;
    if (const int rc = m_output.WritePacket(packet); rc < 0) {
        av::LogFailure("WMV packet write", rc);
        m_failed = true;
        return false;
    }
    return true;
}

HRESULT Writer::WriteSample(DWORD input, QWORD sampleTime, DWORD, INSSBuffer* sample)
{
    Input* in = InputAt(input);
    auto* buffer = dynamic_cast<SampleBuffer*>(sample);
    if (!in || !buffer)
        return E_INVALIDARG;
    if (!m_writing || m_failed || in->pass == Pass::Running)
        return E_UNEXPECTED;
    if (in->audio && in->stream.audio.twoPassesOnly && in->pass != Pass::Done)
        return NS_E_TWO_PASS_REQUIRED;
    if (EncodingFailed(input) || (in->video && buffer->Length() < in->video->frameBytes))
        return E_FAIL;
    if (!m_muxing) {
        const HRESULT hr = StartMuxing();
        if (FAILED(hr)) {
            m_failed = true;
            return hr;
        }
    }
    const PacketSink sink = [this, in](AVPacket* packet, int64_t time) { return WritePacket(*in, packet, time); };
    return Queued(input, [&] {
        if (in->videoEncoder)
            QueueVideo(input, *in->videoEncoder, *buffer, static_cast<int64_t>(sampleTime), sink);
        else
            QueueAudio(input, *in->audioEncoder, *buffer, sink);
    });
}

HRESULT Writer::Queued(DWORD input, const std::function<void()>& queue)
{
    try {
        queue();
        return S_OK;
    } catch (const std::bad_alloc&) {
        FailEncoding(input);
        m_encodingFailureReturned = true;
        return E_OUTOFMEMORY;
    }
}

void Writer::QueueVideo(DWORD input, VideoEncoder& encoder, SampleBuffer& sample, int64_t sampleTime,
                        const PacketSink& sink)
{
    sample.AddRef();
    encoder.Add(ComPtr<SampleBuffer>::Adopt(&sample));
    Queue(input, [&encoder, sampleTime, sink] { return encoder.EncodeNext(sampleTime, sink); });
}

void Writer::QueueAudio(DWORD input, AudioEncoder& encoder, const SampleBuffer& sample, const PacketSink& sink)
{
    std::vector<BYTE> pcm(sample.Data(), sample.Data() + sample.Length());
    Queue(input, [&encoder, pcm = std::move(pcm), sink] {
        return encoder.Encode(pcm.data(), static_cast<DWORD>(pcm.size()), sink);
    });
}

void Writer::Queue(DWORD input, std::function<bool()> step)
{
    m_encoding->Post([this, input, step = std::move(step)] {
        if (m_failed || m_encodingFailed)
            return;
        bool done = false;
        try {
            done = step();
        } catch (const std::bad_alloc&) {
            // Out of memory: the step failed.
        }
        if (!done)
            FailEncoding(input);
    });
}

void Writer::WaitForEncoding()
{
    if (m_encoding)
        m_encoding->Wait();
}

void Writer::FailEncoding(DWORD input)
{
    // The input is stored before the flag, which is read first.
    m_failedInput = static_cast<int>(input);
    m_encodingFailed = true;
}

bool Writer::EncodingFailed(DWORD input)
{
    if (!m_encodingFailed || m_failedInput != static_cast<int>(input))
        return false;
    m_encodingFailureReturned = true;
    return true;
}

HRESULT Writer::EndWriting()
{
    if (!m_writing)
        return E_UNEXPECTED;
    WaitForEncoding();
    // Ended within a preprocessing pass, as when the user stops the analysis: nothing was encoded
    // and the file is still empty, which no player opens. It goes; the writing ends with S_FALSE.
    if (!m_muxing &&
        std::any_of(m_inputs.begin(), m_inputs.end(), [](const Input& in) { return in.pass == Pass::Running; })) {
        Abandon();
        std::remove(m_path.c_str());
        return S_FALSE;
    }
    HRESULT hr = m_failed ? E_FAIL : S_OK;
    if (SUCCEEDED(hr) && !m_muxing)
        hr = StartMuxing();
    if (SUCCEEDED(hr)) {
        for (Input& in : m_inputs) {
            const PacketSink sink = [this, &in](AVPacket* packet, int64_t time) {
                return WritePacket(in, packet, time);
            };
            const bool ok = in.videoEncoder ? in.videoEncoder->Flush(sink) : in.audioEncoder->Flush(sink);
            if (!ok)
                hr = E_FAIL;
        }
        if (const int rc = m_output.WriteTrailer(); rc < 0) {
            av::LogFailure("WMV file trailer", rc);
            hr = E_FAIL;
        }
    }
    // The frames before a failed one are in the file; the failure is told once.
    if (m_encodingFailed && !m_encodingFailureReturned)
        hr = E_FAIL;
    Abandon();
    return hr;
}

void Writer::Abandon()
{
    WaitForEncoding();
    m_output.Reset();
    for (Input& in : m_inputs) {
        in.videoEncoder.reset();
        in.audioEncoder.reset();
        in.analysis.reset();
        in.pass = Pass::None;
        in.passes = 0;
        in.analysisBits.clear();
        in.streamIndex = -1;
    }
    m_writing = false;
    m_muxing = false;
}

HRESULT Writer::AllocateSample(DWORD size, INSSBuffer** sample)
{
    if (!sample)
        return E_POINTER;
    *sample = SampleBuffer::Create(size, m_sampleStore);
    return *sample ? S_OK : E_OUTOFMEMORY;
}

HRESULT Writer::GetMaxPreprocessingPasses(DWORD input, DWORD, DWORD* passes)
{
    if (!passes)
        return E_POINTER;
    Input* in = InputAt(input);
    if (!in || !IsMediaInput(*in))
        return E_INVALIDARG;
    if (!m_writing || m_muxing)
        return E_UNEXPECTED;
    *passes = 1;
    return S_OK;
}

HRESULT Writer::SetNumPreprocessingPasses(DWORD input, DWORD, DWORD passes)
{
    Input* in = InputAt(input);
    if (!in || !IsMediaInput(*in) || passes > 1)
        return E_INVALIDARG;
    if (!m_writing || m_muxing || in->pass != Pass::None)
        return E_UNEXPECTED;
    in->passes = passes;
    return S_OK;
}

HRESULT Writer::BeginPreprocessingPass(DWORD input, DWORD)
{
    Input* in = InputAt(input);
    if (!in || !IsMediaInput(*in))
        return E_INVALIDARG;
    if (!m_writing || m_muxing || in->passes == 0 || in->pass != Pass::None)
        return E_UNEXPECTED;
    // Only a bit-rate video stream has statistics to gather; the others take the samples and wait.
    if (in->video && in->stream.video.vbrQuality < 0) {
        const bool globalHeader = (m_output.get()->oformat->flags & AVFMT_GLOBALHEADER) != 0;
        in->analysis = VideoEncoder::Open(in->stream.video, *in->video, VideoPass::Analysis, nullptr, globalHeader);
        if (!in->analysis)
            return E_FAIL;
    }
    in->pass = Pass::Running;
    return S_OK;
}

HRESULT Writer::PreprocessSample(DWORD input, QWORD sampleTime, DWORD, INSSBuffer* sample)
{
    Input* in = InputAt(input);
    auto* buffer = dynamic_cast<SampleBuffer*>(sample);
    if (!in || !buffer)
        return E_INVALIDARG;
    if (in->pass != Pass::Running)
        return E_UNEXPECTED;
    if (in->video && buffer->Length() < in->video->frameBytes)
        return E_INVALIDARG;
    if (!in->analysis)
        return S_OK;
    if (EncodingFailed(input))
        return E_FAIL;
    const PacketSink discard = [](AVPacket*, int64_t) { return true; };
    return Queued(input, [&] { QueueVideo(input, *in->analysis, *buffer, static_cast<int64_t>(sampleTime), discard); });
}

HRESULT Writer::EndPreprocessingPass(DWORD input, DWORD)
{
    Input* in = InputAt(input);
    if (!in || !IsMediaInput(*in))
        return E_INVALIDARG;
    if (in->pass != Pass::Running)
        return E_UNEXPECTED;
    if (in->analysis) {
        WaitForEncoding();
        if (EncodingFailed(input))
            return E_FAIL;
        const PacketSink discard = [](AVPacket*, int64_t) { return true; };
        if (!in->analysis->Flush(discard))
            return E_FAIL;
        in->analysisBits = in->analysis->FrameBits();
        in->analysis.reset();
    }
    in->pass = Pass::Done;
    return S_OK;
}

} // namespace wmf

HRESULT WMCreateWriter(IUnknown*, IWMWriter** writer)
{
    if (!writer)
        return E_POINTER;
    *writer = new (std::nothrow) wmf::Writer();
    return *writer ? S_OK : E_OUTOFMEMORY;
}
