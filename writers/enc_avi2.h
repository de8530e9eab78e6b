// The AVI writer the application drives: per file, frames go the sequential path when the
// compressor starts a sequence, else (24-bit frames) through the compressing stream.
#pragma once

#include "writers/enc_avi_audio.h"

class CEncAVI2 : public CEncAVIAudioComp {
public:
    int WriteFrame(const void* bits) override;
    int Open(CString path) override;
    BOOL IsSequential() const { return m_sequential; }

protected:
    BOOL m_sequential = FALSE;
};
