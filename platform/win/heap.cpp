#include "platform/win/heap.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Each block starts with its size, so GlobalSize can answer; the handle is the user address.
struct alignas(std::max_align_t) BlockHeader {
    SIZE_T bytes;
    UINT locks;
};

BlockHeader* HeaderOf(HGLOBAL block) { return static_cast<BlockHeader*>(block) - 1; }

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (bytes > SIZE_MAX - sizeof(BlockHeader))
        return nullptr;
    void* raw = (flags & GMEM_ZEROINIT) ? std::calloc(1, sizeof(BlockHeader) + bytes)
                                        : std::malloc(sizeof(BlockHeader) + bytes);
    if (!raw)
        return nullptr;
    auto* header = new (raw) BlockHeader{bytes, 0};
    return header + 1;
}

LPVOID GlobalLock(HGLOBAL block)
{
    if (!block)
        return nullptr;
    ++HeaderOf(block)->locks;
    return block;
}

BOOL GlobalUnlock(HGLOBAL block)
{
    if (!block)
        return FALSE;
    BlockHeader* header = HeaderOf(block);
    if (header->locks > 0)
        --header->locks;
    return header->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL block) { return block ? HeaderOf(block)->bytes : 0; }

HGLOBAL GlobalFree(HGLOBAL block)
{
    if (block)
        std::free(HeaderOf(block));
    return nullptr;
}
