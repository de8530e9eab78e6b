#include "image/dib.h"

#include "image/bmp_file.h"
#include "image/img_file_com.h"
#include "platform/afx/cwinapp.h"
#include "platform/win/module.h"

#include <cstring>

BOOL CDib::Create(int width, int height)
{
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return FALSE;
    DeleteObject();
    return Attach(section);
}

BITMAP* CDib::GetBitmapInfo(BITMAP* out) const
{
    BITMAP bm;
    std::memset(&bm, 0, sizeof(bm));
    if (m_hObject)
        GetObject(sizeof(bm), &bm);
    *out = bm;
    return out;
}

BOOL CDib::TakePackedDib(BITMAPINFOHEADER* dib)
{
    if (!dib)
        return FALSE;
    DibPtr owned(dib);
    if (!Create(dib->biWidth, dib->biHeight))
        return FALSE;
    BITMAP bm;
    GetBitmapInfo(&bm);
    std::memcpy(bm.bmBits, DibPixels(dib), static_cast<size_t>(DibPixelAreaBytes(dib->biWidth, dib->biHeight)));
    return TRUE;
}

BOOL CDib::LoadFromMemory(HGLOBAL block, DWORD)
{
    CImgFileCom reader;
    return TakePackedDib(reader.LoadFromMemory(block, nullptr));
}

BOOL CDib::LoadPictureFile(CString path)
{
    HGLOBAL block = ReadFileToGlobal(path, GMEM_FIXED);
    if (!block)
        return FALSE;
    LoadFromMemory(block, static_cast<DWORD>(GlobalSize(block)));
    GlobalFree(block);
    return TRUE;
}

namespace {

// A copy of the program's resource in a new fixed global block, or null when there is none.
HGLOBAL CopyResourceToGlobal(UINT id, LPCWSTR type)
{
    // Integer resource names are 16 bits: a larger id names no resource, rather than another one.
    if (id > 0xFFFF)
        return nullptr;
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(id)), type);
    if (!found)
        return nullptr;
    HGLOBAL resource = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = LockResource(resource);
    HGLOBAL block = bytes && size ? GlobalAlloc(GMEM_FIXED, size) : nullptr;
    if (block) {
        std::memcpy(GlobalLock(block), bytes, size);
        GlobalUnlock(block);
    }
    FreeResource(resource);
    return block;
}

} // namespace

BOOL CDib::LoadPictureResource(UINT nID, CString type)
{
    HGLOBAL block = CopyResourceToGlobal(nID, type);
    if (!block)
        return FALSE;
    LoadFromMemory(block, static_cast<DWORD>(GlobalSize(block)));
    GlobalFree(block);
    return TRUE;
}

BOOL CDib::LoadBitmapFile(CString path)
{
    CImgFileBmp reader;
    return TakePackedDib(reader.Load(path, nullptr));
}

BOOL CDib::LoadBitmapResource(UINT nID)
{
    HGLOBAL block = CopyResourceToGlobal(nID, RT_BITMAP);
    if (!block)
        return FALSE;
    // Only a bitmap is taken from a bitmap resource, whatever else the picture loader reads.
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    const bool bitmap = GlobalSize(block) >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    GlobalUnlock(block);
    const BOOL made = bitmap && LoadFromMemory(block, static_cast<DWORD>(GlobalSize(block)));
    GlobalFree(block);
    return made;
}

int CDib::SaveBmp(CString path)
{
    if (!m_hObject)
        return 0;
    BITMAP bm;
    GetBitmapInfo(&bm);
    if (!bm.bmBits || bm.bmBitsPixel != 24)
        return 0;
    BITMAPINFOHEADER header;
    std::memset(&header, 0, sizeof(header));
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    CImgFileBmp writer;
    return writer.Save(static_cast<const BYTE*>(bm.bmBits), &header, path);
}
