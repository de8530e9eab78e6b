// A luminance lookup table: a gamma curve plus an offset, clamped to 0..255.
#pragma once

#include "platform/win/types.h"

class CImgLumi {
public:
    CImgLumi() { MakeTable(0, 0); }
    virtual ~CImgLumi() = default;

    // Entry i := (i / 255)^e x 255 + offset, rounded and clamped, with e = 2^(-gamma / 128).
    void MakeTable(int gamma, int offset);
    BYTE Entry(int index) const { return m_table[index]; }

private:
    BYTE m_table[256];
    int m_offset = 0;
    int m_gamma = 0;
};
