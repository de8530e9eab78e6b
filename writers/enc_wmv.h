// The WMV writer: frames and PCM audio into a Windows Media file, from a system profile or a
// profile file, in one or two passes.
#pragma once

#include "platform/win/types.h"
#include "platform/wmf/wm_interfaces.h"

// The number of system profiles of a format version; 0 when any step fails.
DWORD CountSystemProfiles(WMT_VERSION version);

class CEncWMV {
public:
    CEncWMV();
    virtual ~CEncWMV();
    CEncWMV(const CEncWMV&) = delete;
    CEncWMV& operator=(const CEncWMV&) = delete;

    [[nodiscard]] virtual int LoadProfile(LPCWSTR path);
    [[nodiscard]] virtual int CreateProfile(int kind, int indexV4, int indexV7, int indexV8);
    virtual int Open(LPCWSTR path, const BITMAPINFOHEADER* header, int rate, int audioRate, int channels, int bits);
    virtual int WriteVideo(const void* bits);
    // S_FALSE when it ended within the analysis pass: nothing was encoded and no file is left.
    virtual HRESULT Close();
    virtual int EndPass();
    virtual int BeginPass();
    virtual BOOL IsTwoPass();
    virtual void SetTwoPass(BOOL twoPass);
    virtual void SetVideoFormat(const BITMAPINFOHEADER* header, int rate);
    virtual HRESULT ReleaseAll();
    virtual HRESULT CreateWriter(LPCWSTR path);
    virtual HRESULT SetupVideoInput();
    virtual HRESULT SetupAudioInput(int audioRate, int channels, int bits);

    BOOL HasVideoInput() const;
    HRESULT BeginWriting();

protected:
    // The video's timing and size, kept as the stream header of an AVI stream would keep them.
    struct StreamHeader {
        DWORD dwScale;
        DWORD dwRate;
        DWORD dwStart;
        RECT rcFrame;
    };

    int m_frameCount = 0;
    ComPtr<IWMProfile> m_profile;
    ComPtr<IWMWriter> m_writer;
    ComPtr<IWMInputMediaProps> m_videoInput;
    DWORD m_videoInputNumber = 0;
    StreamHeader m_streamHeader{};
    BITMAPINFOHEADER m_frameHeader{};
    ComPtr<IWMWriterPreprocess> m_preprocessor;
    BOOL m_twoPass = FALSE;
    ComPtr<IWMInputMediaProps> m_audioInput;
    DWORD m_audioInputNumber = 0;
    BOOL m_opened = FALSE;
};

class CEncWMVWMA : public CEncWMV {
public:
    CEncWMVWMA();
    ~CEncWMVWMA() override;

    int EndPass() override;
    int BeginPass() override;
    HRESULT SetupAudioInput(int audioRate, int channels, int bits) override;
    virtual int WriteAudio(const void* data, int bytes);

    BOOL HasAudioInput() const;
    int GetPadBytes() const;
    void PadAudio();

private:
    int64_t m_audioBytes = 0;
    WAVEFORMATEX m_audioFormat{};
};
