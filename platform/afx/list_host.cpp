#include "platform/afx/controls_host.h"

#include "platform/afx/control_host_support.h"
#include "platform/afx/gdi_internal.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit OwnerDrawDelegate(ListHost* list) : QStyledItemDelegate(list), m_list(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_list->SendDrawItem(painter, option.rect, index.row(), option.state & QStyle::State_Selected,
                             option.state & QStyle::State_HasFocus);
    }

private:
    ListHost* m_list;
};

} // namespace

ListHost::ListHost(QWidget* parent) : Host<QListWidget>(parent, WindowKind::ListBox)
{
    viewport()->setMouseTracking(true);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!changingSelection)
            NotifyParent(this, LBN_SELCHANGE);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { NotifyParent(this, LBN_DBLCLK); });
}

bool ListHost::viewportEvent(QEvent* e)
{
    // Mouse and drag events land on the viewport; they are the list's own messages.
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
    case QEvent::Leave: return HandleEvent(e, [this](QEvent* ev) { return QListWidget::viewportEvent(ev); });
    default: return QListWidget::viewportEvent(e);
    }
}

void ListHost::SendDrawItem(QPainter* painter, const QRect& rect, int row, bool selected, bool focused)
{
    QImage canvas(rect.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    // The item's rectangle is in the list's client coordinates, as the drawing code expects.
    const QPoint inList = rect.topLeft();
    HDC hdc = CreateImageDC(&canvas, -inList, windowFont);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(id);
    dis.itemID = static_cast<UINT>(row);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (selected ? ODS_SELECTED : 0) | (focused ? ODS_FOCUS : 0);
    dis.hwndItem = Handle();
    dis.hDC = hdc;
    dis.rcItem = RECT{inList.x(), inList.y(), inList.x() + rect.width(), inList.y() + rect.height()};
    dis.itemData = static_cast<ULONG_PTR>(item(row) ? item(row)->data(Qt::UserRole).toLongLong() : 0);
    if (WindowRecord* parent = ParentRecord())
        SendMessage(parent->Handle(), WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&dis));
    DeleteDC(hdc);
    painter->drawImage(rect.topLeft(), canvas);
}

LRESULT ListHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    const auto guard = [this](auto&& fn) {
        changingSelection = true;
        fn();
        changingSelection = false;
    };
    switch (message) {
    case LB_ADDSTRING: addItem(ToQString(reinterpret_cast<LPCWSTR>(lParam))); return count() - 1;
    case LB_INSERTSTRING: {
        if (index > count())
            return LB_ERR;
        const int at = index < 0 ? count() : index;
        guard([&] { insertItem(at, ToQString(reinterpret_cast<LPCWSTR>(lParam))); });
        return at;
    }
    case LB_DELETESTRING:
        if (!IndexInRange(index, count()))
            return LB_ERR;
        guard([&] { delete takeItem(index); });
        return count();
    case LB_RESETCONTENT: guard([&] { clear(); }); return 0;
    case LB_GETCOUNT: return count();
    case LB_GETCURSEL: {
        const auto selected = selectedItems();
        return selected.isEmpty() ? LB_ERR : row(selected.front());
    }
    case LB_SETCURSEL:
        guard([&] {
            if (!IndexInRange(index, count())) {
                clearSelection();
                setCurrentRow(-1);
            } else {
                setCurrentRow(index);
            }
        });
        return !IndexInRange(index, count()) ? LB_ERR : index;
    case LB_GETTEXT:
        if (!IndexInRange(index, count()))
            return LB_ERR;
        return CopyOut(item(index)->text(), lParam);
    case LB_GETTEXTLEN: return !IndexInRange(index, count()) ? LB_ERR : item(index)->text().size();
    case LB_GETITEMDATA:
        return !IndexInRange(index, count()) ? LB_ERR
                                             : static_cast<LRESULT>(item(index)->data(Qt::UserRole).toLongLong());
    case LB_SETITEMDATA:
        if (!IndexInRange(index, count()))
            return LB_ERR;
        item(index)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(lParam));
        return 0;
    case LB_SETHORIZONTALEXTENT: horizontalExtent = index; return 0;
    case LB_GETHORIZONTALEXTENT: return horizontalExtent;
    case LB_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!IndexInRange(index, count()) || !out)
            return LB_ERR;
        const QRect r = visualItemRect(item(index));
        *out = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        return 0;
    }
    case LB_ITEMFROMPOINT: {
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        QListWidgetItem* hit = itemAt(p);
        if (hit)
            return MAKELONG(static_cast<WORD>(row(hit)), 0);
        return MAKELONG(static_cast<WORD>(count() > 0 ? count() - 1 : 0), 1);
    }
    case WM_LBUTTONDOWN: {
        // A click handed on by another window (the title tip) selects as the user's would.
        if (QListWidgetItem* hit = itemAt(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) {
            setCurrentItem(hit);
            NotifyParent(this, LBN_SELCHANGE);
        }
        return 0;
    }
    case WM_VSCROLL:
        if (LOWORD(wParam) == SB_LINEDOWN)
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else if (LOWORD(wParam) == SB_LINEUP)
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return 0;
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}
WindowRecord* CreateListBoxHost(QWidget* parent, DWORD style)
{
    auto* h = new ListHost(parent);
    if (style & LBS_OWNERDRAWFIXED)
        h->setItemDelegate(new OwnerDrawDelegate(h));
    h->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    h->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return h;
}
