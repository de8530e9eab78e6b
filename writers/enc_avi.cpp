#include "writers/enc_avi.h"

#include "foundation/file_system.h"
#include "platform/vfw/vcm.h"
#include "platform/win/dib_rows.h"

#include <cstring>

namespace {

constexpr DWORD kCompressOptionFlags = AVICOMPRESSF_DATARATE | AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;

} // namespace

CEncAVI::CEncAVI()
{
    AVIFileInit();
    static_cast<void>(CEncAVI::Close());
}

CEncAVI::~CEncAVI()
{
    // Whoever needed the result closed before.
    static_cast<void>(CEncAVI::Close());
    AVIFileExit();
}

int CEncAVI::Create(CString path, const BITMAPINFOHEADER* header, int rate)
{
    std::memcpy(&m_frameHeader, header, sizeof m_frameHeader);
    std::memset(&m_streamInfo, 0, sizeof m_streamInfo);
    m_streamInfo.fccType = streamtypeVIDEO;
    m_streamInfo.dwQuality = static_cast<DWORD>(-1);
    m_streamInfo.dwRate = static_cast<DWORD>(rate);
    m_streamInfo.dwScale = 10000;
    m_streamInfo.rcFrame = RECT{0, 0, m_frameHeader.biWidth, m_frameHeader.biHeight};
    m_streamInfo.dwStart = 0;
    m_streamInfo.dwSuggestedBufferSize = m_frameHeader.biSizeImage;
    SetupCompressor();
    m_streamInfo.fccHandler = m_options.fccHandler;
    return Open(path);
}

void CEncAVI::SetupCompressor()
{
    std::memset(&m_compVars, 0, sizeof m_compVars);
    m_compVars.fccHandler = m_setting.GetHandler();
    m_compVars.lQ = m_setting.GetQuality() * 100;
    m_compVars.lKey = m_setting.GetKeyFrameEvery();
    m_compVars.lDataRate = m_setting.GetDataRate();
    m_compVars.cbSize = 64;
    m_compVars.fccType = ICTYPE_VIDEO;
    m_compVars.dwFlags = ICMF_COMPVARS_VALID;
    m_compVars.hic = ICOpen(ICTYPE_VIDEO, m_compVars.fccHandler, ICMODE_COMPRESS);

    const LRESULT stateSize = ICSendMessage(m_compVars.hic, ICM_GETSTATE, 0, 0);
    if (stateSize == m_setting.GetStateSize()) {
        m_compVars.lpState = m_setting.GetState();
        m_compVars.cbState = m_setting.GetStateSize();
        ICSendMessage(m_compVars.hic, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(m_compVars.lpState),
                      static_cast<DWORD_PTR>(m_compVars.cbState));
    }

    std::memset(&m_options, 0, sizeof m_options);
    m_options.fccType = streamtypeVIDEO;
    m_options.fccHandler = m_compVars.fccHandler;
    m_options.dwKeyFrameEvery = static_cast<DWORD>(m_compVars.lKey);
    m_options.dwQuality = static_cast<DWORD>(m_compVars.lQ);
    m_options.dwBytesPerSecond = static_cast<DWORD>(m_setting.GetDataRate()) * 1024;
    m_options.dwFlags = kCompressOptionFlags;
    m_options.lpFormat = &m_frameHeader;
    m_options.cbFormat = sizeof m_frameHeader;
    m_options.lpParms = m_compVars.lpState;
    m_options.cbParms = static_cast<DWORD>(m_compVars.cbState);
    m_options.dwInterleaveEvery = 0;
}

int CEncAVI::Open(CString path)
{
    DeleteExistingFile(path);
    if (AVIFileOpenW(&m_aviFile, path, OF_WRITE | OF_CREATE | OF_SHARE_EXCLUSIVE, nullptr) != AVIERR_OK)
        return kErrorAviFileOpen;
    if (AVIFileCreateStreamW(m_aviFile, &m_videoStream, &m_streamInfo) != AVIERR_OK)
        return kErrorAviCreateStream;
    if (AVIMakeCompressedStream(&m_compressedStream, m_videoStream, &m_options, nullptr) != AVIERR_OK)
        return kErrorAviCompressedStream;
    BITMAPINFOHEADER format = m_frameHeader;
    format.biCompression = BI_RGB;
    format.biBitCount = 24;
    format.biSizeImage = static_cast<DWORD>(DibRowStride(static_cast<uint64_t>(format.biWidth)) * format.biHeight);
    if (AVIStreamSetFormat(m_compressedStream, 0, &format, sizeof format) != AVIERR_OK)
        return kErrorAviSetFormat;
    return 0;
}

int CEncAVI::FinishFrames()
{
    if (!m_ahead)
        return 0;
    const vfw::FrameAheadCompressor::Failure failure = m_ahead->Finish();
    if (failure == vfw::FrameAheadCompressor::Failure::None)
        return 0;
    // The frames after the one that failed were dropped too; the next frame goes in its place.
    m_framePosition = m_writtenPosition;
    return failure == vfw::FrameAheadCompressor::Failure::Compress ? kErrorAviCompressFrame : kErrorAviStreamWrite;
}

bool CEncAVI::WriteCompressedFrame(const vfw::EncodedFrame& frame)
{
    LONG written = 0;
    if (frame.bytes > 0x7FFFFFFF ||
        AVIStreamWrite(m_videoStream, m_writtenPosition, 1, frame.data, static_cast<LONG>(frame.bytes),
                       frame.key ? AVIIF_KEYFRAME : 0, &written, nullptr) != AVIERR_OK)
        return false;
    ++m_writtenPosition;
    return true;
}

int CEncAVI::WriteFrame(const void* bits)
{
    LONG written = 0;
    if (AVIStreamWrite(m_compressedStream, m_framePosition, 1, bits, static_cast<LONG>(m_frameHeader.biSizeImage),
                       AVIIF_KEYFRAME, &written, nullptr) != AVIERR_OK)
        return kErrorAviStreamWrite;
    m_framePosition += written;
    return 0;
}

int CEncAVI::Close()
{
    int code = CEncAVI::FinishFrames();
    m_ahead.reset();
    if (m_videoStream)
        AVIStreamRelease(m_videoStream);
    m_videoStream = nullptr;
    if (m_compressedStream)
        AVIStreamRelease(m_compressedStream);
    m_compressedStream = nullptr;
    if (m_aviFile) {
        if (AVIFileFinish(m_aviFile) != AVIERR_OK && code == 0)
            code = kErrorAviStreamWrite;
        AVIFileRelease(m_aviFile);
    }
    m_aviFile = nullptr;
    CloseCompressor();
    std::memset(&m_frameHeader, 0, sizeof m_frameHeader);
    m_framePosition = 0;
    m_writtenPosition = 0;
    std::memset(&m_streamInfo, 0, sizeof m_streamInfo);
    return code;
}

void CEncAVI::CloseCompressor()
{
    m_ahead.reset();
    ICClose(m_compVars.hic);
    std::memset(&m_compVars, 0, sizeof m_compVars);
    std::memset(&m_options, 0, sizeof m_options);
}

CEncAVI_Comp::CEncAVI_Comp() { std::memset(&m_framesInfo, 0, sizeof m_framesInfo); }

void CEncAVI_Comp::SetupCompressor()
{
    CEncAVI::SetupCompressor();
    m_framesInfo.lQuality = m_compVars.lQ;
    m_framesInfo.lDataRate = m_setting.GetDataRate() * 1024;
    m_framesInfo.lKeyRate = m_compVars.lKey;
    m_framesInfo.dwRate = m_streamInfo.dwRate;
    m_framesInfo.dwScale = m_streamInfo.dwScale;
    ICSendMessage(m_compVars.hic, ICM_COMPRESS_FRAMES_INFO, reinterpret_cast<DWORD_PTR>(&m_framesInfo),
                  sizeof m_framesInfo);
}

int CEncAVI_Comp::Open(CString path)
{
    const int result = CEncAVI::Open(path);
    if (result != 0)
        return result;
    if (!ICSeqCompressFrameStart(&m_compVars, reinterpret_cast<const BITMAPINFO*>(&m_frameHeader)))
        return kErrorAviSequenceStart;
    m_writtenPosition = m_framePosition;
    m_ahead = vfw::FrameAheadCompressor::Start(
        *m_compVars.hic, [this](const vfw::EncodedFrame& frame) { return WriteCompressedFrame(frame); });
    return 0;
}

int CEncAVI_Comp::WriteFrame(const void* bits)
{
    if (m_ahead)
        return WriteFrameAhead(bits);
    BOOL key = FALSE;
    LONG size = 0;
    const void* data = ICSeqCompressFrame(&m_compVars, 0, const_cast<void*>(bits), &key, &size);
    if (!data)
        return kErrorAviCompressFrame;
    LONG written = 0;
    if (AVIStreamWrite(m_videoStream, m_framePosition, 1, data, size, key ? AVIIF_KEYFRAME : 0, &written, nullptr) !=
        AVIERR_OK)
        return kErrorAviStreamWrite;
    m_framePosition += written;
    return 0;
}

int CEncAVI_Comp::WriteFrameAhead(const void* bits)
{
    if (!m_ahead->Add(bits)) {
        // A frame given earlier failed: its error is this write's. The frames before it are in
        // the file.
        const int code = FinishFrames();
        return code != 0 ? code : kErrorAviCompressFrame;
    }
    ++m_framePosition;
    return 0;
}

void CEncAVI_Comp::CloseCompressor()
{
    ICSeqCompressFrameEnd(&m_compVars);
    std::memset(&m_framesInfo, 0, sizeof m_framesInfo);
    CEncAVI::CloseCompressor();
}
