// The AVI writer chain's first two layers: the file with its video stream and compressor set-up,
// frames written uncompressed or to the compressing stream (CEncAVI), and frames compressed one
// by one by the writer itself (CEncAVI_Comp).
#pragma once

#include "foundation/error_numbers.h"
#include "platform/afx/cstring.h"
#include "platform/vfw/avifile.h"
#include "platform/vfw/frame_ahead_compressor.h"
#include "platform/vfw/vfw_types.h"
#include "writers/enc_avi_setting.h"

#include <memory>

class CEncAVI {
public:
    CEncAVI();
    virtual ~CEncAVI();
    CEncAVI(const CEncAVI&) = delete;
    CEncAVI& operator=(const CEncAVI&) = delete;

    virtual int WriteFrame(const void* bits);
    // Finishes the file and releases everything; safe in every state, any number of times. 0, the
    // number of the first frame in flight that failed, or kErrorAviStreamWrite when the file's
    // ending (indexes, sizes, the close itself) could not be written: the file is incomplete.
    virtual int Close();
    virtual int Open(CString path);
    virtual void SetupCompressor();
    virtual void CloseCompressor();

    // rate is frames per second times 10000.
    int Create(CString path, const BITMAPINFOHEADER* header, int rate);
    // Frames of a compressor whose frames stand alone are compressed and written beside the
    // caller, a few WriteFrame calls later; a failure is returned by a later WriteFrame, or here,
    // and leaves the frame position at the frame that failed. This waits for the frames still in
    // flight: 0, or the error number of the first that failed. Close waits for them too.
    virtual int FinishFrames();

    CEncAVISetting* GetSetting() { return &m_setting; }
    LONG GetFramePosition() const { return m_framePosition; }
    const AVISTREAMINFOW& GetStreamInfo() const { return m_streamInfo; }
    const BITMAPINFOHEADER& GetFrameHeader() const { return m_frameHeader; }
    const COMPVARS& GetCompVars() const { return m_compVars; }
    const AVICOMPRESSOPTIONS& GetCompressOptions() const { return m_options; }
    BOOL IsFileOpen() const { return m_aviFile != nullptr; }

protected:
    CEncAVISetting m_setting;
    LONG m_framePosition = 0;
    PAVIFILE m_aviFile = nullptr;
    PAVISTREAM m_compressedStream = nullptr;
    PAVISTREAM m_videoStream = nullptr;
    AVICOMPRESSOPTIONS m_options{};
    COMPVARS m_compVars{};
    AVISTREAMINFOW m_streamInfo{};
    BITMAPINFOHEADER m_frameHeader{};
    // Set on the sequential path when frames are compressed ahead; holds the compressor's frames
    // until they are written.
    std::unique_ptr<vfw::FrameAheadCompressor> m_ahead;
    // The frames compressed ahead that reached the file. Written only by m_ahead's sink while
    // frames are in flight, read after m_ahead->Finish.
    LONG m_writtenPosition = 0;

    // m_ahead's sink: writes the next compressed frame to the video stream.
    bool WriteCompressedFrame(const vfw::EncodedFrame& frame);
};

class CEncAVI_Comp : public CEncAVI {
public:
    CEncAVI_Comp();

    int WriteFrame(const void* bits) override;
    int Open(CString path) override;
    void SetupCompressor() override;
    void CloseCompressor() override;

protected:
    int WriteFrameAhead(const void* bits);

    ICCOMPRESSFRAMES m_framesInfo{};
};
