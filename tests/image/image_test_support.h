// Frames, files and temporary folders for the image tests.
#pragma once

#include "image/packed_dib.h"
#include "tests/support/test_support.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A temporary folder whose files are named by UTF-8 (for the tests) and UTF-16 (for the readers).
class ImageTestDir {
public:
    std::string Path(const std::string& name) const { return m_folder / name; }
    std::u16string WidePath(const std::string& name) const;

private:
    TempFolder m_folder;
};

// The test pattern's byte c (0 blue, 1 green, 2 red) at column x of picture row y (top = 0).
uint8_t PatternByte(int x, int y, int c);
// A smooth picture that survives JPEG with small errors.
uint8_t SmoothByte(int x, int y, int c);

// A 24-bit packed DIB filled from byteAt(x, y from the top, c); pad bytes are 0xEE.
DibPtr MakeFrame(int width, int height, uint8_t (*byteAt)(int, int, int) = PatternByte);

// Byte c of the pixel at column x of picture row y (top = 0) of a 24-bit packed DIB.
uint8_t FrameByte(const BITMAPINFOHEADER* dib, int x, int y, int c);
// Largest difference between the pixel bytes (not the pad bytes) of two 24-bit frames.
int MaxPixelDifference(const BITMAPINFOHEADER* a, const BITMAPINFOHEADER* b);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);
bool FileExists(const std::string& path);

template <typename T>
void AppendRaw(Bytes& out, const T& value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}
