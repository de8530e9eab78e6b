#include "platform/afx/controls_host.h"

#include "platform/afx/control_host_support.h"

#include <QIcon>

ComboHost::ComboHost(QWidget* parent, WindowKind kind) : Host<QComboBox>(parent, kind)
{
    connect(this, &QComboBox::activated, this, [this] { NotifyParent(this, CBN_SELCHANGE); });
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& t) {
        windowText = FromQString(t);
        NotifyParent(this, CBN_EDITCHANGE);
    });
}

void ComboHost::ApplyText()
{
    if (isEditable())
        setEditText(ToQString(windowText));
}

LRESULT ComboHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case CB_ADDSTRING: addItem(ToQString(reinterpret_cast<LPCWSTR>(lParam))); return count() - 1;
    case CB_INSERTSTRING: {
        const int at = (index < 0 || index > count()) ? count() : index;
        if (index > count())
            return CB_ERR;
        insertItem(at, ToQString(reinterpret_cast<LPCWSTR>(lParam)));
        return at;
    }
    case CB_DELETESTRING:
        if (!IndexInRange(index, count()))
            return CB_ERR;
        removeItem(index);
        return count();
    case CB_GETCOUNT: return count();
    case CB_GETCURSEL: return currentIndex();
    case CB_SETCURSEL:
        if (!IndexInRange(index, count())) {
            setCurrentIndex(-1);
            return CB_ERR;
        }
        setCurrentIndex(index);
        return index;
    case CB_GETLBTEXT:
        if (!IndexInRange(index, count()))
            return CB_ERR;
        return CopyOut(itemText(index), lParam);
    case CB_GETLBTEXTLEN: return !IndexInRange(index, count()) ? CB_ERR : itemText(index).size();
    case CB_RESETCONTENT: clear(); return 0;
    case CB_GETITEMDATA:
        if (!IndexInRange(index, count()))
            return CB_ERR;
        return static_cast<LRESULT>(itemData(index).toLongLong());
    case CB_SETITEMDATA:
        if (!IndexInRange(index, count()))
            return CB_ERR;
        setItemData(index, QVariant::fromValue<qlonglong>(lParam));
        return 0;
    case CBEM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(std::exchange(imageList, reinterpret_cast<HIMAGELIST>(lParam)));
    case CBEM_GETIMAGELIST: return reinterpret_cast<LRESULT>(imageList);
    case CBEM_INSERTITEMW: {
        const auto* item = reinterpret_cast<const COMBOBOXEXITEMW*>(lParam);
        if (!item)
            return -1;
        const int at = (item->iItem < 0 || item->iItem > count()) ? count() : static_cast<int>(item->iItem);
        QIcon icon;
        if (ImageListData* list = ImageListFrom(imageList);
            list && (item->mask & CBEIF_IMAGE) && IndexInRange(item->iImage, static_cast<int>(list->images.size())))
            icon = QIcon(list->images[static_cast<size_t>(item->iImage)]);
        insertItem(at, icon, (item->mask & CBEIF_TEXT) ? ToQString(item->pszText) : QString());
        if (item->mask & CBEIF_LPARAM)
            setItemData(at, QVariant::fromValue<qlonglong>(item->lParam));
        setItemData(at, item->iImage, Qt::UserRole + 1);
        return at;
    }
    case WM_GETTEXTLENGTH: return currentText().size();
    case WM_GETTEXT: {
        const QString t = currentText().left(std::max<qsizetype>(0, static_cast<qsizetype>(wParam) - 1));
        return wParam ? CopyOut(t, lParam) : 0;
    }
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}
namespace {

WindowRecord* NewComboHost(QWidget* parent, DWORD style, WindowKind kind)
{
    auto* h = new ComboHost(parent, kind);
    h->setEditable((style & 0x3) == CBS_DROPDOWN || (style & 0x3) == CBS_SIMPLE);
    return h;
}

} // namespace

WindowRecord* CreateComboBoxHost(QWidget* parent, DWORD style)
{
    return NewComboHost(parent, style, WindowKind::ComboBox);
}

WindowRecord* CreateComboBoxExHost(QWidget* parent, DWORD style)
{
    return NewComboHost(parent, style, WindowKind::ComboBoxEx);
}
