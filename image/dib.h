// The bitmap object: a bitmap that can be an empty 24-bit DIB section and describe itself.
#pragma once

#include "platform/afx/gdi.h"

class CDib : public CBitmap {
public:
    // A new 24-bit bottom-up DIB section; a bitmap already held is released first.
    virtual BOOL Create(int width, int height);
    // The held bitmap's description, or all zero without one; copied into out.
    virtual BITMAP* GetBitmapInfo(BITMAP* out) const;
};
