// An extended combo box that owns the image list its items draw their icons from.
#pragma once

#include "platform/afx/controls.h"

class CComboBoxImgEx : public CComboBoxEx {
public:
    CComboBoxImgEx() = default;
    ~CComboBoxImgEx() override;

    // 16x16 images, default colour depth; returns the list the control had before.
    virtual CImageList* CreateImageList();
    CImageList& ImageList() { return m_imageList; }

protected:
    CImageList m_imageList;
};
