#include "foundation/time_manager.h"

#include "platform/win/clock.h"

DWORD GetTimeMs() { return timeGetTime(); }

CTimeMmanager::CTimeMmanager()
{
    Start();
    ClearTotal();
}

void CTimeMmanager::Start() { m_start = GetTimeMs(); }

void CTimeMmanager::ClearTotal() { m_total = 0; }

void CTimeMmanager::SetLimit(DWORD ms) { m_limit = ms; }

void CTimeMmanager::Accumulate() { m_total += GetElapsed(); }

DWORD CTimeMmanager::GetTotal() { return m_total; }

DWORD CTimeMmanager::GetElapsed() { return GetTimeMs() - m_start; }

BOOL CTimeMmanager::IsOver() { return m_limit < GetElapsed() ? TRUE : FALSE; }
