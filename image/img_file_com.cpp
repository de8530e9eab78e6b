#include "image/img_file_com.h"

#include "image/file_stream.h"
#include "platform/afx/gdi.h"
#include "platform/ole/ole.h"

#include <cstring>

namespace {

constexpr int64_t kMaxPictureFileBytes = int64_t{1} << 30;

struct Released {
    void operator()(IPicture* p) const { p->Release(); }
    void operator()(IStream* s) const { s->Release(); }
};

} // namespace

HGLOBAL ReadFileToGlobal(LPCWSTR path, UINT flags)
{
    UniqueFile file(OpenFileStream(path, "rb"));
    if (!file)
        return nullptr;
    const int64_t size = FileStreamSize(file.get());
    if (size <= 0 || size > kMaxPictureFileBytes)
        return nullptr;
    HGLOBAL block = GlobalAlloc(flags, static_cast<SIZE_T>(size));
    if (!block)
        return nullptr;
    void* bytes = GlobalLock(block);
    const bool read = bytes && ReadFully(file.get(), bytes, static_cast<size_t>(size));
    if (bytes)
        GlobalUnlock(block);
    if (!read) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

BITMAPINFOHEADER* CImgFileCom::LoadFromMemory(HGLOBAL block, BITMAPINFOHEADER* reuse)
{
    LPSTREAM rawStream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &rawStream))) {
        std::free(reuse);
        return nullptr;
    }
    std::unique_ptr<IStream, Released> stream(rawStream);
    IPicture* rawPicture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(GlobalSize(block)), FALSE, IID_IPicture,
                              reinterpret_cast<LPVOID*>(&rawPicture)))) {
        std::free(reuse);
        return nullptr;
    }
    std::unique_ptr<IPicture, Released> picture(rawPicture);
    OLE_HANDLE handle = 0;
    BITMAP bm{};
    if (FAILED(picture->get_Handle(&handle)) ||
        GetObjectW(reinterpret_cast<HGDIOBJ>(handle), sizeof(bm), &bm) != static_cast<int>(sizeof(bm)) ||
        bm.bmBitsPixel != 24 || !bm.bmBits || static_cast<uint64_t>(bm.bmWidthBytes) != DibRowStride(bm.bmWidth)) {
        std::free(reuse);
        return nullptr;
    }
    BITMAPINFOHEADER* dib = AcquireFrameBlock(reuse, bm.bmWidth, bm.bmHeight);
    if (!dib)
        return nullptr;
    std::memcpy(DibPixels(dib), bm.bmBits, static_cast<size_t>(DibPixelAreaBytes(bm.bmWidth, bm.bmHeight)));
    return dib;
}

BITMAPINFOHEADER* CImgFileCom::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    HGLOBAL block = ReadFileToGlobal(path, GMEM_MOVEABLE);
    if (!block) {
        std::free(reuse);
        return nullptr;
    }
    BITMAPINFOHEADER* dib = LoadFromMemory(block, reuse);
    GlobalFree(block);
    return dib;
}
