#include "writers/enc_avi_audio.h"

#include "writers/silence_padding.h"

#include <cstring>
#include <vector>

CEncAVIAudio::CEncAVIAudio()
{
    m_audioStream = nullptr;
    static_cast<void>(CEncAVIAudio::Close());
}

CEncAVIAudio::~CEncAVIAudio() { static_cast<void>(CEncAVIAudio::Close()); }

int CEncAVIAudio::Close()
{
    const int frames = CEncAVI::FinishFrames();
    if (m_audioStream)
        AVIStreamRelease(m_audioStream);
    m_audioStream = nullptr;
    m_audioPosition = 0;
    const int closed = CEncAVI::Close();
    return frames != 0 ? frames : closed;
}

int CEncAVIAudio::WriteAudioSamples(LONG* samples, const void* data, LONG* bytes)
{
    // The video frames given before this audio reach the file before it, as they were given.
    if (const int code = CEncAVI::FinishFrames())
        return code;
    if (*samples == 0) {
        LONG size = 0;
        AVIStreamReadFormat(m_audioStream, 0, nullptr, &size);
        if (size >= static_cast<LONG>(sizeof(WAVEFORMATEX))) {
            std::vector<BYTE> block(static_cast<size_t>(size));
            AVIStreamReadFormat(m_audioStream, 0, block.data(), &size);
            WAVEFORMATEX format;
            std::memcpy(&format, block.data(), sizeof format);
            if (format.nBlockAlign)
                *samples = *bytes / format.nBlockAlign;
        }
    }
    if (AVIStreamWrite(m_audioStream, m_audioPosition, *samples, data, *bytes, AVIIF_KEYFRAME, samples, bytes) !=
        AVIERR_OK)
        return kErrorAviStreamWrite;
    m_audioPosition += *samples;
    return 0;
}

CEncAVIAudioComp::CEncAVIAudioComp() { m_converter.SetTargetFormat(m_setting.GetAudioFormat()); }

CEncAVIAudioComp::~CEncAVIAudioComp() { static_cast<void>(CEncAVIAudioComp::Close()); }

int CEncAVIAudioComp::Close()
{
    // The silent tail is measured against every frame given.
    const int frames = CEncAVI::FinishFrames();
    PadAudio();
    m_converter.Flush(&CEncAVIAudioComp::WriteConverted, this);
    m_converter.Reset();
    const int closed = CEncAVIAudio::Close();
    return frames != 0 ? frames : closed;
}

int CEncAVIAudioComp::CreateAudioStream()
{
    if (!m_converter.PrepareFormats())
        return kErrorAviAudioConverter;
    if (*m_converter.GetTargetFormat() && !m_converter.OpenStreams())
        return kErrorAviAudioConverter;
    m_audioPosition = 0;
    const WAVEFORMATEX* output = m_converter.GetOutputFormat();
    AVISTREAMINFOW info{};
    info.fccType = streamtypeAUDIO;
    info.fccHandler = 0;
    info.dwScale = output->nBlockAlign;
    info.dwRate = output->nAvgBytesPerSec;
    info.dwStart = 0;
    info.dwLength = static_cast<DWORD>(-1);
    info.dwInitialFrames = 0;
    info.dwSuggestedBufferSize = 0;
    info.dwQuality = static_cast<DWORD>(-1);
    info.dwSampleSize = output->nBlockAlign;
    info.wLanguage = 0;
    if (AVIFileCreateStreamW(m_aviFile, &m_audioStream, &info) != AVIERR_OK)
        return kErrorAviCreateStream;
    if (AVIStreamSetFormat(m_audioStream, 0, output, static_cast<LONG>(sizeof(WAVEFORMATEX) + output->cbSize)) !=
        AVIERR_OK)
        return kErrorAviSetFormat;
    return 0;
}

int CEncAVIAudioComp::WriteAudio(const void* data, int bytes)
{
    if (bytes <= 0)
        return 0;
    return m_converter.Write(data, bytes, &CEncAVIAudioComp::WriteConverted, this) < 0 ? kErrorAviAudioWrite : 0;
}

int CEncAVIAudioComp::WriteConverted(const void* data, int bytes, void* writer)
{
    auto* self = static_cast<CEncAVIAudioComp*>(writer);
    const WAVEFORMATEX* output = self->m_converter.GetOutputFormat();
    LONG samples = output->nBlockAlign ? bytes / output->nBlockAlign : 0;
    LONG written = bytes;
    if (self->WriteAudioSamples(&samples, data, &written) == kErrorAviStreamWrite)
        return -1;
    return written;
}

int CEncAVIAudioComp::GetPadBytes()
{
    return MissingSilenceBytes(m_framePosition, m_streamInfo.dwScale, m_streamInfo.dwRate, m_converter.GetSourceBytes(),
                               *m_converter.GetSourceFormat());
}

void CEncAVIAudioComp::PadAudio()
{
    if (!m_audioStream || !m_videoStream)
        return;
    WriteSilence(GetPadBytes(), [this](const void* data, int bytes) {
        m_converter.Write(data, bytes, &CEncAVIAudioComp::WriteConverted, this);
    });
}
