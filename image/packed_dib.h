// The packed DIB: one malloc block holding a BITMAPINFOHEADER and, directly behind it, the pixels.
#pragma once

#include "platform/win/dib_rows.h"
#include "platform/win/types.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

BITMAPINFOHEADER* InitBitmapInfoHeader(BITMAPINFOHEADER* out, int width, int height);

// No reader allocates a pixel area beyond this, whatever a file's header claims.
constexpr uint64_t kMaxPixelAreaBytes = uint64_t{1} << 30;

// Pixel area of a width x height frame in the 24-bit (padded, bitCount 24) or 48-bit
// (unpadded, bitCount 48) form; 0 when a side is not positive or the area exceeds the bound.
uint64_t DibPixelAreaBytes(int64_t width, int64_t height, int bitCount = 24);

inline BYTE* DibPixels(BITMAPINFOHEADER* dib) { return reinterpret_cast<BYTE*>(dib) + sizeof(BITMAPINFOHEADER); }

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};
// A frame block owned until released to the caller.
using DibPtr = std::unique_ptr<BITMAPINFOHEADER, FreeDeleter>;

// Sets the bytes that pad each row of a 24-bit frame to zero, so no stale memory reaches a file
// written from the frame.
void ZeroRowPadding(BITMAPINFOHEADER* dib);

// The block a frame of width x height in the form of bitCount is decoded into. Without a reuse
// block a new one is allocated and given a fresh header and zero row padding; a reuse block is kept (header untouched)
// only when its width, height and bit count are the frame's. Otherwise the reuse block is
// released and NULL returned.
BITMAPINFOHEADER* AcquireFrameBlock(BITMAPINFOHEADER* reuse, int64_t width, int64_t height, int bitCount = 24);

class CImgFile {
public:
    virtual ~CImgFile() = default;
    // Returns a packed DIB (the reuse block or a new one) or NULL with the reuse block released.
    virtual BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) = 0;
};
