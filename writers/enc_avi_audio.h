// The AVI writer chain's audio layers: an audio stream of converted blocks (CEncAVIAudio) and
// PCM through the converter into the stored audio format, padded to the video's length
// (CEncAVIAudioComp).
#pragma once

#include "writers/enc_avi.h"
#include "writers/wav_acm.h"

class CEncAVIAudio : public CEncAVI_Comp {
public:
    CEncAVIAudio();
    ~CEncAVIAudio() override;

    int Close() override;
    // Both counts are in and out; with *samples 0 they are taken from the stream's block size.
    int WriteAudioSamples(LONG* samples, const void* data, LONG* bytes);
    LONG GetAudioPosition() const { return m_audioPosition; }
    BOOL HasAudioStream() const { return m_audioStream != nullptr; }

protected:
    PAVISTREAM m_audioStream = nullptr;
    LONG m_audioPosition = 0;
};

class CEncAVIAudioComp : public CEncAVIAudio {
public:
    CEncAVIAudioComp();
    ~CEncAVIAudioComp() override;

    int Close() override;
    virtual int CreateAudioStream();
    virtual int WriteAudio(const void* data, int bytes);

    static int WriteConverted(const void* data, int bytes, void* writer);
    int GetPadBytes();
    void PadAudio();
    CWavACM* GetConverter() { return &m_converter; }

protected:
    CWavACM m_converter;
};
