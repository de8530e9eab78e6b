#include "image/dib.h"

#include "image/bmp_file.h"
#include "image/img_file_com.h"

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

BOOL CDib::LoadPictureResource(UINT, CString) { return FALSE; }

BOOL CDib::LoadBitmapFile(CString path)
{
    CImgFileBmp reader;
    return TakePackedDib(reader.Load(path, nullptr));
}

BOOL CDib::LoadBitmapResource(UINT) { return FALSE; }

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
