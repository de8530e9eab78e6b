#include "writers/enc_avi2.h"

int CEncAVI2::Open(CString path)
{
    m_sequential = TRUE;
    const int result = CEncAVI_Comp::Open(path);
    if (result == kErrorAviSequenceStart && m_frameHeader.biBitCount == 24) {
        m_sequential = FALSE;
        return 0;
    }
    return result;
}

int CEncAVI2::WriteFrame(const void* bits)
{
    return m_sequential ? CEncAVI_Comp::WriteFrame(bits) : CEncAVI::WriteFrame(bits);
}
