// The bitmap object: a bitmap that can be an empty 24-bit DIB section and describe itself.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/afx/gdi.h"
#include "platform/win/heap.h"

class CDib : public CBitmap {
public:
    // The program's resource of that id and type (u"PNG", ...) through the picture loader: TRUE
    // once its bytes reached the loader, whatever it made of them; FALSE when there is none.
    virtual BOOL LoadPictureResource(UINT nID, CString type);
    // TRUE once the file's bytes reached the picture loader, whatever it made of them.
    virtual BOOL LoadPictureFile(CString path);
    // A BMP file as a 24-bit section (any depth the BMP reader takes is widened to 24 bits).
    virtual BOOL LoadBitmapFile(CString path);
    // The program's bitmap resource (a BMP file under RT_BITMAP) as a 24-bit section; TRUE
    // when one was made.
    virtual BOOL LoadBitmapResource(UINT nID);
    // A new 24-bit bottom-up DIB section; a bitmap already held is released first.
    virtual BOOL Create(int width, int height);
    // The held bitmap's description, or all zero without one; copied into out.
    virtual BITMAP* GetBitmapInfo(BITMAP* out) const;
    // 1 when the held section was written as a 24-bit BMP file; 0 without a bitmap.
    virtual int SaveBmp(CString path);
    // TRUE when the picture in the block became a new 24-bit section.
    virtual BOOL LoadFromMemory(HGLOBAL block, DWORD size);

private:
    BOOL TakePackedDib(BITMAPINFOHEADER* dib);
};
