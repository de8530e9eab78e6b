#include "platform/afx/controls_host.h"

#include "platform/afx/gdi.h"

#include <QPainter>
#include <QStyleOptionSlider>

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
    case TBM_SETRANGEMIN:
        rangeMin = static_cast<int>(lParam);
        ApplyRange();
        return 0;
    case TBM_SETRANGEMAX:
        rangeMax = static_cast<int>(lParam);
        ApplyRange();
        return 0;
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
