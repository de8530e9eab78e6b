// A streaming audio converter on the audio compression manager: PCM in, the target format out.
#pragma once

#include "platform/acm/acm.h"
#include "platform/win/types.h"

// Receives each block of converted audio; returns the bytes it took, or -1 to abort.
using WavAcmCallback = int (*)(const void* data, int bytes, void* context);

class CWavACM {
public:
    CWavACM();
    virtual ~CWavACM();
    CWavACM(const CWavACM&) = delete;
    CWavACM& operator=(const CWavACM&) = delete;

    void SetTargetFormat(const WAVEFORMATEX* format);
    BOOL PrepareFormats();
    BOOL OpenStreams();
    int Write(const void* data, int bytes, WavAcmCallback callback, void* context);
    BOOL Flush(WavAcmCallback callback, void* context);
    void Reset();

    WAVEFORMATEX* GetOutputFormat() { return m_target ? m_target : &m_source; }
    WAVEFORMATEX* GetSourceFormat() { return &m_source; }
    WAVEFORMATEX** GetTargetFormat() { return &m_target; }
    LONGLONG GetSourceBytes() const { return m_sourceBytes; }
    HACMSTREAM GetStreamA() const { return m_streamA; }
    HACMSTREAM GetStreamB() const { return m_streamB; }
    const WAVEFORMATEX* GetIntermediateFormat() const { return m_intermediate; }
    DWORD GetPendingBytes() const { return m_headerA.cbSrcLengthUsed; }

private:
    // Converts header A's source (count bytes) and keeps the unconverted rest at its front.
    MMRESULT ConvertA(DWORD count, DWORD flags);
    MMRESULT ConvertHeader(HACMSTREAM stream, ACMSTREAMHEADER& header, DWORD flags);

    WAVEFORMATEX m_source{};
    WAVEFORMATEX* m_target = nullptr;
    WAVEFORMATEX* m_intermediate = nullptr;
    HACMSTREAM m_streamA = nullptr;
    HACMSTREAM m_streamB = nullptr;
    ACMSTREAMHEADER m_headerA{};
    ACMSTREAMHEADER m_headerB{};
    DWORD m_sourceSize = 0; // of header A's source buffer
    LONGLONG m_sourceBytes = 0;
};
