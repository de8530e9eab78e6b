#include "tests/image/image_test_support.h"

#include "platform/win/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

std::u16string ImageTestDir::WidePath(const std::string& name) const { return Utf8ToUtf16(Path(name)); }

uint8_t PatternByte(int x, int y, int c) { return static_cast<uint8_t>(x * 37 + y * 91 + c * 53 + x * y); }

uint8_t SmoothByte(int x, int y, int c) { return static_cast<uint8_t>(40 + 2 * x + 3 * y + 30 * c); }

DibPtr MakeFrame(int width, int height, uint8_t (*byteAt)(int, int, int))
{
    const uint64_t area = DibRowStride(width) * height;
    DibPtr dib(static_cast<BITMAPINFOHEADER*>(std::malloc(sizeof(BITMAPINFOHEADER) + area)));
    InitBitmapInfoHeader(dib.get(), width, height);
    std::memset(DibPixels(dib.get()), 0xEE, area);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                DibPixels(dib.get())[DibRowStride(width) * (height - 1 - y) + 3 * x + c] = byteAt(x, y, c);
    return dib;
}

uint8_t FrameByte(const BITMAPINFOHEADER* dib, int x, int y, int c)
{
    const auto* pixels = reinterpret_cast<const uint8_t*>(dib + 1);
    return pixels[DibRowStride(dib->biWidth) * (dib->biHeight - 1 - y) + 3 * x + c];
}

int MaxPixelDifference(const BITMAPINFOHEADER* a, const BITMAPINFOHEADER* b)
{
    int worst = 0;
    for (int y = 0; y < a->biHeight; ++y)
        for (int x = 0; x < a->biWidth; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(FrameByte(a, x, y, c) - FrameByte(b, x, y, c)));
    return worst;
}

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }
