#include "writers/wav_acm.h"

#include "platform/win/heap.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kHeaderStructBytes = 84;
constexpr DWORD kDestinationBytes = 12288;
constexpr size_t kTargetBlockBytes = 256;

bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ClearHeader(ACMSTREAMHEADER& header)
{
    std::memset(&header, 0, sizeof header);
    header.cbStruct = kHeaderStructBytes;
}

} // namespace

CWavACM::CWavACM() { Reset(); }

CWavACM::~CWavACM() { Reset(); }

void CWavACM::SetTargetFormat(const WAVEFORMATEX* format)
{
    if (m_target)
        GlobalFree(m_target);
    m_target = nullptr;
    if (!format)
        return;
    auto* block = static_cast<WAVEFORMATEX*>(GlobalAlloc(GPTR, kTargetBlockBytes));
    if (!block)
        return;
    const size_t kept = std::min<size_t>(sizeof(WAVEFORMATEX) + format->cbSize, kTargetBlockBytes);
    std::memcpy(block, format, kept);
    // The block's own cbSize must not claim bytes that were cut off: the stream format is copied
    // by it.
    block->cbSize = static_cast<WORD>(kept - sizeof(WAVEFORMATEX));
    m_target = block;
}

BOOL CWavACM::PrepareFormats()
{
    const bool sourcePcm = m_source.wFormatTag == WAVE_FORMAT_PCM;
    if (!m_target)
        return sourcePcm ? TRUE : FALSE;
    const bool targetPcm = m_target->wFormatTag == WAVE_FORMAT_PCM;
    if (sourcePcm && targetPcm) {
        if (SameFormat(m_source, *m_target)) {
            GlobalFree(m_target);
            m_target = nullptr;
        }
        return TRUE;
    }
    if (sourcePcm) {
        if (!m_intermediate) {
            m_intermediate = static_cast<WAVEFORMATEX*>(GlobalAlloc(GMEM_FIXED, sizeof(WAVEFORMATEX)));
            if (!m_intermediate)
                return FALSE;
        }
        std::memset(m_intermediate, 0, sizeof(WAVEFORMATEX));
        m_intermediate->wFormatTag = WAVE_FORMAT_PCM;
        m_intermediate->cbSize = 0;
        if (acmFormatSuggest(nullptr, m_target, m_intermediate, sizeof(WAVEFORMATEX), ACM_FORMATSUGGESTF_WFORMATTAG) !=
            MMSYSERR_NOERROR)
            return FALSE;
        if (SameFormat(*m_intermediate, m_source)) {
            GlobalFree(m_intermediate);
            m_intermediate = nullptr;
        }
        return TRUE;
    }
    if (targetPcm) {
        std::memcpy(&m_source, m_target, sizeof m_source);
        GlobalFree(m_target);
        m_target = nullptr;
        return TRUE;
    }
    std::memset(&m_source, 0, sizeof m_source);
    m_source.wFormatTag = WAVE_FORMAT_PCM;
    m_source.cbSize = 0;
    return acmFormatSuggest(nullptr, m_target, &m_source, sizeof m_source, ACM_FORMATSUGGESTF_WFORMATTAG) ==
                   MMSYSERR_NOERROR
               ? TRUE
               : FALSE;
}

BOOL CWavACM::OpenStreams()
{
    if (!m_target || m_target->nBlockAlign == 0 || m_target->nBlockAlign > kDestinationBytes)
        return FALSE;
    const DWORD destinationSize = kDestinationBytes - kDestinationBytes % m_target->nBlockAlign;
    m_headerA.pbDst = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, destinationSize));
    if (!m_headerA.pbDst)
        return FALSE;
    m_headerA.cbDstLength = destinationSize;
    if (m_intermediate) {
        if (acmStreamOpen(&m_streamB, nullptr, &m_source, m_intermediate, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
            MMSYSERR_NOERROR)
            return FALSE;
        if (acmStreamOpen(&m_streamA, nullptr, m_intermediate, m_target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
            MMSYSERR_NOERROR)
            return FALSE;
    } else if (acmStreamOpen(&m_streamA, nullptr, &m_source, m_target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
               MMSYSERR_NOERROR) {
        return FALSE;
    }
    DWORD sourceSize = 0;
    if (acmStreamSize(m_streamA, destinationSize, &sourceSize, ACM_STREAMSIZEF_DESTINATION) != MMSYSERR_NOERROR ||
        sourceSize == 0)
        return FALSE;
    m_headerA.pbSrc = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, sourceSize));
    if (!m_headerA.pbSrc)
        return FALSE;
    m_sourceSize = sourceSize;
    m_headerA.cbSrcLength = sourceSize;
    m_headerA.cbSrcLengthUsed = 0;
    return TRUE;
}

MMRESULT CWavACM::ConvertHeader(HACMSTREAM stream, ACMSTREAMHEADER& header, DWORD flags)
{
    header.fdwStatus = 0;
    MMRESULT rc = acmStreamPrepareHeader(stream, &header, 0);
    if (rc != MMSYSERR_NOERROR)
        return rc;
    rc = acmStreamConvert(stream, &header, flags);
    acmStreamUnprepareHeader(stream, &header, 0);
    return rc;
}

MMRESULT CWavACM::ConvertA(DWORD count, DWORD flags)
{
    m_headerA.cbSrcLength = count;
    const MMRESULT rc = ConvertHeader(m_streamA, m_headerA, flags);
    m_headerA.cbSrcLength = m_sourceSize;
    if (rc != MMSYSERR_NOERROR)
        return rc;
    const DWORD used = std::min(m_headerA.cbSrcLengthUsed, count);
    const DWORD left = count - used;
    std::memmove(m_headerA.pbSrc, m_headerA.pbSrc + used, left);
    m_headerA.cbSrcLengthUsed = left;
    return MMSYSERR_NOERROR;
}

int CWavACM::Write(const void* data, int bytes, WavAcmCallback callback, void* context)
{
    if (bytes < 0 || (bytes > 0 && !data))
        return -1;
    m_sourceBytes += bytes;
    if (bytes == 0)
        return 0;
    if (!m_streamA) {
        const int n = callback(data, bytes, context);
        return n == -1 ? -1 : n;
    }
    const auto* in = static_cast<const BYTE*>(data);
    DWORD remaining = static_cast<DWORD>(bytes);
    int taken = 0;
    while (remaining > 0) {
        const DWORD fill = m_headerA.cbSrcLengthUsed;
        const DWORD room = m_sourceSize - fill;
        if (!m_streamB) {
            if (remaining < room) {
                std::memcpy(m_headerA.pbSrc + fill, in, remaining);
                m_headerA.cbSrcLengthUsed = fill + remaining;
                return taken + static_cast<int>(remaining);
            }
            if (fill > 0) {
                std::memcpy(m_headerA.pbSrc + fill, in, room);
                in += room;
                remaining -= room;
                taken += static_cast<int>(room);
                if (ConvertA(m_sourceSize, ACM_STREAMCONVERTF_BLOCKALIGN) != MMSYSERR_NOERROR)
                    return -1;
            } else {
                // Straight from the caller's memory, one source buffer at a time.
                LPBYTE own = m_headerA.pbSrc;
                m_headerA.pbSrc = const_cast<LPBYTE>(in);
                m_headerA.cbSrcLength = m_sourceSize;
                const MMRESULT rc = ConvertHeader(m_streamA, m_headerA, ACM_STREAMCONVERTF_BLOCKALIGN);
                m_headerA.pbSrc = own;
                const DWORD used = std::min(m_headerA.cbSrcLengthUsed, m_sourceSize);
                m_headerA.cbSrcLengthUsed = 0;
                if (rc != MMSYSERR_NOERROR || used == 0)
                    return -1;
                in += used;
                remaining -= used;
                taken += static_cast<int>(used);
            }
        } else {
            DWORD need = 0;
            if (acmStreamSize(m_streamB, room, &need, ACM_STREAMSIZEF_DESTINATION) != MMSYSERR_NOERROR || need == 0)
                return -1;
            ClearHeader(m_headerB);
            m_headerB.pbSrc = const_cast<LPBYTE>(in);
            m_headerB.pbDst = m_headerA.pbSrc + fill;
            m_headerB.cbDstLength = room;
            const DWORD count = std::min(remaining, need);
            m_headerB.cbSrcLength = count;
            if (ConvertHeader(m_streamB, m_headerB, ACM_STREAMCONVERTF_BLOCKALIGN) != MMSYSERR_NOERROR)
                return -1;
            m_headerA.cbSrcLengthUsed = fill + std::min(m_headerB.cbDstLengthUsed, room);
            in += count;
            remaining -= count;
            taken += static_cast<int>(count);
            if (count < need)
                return taken;
            if (ConvertA(m_headerA.cbSrcLengthUsed, ACM_STREAMCONVERTF_BLOCKALIGN) != MMSYSERR_NOERROR)
                return -1;
        }
        if (callback(m_headerA.pbDst, static_cast<int>(m_headerA.cbDstLengthUsed), context) == -1)
            return -1;
    }
    return taken;
}

BOOL CWavACM::Flush(WavAcmCallback callback, void* context)
{
    const DWORD fill = m_headerA.cbSrcLengthUsed;
    if (!m_streamA || fill == 0)
        return TRUE;
    m_headerA.cbSrcLength = fill;
    if (ConvertHeader(m_streamA, m_headerA, 0) != MMSYSERR_NOERROR)
        return FALSE;
    callback(m_headerA.pbDst, static_cast<int>(m_headerA.cbDstLengthUsed), context);
    return TRUE;
}

void CWavACM::Reset()
{
    if (m_headerA.pbSrc)
        GlobalFree(m_headerA.pbSrc);
    if (m_headerA.pbDst)
        GlobalFree(m_headerA.pbDst);
    if (m_intermediate)
        GlobalFree(m_intermediate);
    m_intermediate = nullptr;
    ClearHeader(m_headerA);
    ClearHeader(m_headerB);
    if (m_streamB)
        acmStreamClose(m_streamB, 0);
    m_streamB = nullptr;
    if (m_streamA)
        acmStreamClose(m_streamA, 0);
    m_streamA = nullptr;
    if (m_target)
        GlobalFree(m_target);
    m_target = nullptr;
    m_sourceSize = 0;
    m_sourceBytes = 0;
}
