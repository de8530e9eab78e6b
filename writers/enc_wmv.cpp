#include "writers/enc_wmv.h"

#include "foundation/error_numbers.h"
#include "foundation/file_system.h"
#include "foundation/mem_buff.h"
#include "foundation/string_char.h"
#include "platform/win/file_handle.h"
#include "writers/silence_padding.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Real profile files are a few kilobytes; anything far larger is not one.
constexpr uint64_t kMaxProfileFileBytes = 1024 * 1024;

GUID VideoSubtypeOf(const BITMAPINFOHEADER& header)
{
    if (header.biCompression == BI_RGB) {
        switch (header.biBitCount) {
        case 32: return WMMEDIASUBTYPE_RGB32;
        case 24: return WMMEDIASUBTYPE_RGB24;
        case 16: return WMMEDIASUBTYPE_RGB555;
        case 8: return WMMEDIASUBTYPE_RGB8;
        default: return GUID_NULL;
        }
    }
    switch (header.biCompression) {
    case mmioFOURCC('I', '4', '2', '0'): return WMMEDIASUBTYPE_I420;
    case mmioFOURCC('I', 'Y', 'U', 'V'): return WMMEDIASUBTYPE_IYUV;
    case mmioFOURCC('Y', 'V', '1', '2'): return WMMEDIASUBTYPE_YV12;
    case mmioFOURCC('Y', 'U', 'Y', '2'): return WMMEDIASUBTYPE_YUY2;
    case mmioFOURCC('U', 'Y', 'V', 'Y'): return WMMEDIASUBTYPE_UYVY;
    case mmioFOURCC('Y', 'V', 'Y', 'U'): return WMMEDIASUBTYPE_YVYU;
    case mmioFOURCC('Y', 'V', 'U', '9'): return WMMEDIASUBTYPE_YVU9;
    default: return GUID_NULL;
    }
}

// Reads the major type of a media properties object through the two-call GetType.
HRESULT MajorTypeOf(IWMInputMediaProps* props, GUID& major)
{
    DWORD size = 0;
    HRESULT hr = props->GetType(nullptr, &size);
    if (FAILED(hr))
        return hr;
    if (size < sizeof(WM_MEDIA_TYPE))
        return E_FAIL;
    CMemBuffBase<WM_MEDIA_TYPE> block(static_cast<int>((size + sizeof(WM_MEDIA_TYPE) - 1) / sizeof(WM_MEDIA_TYPE)));
    if (!block.GetData())
        return E_OUTOFMEMORY;
    hr = props->GetType(block.GetData(), &size);
    if (SUCCEEDED(hr))
        major = block.GetData()->majortype;
    return hr;
}

// frame × 1000 × scale / rate milliseconds, rounded as MulDiv rounds, without its 32-bit limit.
int64_t FrameMilliseconds(int64_t frame, DWORD scale, DWORD rate)
{
    const int64_t numerator = frame * 1000 * static_cast<int64_t>(scale);
    return (numerator + rate / 2) / rate;
}

} // namespace

DWORD CountSystemProfiles(WMT_VERSION version)
{
    ComPtr<IWMProfileManager> manager;
    if (FAILED(WMCreateProfileManager(manager.Receive())))
        return 0;
    ComPtr<IWMProfileManager2> manager2;
    if (FAILED(manager->QueryInterface(IID_IWMProfileManager2, manager2.ReceiveVoid())))
        return 0;
    if (FAILED(manager2->SetSystemProfileVersion(version)))
        return 0;
    DWORD count = 0;
    if (FAILED(manager2->GetSystemProfileCount(&count)))
        return 0;
    return count;
}

CEncWMV::CEncWMV()
{
    CoInitialize(nullptr);
    CEncWMV::Close();
}

CEncWMV::~CEncWMV()
{
    CEncWMV::Close();
    CoUninitialize();
}

int CEncWMV::LoadProfile(LPCWSTR path)
{
    ReleaseAll();
    if (!path || !path[0])
        return kErrorWmvProfileFile;
    ComPtr<IWMProfileManager> manager;
    if (FAILED(WMCreateProfileManager(manager.Receive())))
        return kErrorWmvProfileFile;

    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kErrorWmvProfileFile;
    int result = kErrorWmvProfileFile;
    if (GetFileType(file) == FILE_TYPE_DISK) {
        DWORD high = 0;
        const DWORD low = GetFileSize(file, &high);
        const uint64_t size = (static_cast<uint64_t>(high) << 32) | low;
        // The whole size, not its low half, and an even count: UTF-16 text has no odd byte.
        if (low != INVALID_FILE_SIZE && size <= kMaxProfileFileBytes && size % 2 == 0) {
            const int characters = static_cast<int>(size / 2) + 1;
            CMemBuffBase<WCHAR> block(characters);
            DWORD read = 0;
            if (block.GetData() && block.FillAll(0) &&
                ReadFile(file, block.GetData(), static_cast<DWORD>(size), &read, nullptr) && read == size) {
                ComPtr<IWMProfile> profile;
                if (SUCCEEDED(manager->LoadProfileByData(block.GetData(), profile.Receive()))) {
                    m_profile = std::move(profile);
                    result = 0;
                }
            }
        }
    }
    CloseHandle(file);
    return result;
}

int CEncWMV::CreateProfile(int kind, int indexV4, int indexV7, int indexV8)
{
    ReleaseAll();
    ComPtr<IWMProfileManager> manager;
    if (FAILED(WMCreateProfileManager(manager.Receive())))
        return kErrorWmvSystemProfile;
    ComPtr<IWMProfileManager2> manager2;
    if (FAILED(manager->QueryInterface(IID_IWMProfileManager2, manager2.ReceiveVoid())))
        return kErrorWmvSystemProfile;
    HRESULT hr = S_OK;
    switch (kind) {
    case 0:
        manager2->SetSystemProfileVersion(WMT_VER_4_0);
        hr = manager2->LoadSystemProfile(static_cast<DWORD>(indexV4 - 1), m_profile.Receive());
        break;
    case 1:
        manager2->SetSystemProfileVersion(WMT_VER_7_0);
        hr = manager2->LoadSystemProfile(static_cast<DWORD>(indexV7 - 1), m_profile.Receive());
        break;
    case 2:
        manager2->SetSystemProfileVersion(WMT_VER_8_0);
        hr = manager2->LoadSystemProfile(static_cast<DWORD>(indexV8 - 1), m_profile.Receive());
        break;
    default: break;
    }
    return FAILED(hr) ? kErrorWmvSystemProfile : 0;
}

int CEncWMV::Open(LPCWSTR path, const BITMAPINFOHEADER* header, int rate, int audioRate, int channels, int bits)
{
    if (m_opened)
        return 0;
    m_opened = TRUE;
    SetVideoFormat(header, rate);
    if (FAILED(CreateWriter(path)))
        return kErrorWmvOutput;
    if (FAILED(SetupVideoInput()))
        return kErrorWmvHeader;
    if (FAILED(SetupAudioInput(audioRate, channels, bits)))
        return kErrorWmvHeader;
    if (FAILED(BeginWriting()))
        return kErrorWmvHeader;
    if (m_twoPass)
        return BeginPass();
    return 0;
}

void CEncWMV::SetVideoFormat(const BITMAPINFOHEADER* header, int rate)
{
    if (!header)
        return;
    std::memcpy(&m_frameHeader, header, sizeof m_frameHeader);
    m_streamHeader = StreamHeader{};
    m_streamHeader.dwRate = static_cast<DWORD>(rate);
    m_streamHeader.dwScale = 10000;
    m_streamHeader.rcFrame.right = header->biWidth;
    m_streamHeader.rcFrame.bottom = header->biHeight;
    m_streamHeader.dwStart = 0;
}

HRESULT CEncWMV::CreateWriter(LPCWSTR path)
{
    if (path)
        DeleteExistingFile(CString(path));
    HRESULT hr = WMCreateWriter(nullptr, m_writer.Receive());
    if (FAILED(hr))
        return hr;
    if (m_twoPass) {
        hr = m_writer->QueryInterface(IID_IWMWriterPreprocess, m_preprocessor.ReceiveVoid());
        if (FAILED(hr))
            return hr;
    }
    hr = m_writer->SetProfile(m_profile.get());
    if (FAILED(hr))
        return hr;
    DWORD count = 0;
    hr = m_writer->GetInputCount(&count);
    if (FAILED(hr))
        return hr;
    for (DWORD i = 0; i < count; ++i) {
        ComPtr<IWMInputMediaProps> props;
        hr = m_writer->GetInputProps(i, props.Receive());
        if (FAILED(hr))
            return hr;
        GUID major = GUID_NULL;
        hr = MajorTypeOf(props.get(), major);
        if (FAILED(hr))
            return hr;
        if (major == WMMEDIATYPE_Audio) {
            m_audioInput = std::move(props);
            m_audioInputNumber = i;
        } else if (major == WMMEDIATYPE_Video) {
            m_videoInput = std::move(props);
            m_videoInputNumber = i;
        } else {
            return E_FAIL;
        }
    }
    if (path) {
        CStringCharW copy(path);
        hr = m_writer->SetOutputFilename(copy.GetString());
    }
    return hr;
}

HRESULT CEncWMV::SetupVideoInput()
{
    if (!m_videoInput)
        return S_OK;
    // A frame rate of 0 has no time per frame; nothing below divides by it.
    if (m_streamHeader.dwRate == 0)
        return E_INVALIDARG;
    CMemBuffBase<unsigned char> block(sizeof(VIDEOINFOHEADER));
    if (!block.GetData() || !block.FillAll(0))
        return E_OUTOFMEMORY;
    VIDEOINFOHEADER info{};
    info.rcSource = RECT{0, 0, m_streamHeader.rcFrame.right, m_streamHeader.rcFrame.bottom};
    info.rcTarget = info.rcSource;
    const uint64_t bitRate = static_cast<uint64_t>(m_frameHeader.biSizeImage) * 8 * m_streamHeader.dwRate /
                             std::max<DWORD>(m_streamHeader.dwScale, 1);
    info.dwBitRate = static_cast<DWORD>(std::min<uint64_t>(bitRate, std::numeric_limits<DWORD>::max()));
    info.dwBitErrorRate = 0;
    info.AvgTimePerFrame = static_cast<LONGLONG>(static_cast<uint64_t>(m_streamHeader.dwScale) * 10000000u /
                                                 std::max<DWORD>(m_streamHeader.dwRate, 1));
    info.bmiHeader = m_frameHeader;
    std::memcpy(block.GetData(), &info, sizeof info);

    WM_MEDIA_TYPE type{};
    type.majortype = WMMEDIATYPE_Video;
    type.subtype = VideoSubtypeOf(m_frameHeader);
    type.bFixedSizeSamples = TRUE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = 0;
    type.formattype = WMFORMAT_VideoInfo;
    type.pUnk = nullptr;
    type.cbFormat = sizeof(VIDEOINFOHEADER);
    type.pbFormat = block.GetData();
    HRESULT hr = m_videoInput->SetMediaType(&type);
    if (FAILED(hr))
        return hr;
    return m_writer->SetInputProps(m_videoInputNumber, m_videoInput.get());
}

HRESULT CEncWMV::SetupAudioInput(int, int, int) { return S_OK; }

BOOL CEncWMV::HasVideoInput() const { return m_videoInput ? TRUE : FALSE; }

HRESULT CEncWMV::BeginWriting()
{
    const HRESULT hr = m_writer->BeginWriting();
    if (SUCCEEDED(hr))
        m_frameCount = 0;
    return hr;
}

int CEncWMV::WriteVideo(const void* bits)
{
    if (!m_videoInput)
        return 0;
    if (!bits || !m_writer || m_streamHeader.dwRate == 0 || (m_twoPass && !m_preprocessor))
        return kErrorWmvStreamWrite;
    ComPtr<INSSBuffer> sample;
    if (FAILED(m_writer->AllocateSample(m_frameHeader.biSizeImage, sample.Receive())))
        return kErrorWmvStreamWrite;
    BYTE* buffer = nullptr;
    DWORD length = 0;
    if (FAILED(sample->GetBufferAndLength(&buffer, &length)) || length < m_frameHeader.biSizeImage)
        return kErrorWmvStreamWrite;
    std::memcpy(buffer, bits, m_frameHeader.biSizeImage);

    const QWORD time = static_cast<QWORD>(
        FrameMilliseconds(m_frameCount, m_streamHeader.dwScale, m_streamHeader.dwRate) * 10000);
    const HRESULT hr = m_twoPass ? m_preprocessor->PreprocessSample(m_videoInputNumber, time, 0, sample.get())
                                 : m_writer->WriteSample(m_videoInputNumber, time, 0, sample.get());
    if (FAILED(hr))
        return kErrorWmvStreamWrite;
    ++m_frameCount;
    return 0;
}

int CEncWMV::BeginPass()
{
    if (!m_twoPass || !m_videoInput)
        return 0;
    if (!m_preprocessor)
        return kErrorWmvTwoPassStart;
    DWORD passes = 0;
    if (FAILED(m_preprocessor->GetMaxPreprocessingPasses(m_videoInputNumber, 0, &passes)) ||
        FAILED(m_preprocessor->SetNumPreprocessingPasses(m_videoInputNumber, 0, passes)) ||
        FAILED(m_preprocessor->BeginPreprocessingPass(m_videoInputNumber, 0)))
        return kErrorWmvTwoPassStart;
    return 0;
}

int CEncWMV::EndPass()
{
    if (m_twoPass && m_videoInput) {
        if (!m_preprocessor || FAILED(m_preprocessor->EndPreprocessingPass(m_videoInputNumber, 0)))
            return kErrorWmvFirstPassEnd;
    }
    SetTwoPass(FALSE);
    m_frameCount = 0;
    return 0;
}

BOOL CEncWMV::IsTwoPass() { return m_twoPass; }

void CEncWMV::SetTwoPass(BOOL twoPass) { m_twoPass = twoPass; }

HRESULT CEncWMV::Close()
{
    m_opened = FALSE;
    HRESULT hr = S_OK;
    if (m_writer)
        hr = m_writer->EndWriting();
    // Everything goes, also when ending failed: a writer kept after a failed end would be
    // ended again by nothing and hold its file open.
    ReleaseAll();
    m_twoPass = FALSE;
    m_frameCount = 0;
    m_frameHeader = BITMAPINFOHEADER{};
    m_streamHeader = StreamHeader{};
    m_audioInputNumber = 0;
    m_videoInputNumber = 0;
    return hr;
}

HRESULT CEncWMV::ReleaseAll()
{
    m_profile.Reset();
    m_videoInput.Reset();
    m_writer.Reset();
    m_preprocessor.Reset();
    m_audioInput.Reset();
    return S_OK;
}

CEncWMVWMA::CEncWMVWMA() = default;

CEncWMVWMA::~CEncWMVWMA() { ReleaseAll(); }

BOOL CEncWMVWMA::HasAudioInput() const { return m_audioInput ? TRUE : FALSE; }

HRESULT CEncWMVWMA::SetupAudioInput(int audioRate, int channels, int bits)
{
    m_audioBytes = 0;
    m_audioFormat = WAVEFORMATEX{};
    m_audioFormat.wFormatTag = WAVE_FORMAT_PCM;
    m_audioFormat.nChannels = static_cast<WORD>(channels);
    m_audioFormat.nSamplesPerSec = static_cast<DWORD>(audioRate);
    m_audioFormat.wBitsPerSample = static_cast<WORD>(bits);
    m_audioFormat.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    m_audioFormat.nAvgBytesPerSec = m_audioFormat.nBlockAlign * static_cast<DWORD>(audioRate);
    m_audioFormat.cbSize = 0;
    if (!m_audioInput)
        return S_OK;

    WM_MEDIA_TYPE type{};
    type.majortype = WMMEDIATYPE_Audio;
    type.subtype = WMMEDIASUBTYPE_PCM;
    type.bFixedSizeSamples = TRUE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = m_audioFormat.nSamplesPerSec;
    type.formattype = WMFORMAT_WaveFormatEx;
    type.pUnk = nullptr;
    type.cbFormat = sizeof(WAVEFORMATEX);
    type.pbFormat = reinterpret_cast<BYTE*>(&m_audioFormat);
    HRESULT hr = m_audioInput->SetMediaType(&type);
    if (FAILED(hr))
        return hr;
    return m_writer->SetInputProps(m_audioInputNumber, m_audioInput.get());
}

int CEncWMVWMA::WriteAudio(const void* data, int bytes)
{
    if (bytes <= 0 || !m_audioInput)
        return 0;
    const int64_t divisor = static_cast<int64_t>(m_audioFormat.wBitsPerSample / 8) * m_audioFormat.nChannels *
                            m_audioFormat.nSamplesPerSec;
    if (!data || !m_writer || divisor == 0 || (m_twoPass && !m_preprocessor))
        return kErrorWmaStreamWrite;
    ComPtr<INSSBuffer> sample;
    HRESULT hr = m_writer->AllocateSample(static_cast<DWORD>(bytes), sample.Receive());
    DWORD length = 0;
    if (SUCCEEDED(hr)) {
        BYTE* buffer = nullptr;
        hr = sample->GetBufferAndLength(&buffer, &length);
        if (SUCCEEDED(hr)) {
            length = std::min<DWORD>(length, static_cast<DWORD>(bytes));
            std::memcpy(buffer, data, length);
            hr = sample->SetLength(length);
        }
    }
    if (SUCCEEDED(hr)) {
        const QWORD time = static_cast<QWORD>(m_audioBytes * 10000000 / divisor);
        hr = m_twoPass ? m_preprocessor->PreprocessSample(m_audioInputNumber, time, 0, sample.get())
                       : m_writer->WriteSample(m_audioInputNumber, time, 0, sample.get());
    }
    sample.Reset();
    m_audioBytes += bytes;
    if (FAILED(hr))
        return hr == NS_E_TWO_PASS_REQUIRED ? kErrorWmaNeedsTwoPasses : kErrorWmaStreamWrite;
    return 0;
}

int CEncWMVWMA::GetPadBytes() const
{
    return MissingSilenceBytes(m_frameCount, m_streamHeader.dwScale, m_streamHeader.dwRate, m_audioBytes,
                               m_audioFormat);
}

void CEncWMVWMA::PadAudio()
{
    if (!m_audioInput || !m_videoInput)
        return;
    WriteSilence(GetPadBytes(), [this](const void* data, int bytes) { WriteAudio(data, bytes); });
}

int CEncWMVWMA::BeginPass()
{
    if (!m_twoPass)
        return 0;
    if (m_videoInput) {
        const int result = CEncWMV::BeginPass();
        if (result != 0)
            return result;
    }
    if (m_audioInput) {
        DWORD passes = 0;
        if (!m_preprocessor || FAILED(m_preprocessor->GetMaxPreprocessingPasses(m_audioInputNumber, 0, &passes)) ||
            FAILED(m_preprocessor->SetNumPreprocessingPasses(m_audioInputNumber, 0, passes)) ||
            FAILED(m_preprocessor->BeginPreprocessingPass(m_audioInputNumber, 0)))
            return kErrorWmaTwoPassStart;
    }
    return 0;
}

int CEncWMVWMA::EndPass()
{
    PadAudio();
    if (m_twoPass) {
        if (m_videoInput) {
            const int result = CEncWMV::EndPass();
            if (result != 0)
                return result;
        }
        if (m_audioInput) {
            if (!m_preprocessor || FAILED(m_preprocessor->EndPreprocessingPass(m_audioInputNumber, 0)))
                return kErrorWmaFirstPassEnd;
            m_audioBytes = 0;
        }
    }
    SetTwoPass(FALSE);
    return 0;
}
