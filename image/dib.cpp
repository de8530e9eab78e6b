#include "image/dib.h"

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
