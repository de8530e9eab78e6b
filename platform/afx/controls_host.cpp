#include "platform/afx/controls_host.h"

#include "platform/afx/cdc.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/input_state.h"
#include "platform/afx/radio_group.h"
#include "platform/afx/updown_arrow_keys.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>

#include <charconv>

namespace {

void NotifyParent(WindowRecord* control, UINT code)
{
    WindowRecord* parent = control->ParentRecord();
    if (!parent)
        return;
    SendMessage(parent->Handle(), WM_COMMAND, MAKELONG(static_cast<WORD>(control->id), static_cast<WORD>(code)),
                reinterpret_cast<LPARAM>(control->Handle()));
}

LRESULT CopyOut(const QString& text, LPARAM buffer)
{
    auto* out = reinterpret_cast<LPWSTR>(buffer);
    if (out) {
        std::copy(text.utf16(), text.utf16() + text.size(), reinterpret_cast<char16_t*>(out));
        out[text.size()] = 0;
    }
    return text.size();
}

// The parent's colours for a control, when its WM_CTLCOLOR handler gives a brush.
bool ControlColors(WindowRecord* control, UINT type, QColor& background, QColor& textColor, bool& transparent)
{
    WindowRecord* parent = control->ParentRecord();
    if (!parent)
        return false;
    QImage scratch(1, 1, QImage::Format_RGB32);
    HDC hdc = CreateImageDC(&scratch, QPoint(), nullptr);
    CtlColorRequest req{hdc, control->Handle(), type};
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(parent->Handle(), WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&req)));
    DeviceContextData* dc = DeviceContextData::From(hdc);
    const bool got = brush != nullptr;
    if (got) {
        background = ToQColor(GdiObjectData::From(brush)->color);
        textColor = ToQColor(dc->textColor);
        transparent = dc->bkMode == TRANSPARENT;
    }
    DeleteDC(hdc);
    return got;
}

} // namespace

GenericHost::GenericHost(QWidget* parent, WindowKind kind) : Host<QWidget>(parent, kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool GenericHost::event(QEvent* e)
{
    if (e->type() != QEvent::Paint || isDestroyed)
        return Host<QWidget>::event(e);
    return PaintRetained(e);
}

LRESULT GenericHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message != WM_ERASEBKGND)
        return WindowRecord::ClassProc(message, wParam, lParam, handled);
    handled = true;
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (!dc)
        return 0;
    const HBRUSH brush = EraseBrush(dc->m_hDC);
    if (!brush)
        return 0;
    CRect rc(0, 0, width(), height());
    dc->FillRect(&rc, CBrush::FromHandle(brush));
    return 1;
}

HBRUSH GenericHost::EraseBrush(HDC) { return classBrush; }

DialogHost* DialogHost::From(HWND hWnd) { return dynamic_cast<DialogHost*>(WindowRecord::From(hWnd)); }

LRESULT DialogHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message != WM_CLOSE)
        return GenericHost::ClassProc(message, wParam, lParam, handled);
    handled = true;
    SendMessage(Handle(), WM_COMMAND, IDCANCEL, 0);
    return 0;
}

HBRUSH DialogHost::EraseBrush(HDC hdc)
{
    CtlColorRequest req{hdc, Handle(), CTLCOLOR_DLG};
    const auto brush = reinterpret_cast<HBRUSH>(SendMessage(Handle(), WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&req)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void DialogHost::WindowDestroyed()
{
    if (endModal)
        std::exchange(endModal, nullptr)();
}

ButtonHost::ButtonHost(QWidget* parent) : Host<QPushButton>(parent, WindowKind::Button)
{
    connect(this, &QPushButton::clicked, this, [this] { NotifyParent(this, BN_CLICKED); });
    connect(this, &QPushButton::pressed, this, [this] { NoteButtonHeld(this, true); });
    connect(this, &QPushButton::released, this, [this] { NoteButtonHeld(this, false); });
}

LRESULT ButtonHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == BM_CLICK) {
        handled = true;
        click();
        return 0;
    }
    if (message == BM_SETSTYLE) {
        handled = true;
        windowStyle = (windowStyle & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        update();
        return 0;
    }
    return WindowRecord::ClassProc(message, wParam, lParam, handled);
}

void ButtonHost::paintEvent(QPaintEvent* e)
{
    if ((windowStyle & BS_TYPEMASK) != BS_OWNERDRAW) {
        QPushButton::paintEvent(e);
        return;
    }
    // Owner-drawn: the parent draws the item through WM_DRAWITEM.
    QImage canvas(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.fill(ToQColor(GetSysColor(COLOR_BTNFACE)));
    HDC hdc = CreateImageDC(&canvas, QPoint(), windowFont);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(id);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (isDown() ? ODS_SELECTED : 0) | (hasFocus() ? ODS_FOCUS : 0) | (isEnabled() ? 0 : ODS_DISABLED);
    dis.hwndItem = Handle();
    dis.hDC = hdc;
    dis.rcItem = RECT{0, 0, width(), height()};
    const HWND self = Handle();
    if (WindowRecord* parent = ParentRecord())
        SendMessage(parent->Handle(), WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&dis));
    DeleteDC(hdc);
    if (WindowRecord::From(self)) {
        QPainter p(this);
        p.drawImage(0, 0, canvas);
    }
}

template <class Base>
LRESULT CheckHost<Base>::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == BM_GETCHECK) {
        handled = true;
        return this->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    }
    if (message == BM_SETCHECK) {
        handled = true;
        this->setChecked(wParam == BST_CHECKED);
        return 0;
    }
    if (message == BM_CLICK) {
        handled = true;
        this->click();
        return 0;
    }
    return WindowRecord::ClassProc(message, wParam, lParam, handled);
}

void StaticHost::ApplyText()
{
    setText((windowStyle & SS_NOPREFIX) ? ToQString(windowText) : StripMnemonics(ToQString(windowText)));
}

void GroupHost::paintEvent(QPaintEvent*)
{
    // As the system draws a group box: an etched frame through the middle of the caption line and
    // the caption over it; the inside stays the dialog's, so opaque labels in it do not show.
    QPainter p(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(frame);
    p.setPen(ToQColor(GetSysColor(COLOR_WINDOW)));
    p.drawRect(frame.translated(1, 1));
    const QString caption = StripMnemonics(title());
    if (caption.isEmpty())
        return;
    const QRect box(6, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
    p.fillRect(box, ToQColor(GetSysColor(COLOR_BTNFACE)));
    p.setPen(ToQColor(GetSysColor(isEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT)));
    p.drawText(box, Qt::AlignCenter, caption);
}

bool StaticHost::event(QEvent* e)
{
    if (e->type() == QEvent::Paint && !isDestroyed && (windowStyle & SS_TYPEMASK) == SS_BLACKRECT) {
        QPainter(this).fillRect(rect(), Qt::black);
        return true;
    }
    if (e->type() == QEvent::Paint && !isDestroyed) {
        QColor background, textColor;
        bool transparent = false;
        if (ControlColors(this, CTLCOLOR_STATIC, background, textColor, transparent)) {
            QPainter p(this);
            p.fillRect(rect(), background);
            QPalette pal = palette();
            pal.setColor(QPalette::WindowText, textColor);
            setPalette(pal);
        } else {
            // Unanswered, a static paints itself in the face colour, as the system's statics do.
            QPainter(this).fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
        }
    }
    return Host<QLabel>::event(e);
}

EditHost::EditHost(QWidget* parent) : Host<QLineEdit>(parent, WindowKind::Edit)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
        windowText = FromQString(t);
        NotifyParent(this, EN_CHANGE);
    });
}

void EditHost::ApplyText()
{
    const QString t = ToQString(windowText);
    if (t != QLineEdit::text())
        setText(t);
}

bool EditHost::event(QEvent* e)
{
    const bool result = Host<QLineEdit>::event(e);
    if (!isDestroyed && e->type() == QEvent::FocusIn)
        NotifyParent(this, EN_SETFOCUS);
    else if (!isDestroyed && e->type() == QEvent::FocusOut)
        NotifyParent(this, EN_KILLFOCUS);
    return result;
}

LRESULT EditHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case EM_SETSEL: {
        const int start = static_cast<int>(wParam);
        const int end = static_cast<int>(lParam);
        if (start == 0 && end == -1)
            selectAll();
        else if (start == -1)
            deselect();
        else
            setSelection(start, end - start);
        return 0;
    }
    case EM_LIMITTEXT: setMaxLength(wParam ? static_cast<int>(wParam) : 32767); return 0;
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}

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
        if (index < 0 || index >= count())
            return CB_ERR;
        removeItem(index);
        return count();
    case CB_GETCOUNT: return count();
    case CB_GETCURSEL: return currentIndex();
    case CB_SETCURSEL:
        if (index < 0 || index >= count()) {
            setCurrentIndex(-1);
            return CB_ERR;
        }
        setCurrentIndex(index);
        return index;
    case CB_GETLBTEXT:
        if (index < 0 || index >= count())
            return CB_ERR;
        return CopyOut(itemText(index), lParam);
    case CB_GETLBTEXTLEN: return (index < 0 || index >= count()) ? CB_ERR : itemText(index).size();
    case CB_RESETCONTENT: clear(); return 0;
    case CB_GETITEMDATA:
        if (index < 0 || index >= count())
            return CB_ERR;
        return static_cast<LRESULT>(itemData(index).toLongLong());
    case CB_SETITEMDATA:
        if (index < 0 || index >= count())
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
        if (ImageListData* list = ImageListFrom(imageList); list && (item->mask & CBEIF_IMAGE) && item->iImage >= 0 &&
                                                            item->iImage < static_cast<int>(list->images.size()))
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
        if (index < 0 || index >= count())
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
            if (index < 0 || index >= count()) {
                clearSelection();
                setCurrentRow(-1);
            } else {
                setCurrentRow(index);
            }
        });
        return (index < 0 || index >= count()) ? LB_ERR : index;
    case LB_GETTEXT:
        if (index < 0 || index >= count())
            return LB_ERR;
        return CopyOut(item(index)->text(), lParam);
    case LB_GETTEXTLEN: return (index < 0 || index >= count()) ? LB_ERR : item(index)->text().size();
    case LB_GETITEMDATA:
        return (index < 0 || index >= count()) ? LB_ERR
                                               : static_cast<LRESULT>(item(index)->data(Qt::UserRole).toLongLong());
    case LB_SETITEMDATA:
        if (index < 0 || index >= count())
            return LB_ERR;
        item(index)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(lParam));
        return 0;
    case LB_SETHORIZONTALEXTENT: horizontalExtent = index; return 0;
    case LB_GETHORIZONTALEXTENT: return horizontalExtent;
    case LB_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (index < 0 || index >= count() || !out)
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

SliderHost::SliderHost(QWidget* parent) : Host<QSlider>(parent, WindowKind::Trackbar)
{
    setRange(0, 100);
    setPageStep(20);
    connect(this, &QSlider::actionTriggered, this, [this](int action) {
        UINT code = TB_THUMBTRACK;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = TB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = TB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = TB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = TB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = TB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = TB_BOTTOM; break;
        default: break;
        }
        WindowRecord* parent = ParentRecord();
        if (!parent)
            return;
        const UINT msg = orientation() == Qt::Horizontal ? WM_HSCROLL : WM_VSCROLL;
        SendMessage(parent->Handle(), msg, MAKELONG(static_cast<WORD>(code), static_cast<WORD>(sliderPosition())),
                    reinterpret_cast<LPARAM>(Handle()));
    });
    connect(this, &QSlider::sliderReleased, this, [this] {
        if (WindowRecord* parent = ParentRecord()) {
            const UINT msg = orientation() == Qt::Horizontal ? WM_HSCROLL : WM_VSCROLL;
            SendMessage(parent->Handle(), msg, TB_ENDTRACK, reinterpret_cast<LPARAM>(Handle()));
        }
    });
}

LRESULT SliderHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case TBM_GETPOS: return sliderPosition();
    case TBM_GETRANGEMIN: return rangeMin;
    case TBM_GETRANGEMAX: return rangeMax;
    case TBM_SETPOS: setValue(static_cast<int>(lParam)); return 0;
    case TBM_SETRANGE:
        rangeMin = static_cast<short>(LOWORD(lParam));
        rangeMax = static_cast<short>(HIWORD(lParam));
        ApplyRange();
        return 0;
    case TBM_SETRANGEMIN: rangeMin = static_cast<int>(lParam); ApplyRange(); return 0;
    case TBM_SETRANGEMAX: rangeMax = static_cast<int>(lParam); ApplyRange(); return 0;
    case TBM_SETSEL:
        selectionStart = static_cast<short>(LOWORD(lParam));
        selectionEnd = static_cast<short>(HIWORD(lParam));
        if (wParam)
            update();
        return 0;
    case TBM_GETSELSTART: return selectionStart;
    case TBM_GETSELEND: return selectionEnd;
    case TBM_SETTICFREQ: setTickInterval(static_cast<int>(wParam)); return 0;
    case TBM_SETPAGESIZE: setPageStep(static_cast<int>(lParam)); return 0;
    case TBM_SETLINESIZE: setSingleStep(static_cast<int>(lParam)); return 0;
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}

void SliderHost::ApplyRange() { setRange(rangeMin, std::max(rangeMin, rangeMax)); }

void SliderHost::paintEvent(QPaintEvent* e)
{
    QSlider::paintEvent(e);
    if (!showsSelection || selectionEnd < selectionStart || maximum() <= minimum())
        return;
    // The selection as a band along the groove, from the thumb's place at its start to its end.
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int span = horizontal ? groove.width() - handle.width() : groove.height() - handle.height();
    const auto place = [&](int value) {
        const int at = QStyle::sliderPositionFromValue(minimum(), maximum(), std::clamp(value, minimum(), maximum()),
                                                       std::max(0, span), option.upsideDown);
        return at + (horizontal ? groove.left() + handle.width() / 2 : groove.top() + handle.height() / 2);
    };
    const int from = place(selectionStart);
    const int to = place(selectionEnd);
    const QPoint centre = groove.center();
    QPainter painter(this);
    const QColor band = ToQColor(GetSysColor(COLOR_HIGHLIGHT));
    if (horizontal)
        painter.fillRect(QRect(QPoint(from, centre.y() - 1), QPoint(to, centre.y() + 1)), band);
    else
        painter.fillRect(QRect(QPoint(centre.x() - 1, from), QPoint(centre.x() + 1, to)), band);
}

UpDownHost::UpDownHost(QWidget* parent) : Host<QWidget>(parent, WindowKind::UpDown) {}

void UpDownHost::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
    const int h = height() / 2;
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(0, 0, width() - 1, h - 1);
    p.drawRect(0, h, width() - 1, height() - h - 1);
    p.setBrush(ToQColor(GetSysColor(COLOR_BTNTEXT)));
    p.setPen(Qt::NoPen);
    const int cx = width() / 2;
    p.drawPolygon(QPolygon({QPoint(cx - 3, h / 2 + 2), QPoint(cx + 3, h / 2 + 2), QPoint(cx, h / 2 - 1)}));
    const int cy = h + (height() - h) / 2;
    p.drawPolygon(QPolygon({QPoint(cx - 3, cy - 2), QPoint(cx + 3, cy - 2), QPoint(cx, cy + 1)}));
}

void UpDownHost::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && isEnabled())
        Step(e->position().y() < height() / 2 ? +1 : -1);
}

void UpDownHost::Step(int arrow)
{
    // A value typed into the buddy counts when it lies within the range.
    ReadBuddy(nullptr);
    // The up arrow moves towards the upper end of the range, whichever way the range runs.
    const int delta = (upper >= lower) ? arrow : -arrow;
    const HWND self = Handle();
    if (WindowRecord* parent = ParentRecord()) {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = self;
        nm.hdr.idFrom = static_cast<UINT_PTR>(id);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = pos;
        nm.iDelta = delta;
        if (SendMessage(parent->Handle(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&nm)))
            return;
        if (!WindowRecord::From(self))
            return;
    }
    const int lo = std::min(lower, upper), hi = std::max(lower, upper);
    int next = pos + delta;
    if (next > hi)
        next = (windowStyle & UDS_WRAP) ? lo : hi;
    if (next < lo)
        next = (windowStyle & UDS_WRAP) ? hi : lo;
    pos = next;
    UpdateBuddy();
    if (WindowRecord* parent = ParentRecord())
        SendMessage(parent->Handle(), (windowStyle & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL,
                    MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(self));
}

void UpDownHost::ReadBuddy(BOOL* error)
{
    if (error)
        *error = FALSE;
    if ((windowStyle & UDS_SETBUDDYINT) && WindowRecord::From(buddy)) {
        const QString t = ToQString(WindowRecord::From(buddy)->windowText).trimmed().remove(u',');
        bool ok = false;
        const int v = t.toInt(&ok);
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        if (ok && v >= lo && v <= hi)
            pos = v;
        else if (error)
            *error = TRUE;
    }
}

void UpDownHost::UpdateBuddy()
{
    if ((windowStyle & UDS_SETBUDDYINT) && WindowRecord::From(buddy)) {
        const CString value = FromQString(QString::number(pos));
        SendMessage(buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void UpDownHost::AttachBuddy(HWND hwnd)
{
    buddy = hwnd;
    WindowRecord* b = WindowRecord::From(hwnd);
    InstallUpDownArrowKeys(this, (b && (windowStyle & UDS_ARROWKEYS)) ? b->widget.data() : nullptr);
    if (!b || !b->widget)
        return;
    if (windowStyle & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
        // Stands at the buddy's edge and takes its own width from it.
        QRect g = b->widget->geometry();
        const int w = width();
        g.setWidth(std::max(0, g.width() - w));
        if (windowStyle & UDS_ALIGNLEFT) {
            setGeometry(g.left(), g.top(), w, g.height());
            g.moveLeft(g.left() + w);
        } else {
            setGeometry(g.right() + 1, g.top(), w, g.height());
        }
        b->widget->setGeometry(g);
    }
    UpdateBuddy();
}

void UpDownHost::Created()
{
    QWidget* parent = parentWidget();
    if (!(windowStyle & UDS_AUTOBUDDY) || !parent)
        return;
    // The buddy is the window created just before it among its siblings.
    const auto siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = siblings.indexOf(this) - 1; i >= 0; --i)
        if (auto* r = dynamic_cast<WindowRecord*>(siblings[i])) {
            AttachBuddy(r->Handle());
            break;
        }
}

LRESULT UpDownHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case UDM_SETRANGE32: {
        lower = static_cast<int>(static_cast<INT_PTR>(wParam));
        upper = static_cast<int>(lParam);
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        pos = std::clamp(pos, lo, hi);
        return 0;
    }
    case UDM_GETRANGE32:
        if (auto* l = reinterpret_cast<int*>(wParam))
            *l = lower;
        if (auto* u = reinterpret_cast<int*>(lParam))
            *u = upper;
        return 0;
    case UDM_SETPOS32: {
        const int old = pos;
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        pos = std::clamp(static_cast<int>(lParam), lo, hi);
        UpdateBuddy();
        return old;
    }
    case UDM_GETPOS32: ReadBuddy(reinterpret_cast<BOOL*>(lParam)); return pos;
    case UDM_SETBUDDY: {
        const HWND old = buddy;
        AttachBuddy(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}

template class CheckHost<QCheckBox>;
template class CheckHost<QRadioButton>;

WindowRecord* CreateButtonHost(QWidget* parent, DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    QAbstractButton* button = nullptr;
    WindowRecord* record = nullptr;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
        auto* h = new CheckHost<QCheckBox>(parent);
        button = h;
        record = h;
    } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        auto* h = new CheckHost<QRadioButton>(parent);
        h->setAutoExclusive(false);
        button = h;
        record = h;
    } else if (type == BS_GROUPBOX) {
        return new GroupHost(parent);
    } else {
        auto* h = new ButtonHost(parent);
        h->setAutoDefault(false);
        button = h;
        record = h;
    }
    if (type == BS_CHECKBOX || type == BS_RADIOBUTTON) {
        // Non-automatic boxes change only when the program says so.
        button->setCheckable(true);
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [button](bool checked) { button->setChecked(!checked); });
    }
    if (type == BS_AUTORADIOBUTTON) {
        QObject::connect(button, &QAbstractButton::clicked, button, [button, record] {
            button->setChecked(true); // a click never clears an automatic radio button
            ClearOtherRadiosOfGroup(record);
        });
    }
    if (type > BS_DEFPUSHBUTTON && type != BS_OWNERDRAW)
        QObject::connect(button, &QAbstractButton::clicked, button, [record] { NotifyParent(record, BN_CLICKED); });
    return record;
}

WindowRecord* CreateStaticHost(QWidget* parent, DWORD style)
{
    auto* h = new StaticHost(parent);
    const DWORD type = style & SS_TYPEMASK;
    h->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                     : type == SS_RIGHT ? Qt::AlignRight
                                        : Qt::AlignLeft) |
                    Qt::AlignTop);
    h->setWordWrap(type <= SS_RIGHT);
    return h;
}

WindowRecord* CreateEditHost(QWidget* parent, DWORD style)
{
    auto* h = new EditHost(parent);
    h->setReadOnly(style & ES_READONLY);
    h->setAlignment((style & ES_CENTER) ? Qt::AlignHCenter : (style & ES_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    if (style & ES_PASSWORD)
        h->setEchoMode(QLineEdit::Password);
    // Typed characters other than digits are refused; text set by the program is taken as it is.
    if (style & ES_NUMBER)
        h->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), h));
    h->setFrame(true);
    return h;
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

WindowRecord* CreateListBoxHost(QWidget* parent, DWORD style)
{
    auto* h = new ListHost(parent);
    if (style & LBS_OWNERDRAWFIXED)
        h->setItemDelegate(new OwnerDrawDelegate(h));
    h->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    h->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return h;
}

WindowRecord* CreateTrackbarHost(QWidget* parent, DWORD style)
{
    auto* h = new SliderHost(parent);
    // A trackbar paints its whole rectangle: what its parent drew there does not show through.
    h->setAutoFillBackground(true);
    h->setOrientation((style & TBS_VERT) ? Qt::Vertical : Qt::Horizontal);
    h->setTickPosition((style & TBS_NOTICKS) ? QSlider::NoTicks : QSlider::TicksBelow);
    h->showsSelection = (style & TBS_ENABLESELRANGE) != 0;
    return h;
}

WindowRecord* CreateUpDownHost(QWidget* parent, DWORD) { return new UpDownHost(parent); }

WindowRecord* CreateDialogHost(QWidget* parent, DWORD) { return new DialogHost(parent); }

WindowRecord* CreateGenericHost(QWidget* parent, DWORD) { return new GenericHost(parent, WindowKind::Generic); }
