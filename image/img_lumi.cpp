#include "image/img_lumi.h"

#include <cmath>

void CImgLumi::MakeTable(int gamma, int offset)
{
    m_gamma = gamma;
    m_offset = offset;
    const double exponent = std::pow(2.0, -static_cast<double>(gamma) / 128.0);
    for (int i = 0; i < 256; ++i) {
        const double v = std::pow(i / 255.0, exponent) * 255.0 + offset + 0.5;
        m_table[i] = v < 0.0 ? 0 : v > 255.0 ? 255 : static_cast<BYTE>(v);
    }
}
