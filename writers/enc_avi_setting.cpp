#include "writers/enc_avi_setting.h"

#include "platform/vfw/vfw_types.h"
#include "platform/win/heap.h"

CEncAVISetting::CEncAVISetting() : m_handler(kFourCCUncompressed) {}

CEncAVISetting::~CEncAVISetting()
{
    if (m_state)
        GlobalFree(m_state);
    if (m_audioFormat)
        GlobalFree(m_audioFormat);
}

void CEncAVISetting::SetState(void* block)
{
    if (m_state)
        GlobalFree(m_state);
    m_state = block;
}
