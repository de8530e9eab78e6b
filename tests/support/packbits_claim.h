// A few hundred bytes that claim a huge picture: a little-endian TIFF file whose one PackBits
// strip covers every row of a width x height RGB picture but holds the data of its first row
// only, grey kClaimGrey; the rows after it do not decode.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

inline constexpr uint8_t kClaimGrey = 0x40;

inline std::vector<uint8_t> PackBitsClaim(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> row;
    for (uint32_t left = 3 * width; left > 0;) {
        const uint32_t run = std::min<uint32_t>(left, 128);
        row.push_back(static_cast<uint8_t>(1 - static_cast<int>(run)));
        row.push_back(kClaimGrey);
        left -= run;
    }
    std::vector<uint8_t> file = {'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put = [&file](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    constexpr uint32_t kEntries = 9;
    constexpr uint32_t kBitsAt = 8 + 2 + 12 * kEntries + 4;
    constexpr uint32_t kStripAt = kBitsAt + 6;
    const uint32_t entries[kEntries][3] = {{256, 4, width},
                                           {257, 4, height},
                                           {258, 3, kBitsAt},
                                           {259, 3, 32773}, // PackBits
                                           {262, 3, 2},
                                           {273, 4, kStripAt},
                                           {277, 3, 3},
                                           {278, 4, height},
                                           {279, 4, static_cast<uint32_t>(row.size())}};
    put(kEntries, 2);
    for (const auto& e : entries) {
        put(e[0], 2);
        put(e[1], 2);
        put(e[0] == 258 ? 3 : 1, 4);
        put(e[2], 4);
    }
    put(0, 4);
    for (int i = 0; i < 3; ++i)
        put(8, 2);
    file.insert(file.end(), row.begin(), row.end());
    return file;
}
