// A compressor opened for compression for one step, and closed again whatever happens.
#pragma once

#include "platform/vfw/vcm.h"

class OpenCompressor {
public:
    explicit OpenCompressor(const ICINFO& entry) : m_hic(ICOpen(entry.fccType, entry.fccHandler, ICMODE_COMPRESS)) {}
    ~OpenCompressor()
    {
        if (m_hic)
            ICClose(m_hic);
    }
    OpenCompressor(const OpenCompressor&) = delete;
    OpenCompressor& operator=(const OpenCompressor&) = delete;

    // Null when the compressor does not open.
    HIC Handle() const { return m_hic; }

private:
    HIC m_hic;
};
