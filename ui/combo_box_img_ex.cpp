#include "ui/combo_box_img_ex.h"

CComboBoxImgEx::~CComboBoxImgEx()
{
    // The control must not keep the list that goes with this object.
    if (IsWindow(m_hWnd))
        SendMessage(CBEM_SETIMAGELIST, 0, 0);
    m_imageList.DeleteImageList();
}

CImageList* CComboBoxImgEx::CreateImageList()
{
    m_imageList.Create(16, 16, ILC_COLOR, 0, 1);
    return SetImageList(&m_imageList);
}
