#include "platform/afx/dib_blit.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/window_host.h"
#include "platform/win/dib_rows.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <cstring>

#include "platform/afx/icon.h"

DeviceContextData::DeviceContextData()
    : pen(GetStockObject(BLACK_PEN)), brush(GetStockObject(WHITE_BRUSH)), font(GetStockObject(SYSTEM_FONT))
{
}

DeviceContextData::~DeviceContextData()
{
    EndPainting();
    for (HGDIOBJ* slot : {&pen, &brush, &font, &bitmap})
        if (GdiObjectData* o = GdiObjectData::From(*slot))
            --o->selections;
    if (wrapper) {
        wrapper->m_hDC = nullptr;
        wrapper.reset();
    }
}

QImage* DeviceContextData::Target()
{
    if (bitmap)
        return &GdiObjectData::From(bitmap)->image;
    if (external)
        return external;
    if (window)
        if (WindowRecord* r = WindowRecord::From(window))
            return &r->Backing();
    return &ownImage;
}

namespace {

// Stands for "anywhere": a window flushes it cut to its own size.
constexpr int kFar = 1 << 24;
const QRect kEverywhere(QPoint(-kFar, -kFar), QPoint(kFar, kFar));

} // namespace

QPainter& DeviceContextData::Painter() { return PainterOver(kEverywhere); }

QPainter& DeviceContextData::PainterOver(const QRect& area)
{
    MarkDrawn(area.normalized().translated(origin));
    if (!painter) {
        painter = std::make_unique<QPainter>(Target());
        painter->translate(origin);
        if (hasClip)
            painter->setClipRegion(clip);
    }
    return *painter;
}

void DeviceContextData::MarkDrawn(const QRect& targetArea) { drawn |= targetArea; }

void DeviceContextData::ShowDrawnNow()
{
    if (!window || drawn.isEmpty())
        return;
    if (WindowRecord* r = WindowRecord::From(window); r && !r->IsPainting()) {
        r->FlushBacking(drawn);
        drawn = QRect();
    }
}

void DeviceContextData::EndPainting()
{
    if (painter) {
        painter->end();
        painter.reset();
    }
}

QFont DeviceContextData::CurrentFont() const
{
    if (GdiObjectData* o = GdiObjectData::From(font))
        return o->font;
    return GdiObjectData::From(GetStockObject(DEFAULT_GUI_FONT))->font;
}

HGDIOBJ DeviceContextData::Select(HGDIOBJ object)
{
    GdiObjectData* o = GdiObjectData::From(object);
    if (!o)
        return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (o->kind) {
    case GdiObjectData::Kind::Pen: slot = &pen; break;
    case GdiObjectData::Kind::Brush: slot = &brush; break;
    case GdiObjectData::Kind::Font: slot = &font; break;
    case GdiObjectData::Kind::Bitmap:
        if (!memory)
            return nullptr;
        slot = &bitmap;
        EndPainting();
        break;
    case GdiObjectData::Kind::Region: return nullptr;
    }
    HGDIOBJ previous = *slot;
    if (GdiObjectData* old = GdiObjectData::From(previous)) {
        --old->selections;
        if (o->kind == GdiObjectData::Kind::Bitmap)
            old->SyncSectionFromImage();
    }
    *slot = object;
    ++o->selections;
    if (o->kind == GdiObjectData::Kind::Bitmap)
        o->SyncImageFromSection();
    // A memory DC's own 1x1 bitmap stands in for "no bitmap" in what is handed back.
    return previous;
}

HDC CreateImageDC(QImage* image, QPoint origin, HFONT font)
{
    auto* dc = new DeviceContextData;
    dc->external = image;
    dc->origin = origin;
    if (font)
        dc->Select(font);
    return dc->Handle();
}

HDC GetDC(HWND hWnd)
{
    auto* dc = new DeviceContextData;
    if (hWnd) {
        WindowRecord* r = WindowRecord::From(hWnd);
        if (!r) {
            delete dc;
            return nullptr;
        }
        dc->window = hWnd;
        if (r->windowFont)
            dc->Select(r->windowFont);
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        dc->ownImage = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    }
    if (dc->ownImage.isNull())
        dc->ownImage = QImage(1, 1, QImage::Format_RGB32);
    return dc->Handle();
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    DeviceContextData* dc = DeviceContextData::From(hDC);
    if (!dc)
        return 0;
    dc->EndPainting();
    if (hWnd && dc->window == hWnd)
        dc->ShowDrawnNow();
    delete dc;
    return 1;
}

namespace {

// What a new memory DC holds, as on the original platform: a 1x1 monochrome stock bitmap, so
// selecting a bitmap hands back one to put back before the DC goes.
HBITMAP DefaultMemoryBitmap()
{
    static HBITMAP bitmap = [] {
        HBITMAP b = CreateBitmap(1, 1, 1, 1, nullptr);
        GdiObjectData::From(b)->stock = true;
        return b;
    }();
    return bitmap;
}

} // namespace

HDC CreateCompatibleDC(HDC)
{
    auto* dc = new DeviceContextData;
    dc->memory = true;
    dc->bitmap = DefaultMemoryBitmap();
    ++GdiObjectData::From(dc->bitmap)->selections;
    return dc->Handle();
}

BOOL DeleteDC(HDC hdc)
{
    DeviceContextData* dc = DeviceContextData::From(hdc);
    if (!dc)
        return FALSE;
    if (GdiObjectData* b = GdiObjectData::From(dc->bitmap)) {
        dc->EndPainting();
        b->SyncSectionFromImage();
    }
    delete dc;
    return TRUE;
}

int SetStretchBltMode(HDC hdc, int mode)
{
    DeviceContextData* dc = DeviceContextData::From(hdc);
    if (!dc)
        return 0;
    const int old = dc->stretchMode;
    dc->stretchMode = mode;
    return old;
}

namespace {

bool RasterOp(DWORD rop, QPainter::CompositionMode& mode)
{
    switch (rop) {
    case SRCCOPY: mode = QPainter::CompositionMode_Source; return true;
    case SRCPAINT: mode = QPainter::RasterOp_SourceOrDestination; return true;
    case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; return true;
    case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; return true;
    default: return false;
    }
}

// Nearest-neighbour stretch of src's rectangle into dst's, as integer steps.
void StretchNearest(QImage& dst, QRect dstRect, const QImage& src, QRect srcRect, QPainter::CompositionMode mode)
{
    const QRect bounds = dstRect.intersected(dst.rect());
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const int sy = srcRect.top() +
                       static_cast<int>(static_cast<int64_t>(y - dstRect.top()) * srcRect.height() / dstRect.height());
        if (sy < 0 || sy >= src.height())
            continue;
        const auto* srow = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* drow = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const int sx = srcRect.left() + static_cast<int>(static_cast<int64_t>(x - dstRect.left()) *
                                                             srcRect.width() / dstRect.width());
            if (sx < 0 || sx >= src.width())
                continue;
            const QRgb s = srow[sx] | 0xFF000000u;
            switch (mode) {
            case QPainter::RasterOp_SourceOrDestination: drow[x] = s | drow[x]; break;
            case QPainter::RasterOp_SourceAndDestination: drow[x] = s & drow[x]; break;
            case QPainter::RasterOp_SourceXorDestination: drow[x] = (s ^ drow[x]) | 0xFF000000u; break;
            default: drow[x] = s; break;
            }
        }
    }
}

} // namespace

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop)
{
    DeviceContextData* dc = DeviceContextData::From(hdc);
    if (!dc || !bits || !bmi || usage != DIB_RGB_COLORS || rop != SRCCOPY)
        return 0;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight <= 0)
        return 0;
    if (destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0 || xSrc < 0 || ySrc < 0 ||
        static_cast<int64_t>(xSrc) + srcWidth > h.biWidth || static_cast<int64_t>(ySrc) + srcHeight > h.biHeight)
        return 0;
    dc->EndPainting();
    QImage* target = dc->Target();
    const size_t stride = DibRowStride(static_cast<uint64_t>(h.biWidth));
    const BottomUpDib dib{static_cast<const BYTE*>(bits), stride,
                          static_cast<const BYTE*>(bits) + stride * static_cast<size_t>(h.biHeight)};
    const QRect dstRect(xDest + dc->origin.x(), yDest + dc->origin.y(), destWidth, destHeight);
    QRect bounds = dstRect.intersected(target->rect());
    if (dc->hasClip)
        bounds = dc->clip.boundingRect().translated(dc->origin).intersected(bounds);
    BlitBottomUp24(*target, dstRect, bounds, dib, QRect(xSrc, ySrc, srcWidth, srcHeight));
    dc->MarkDrawn(bounds);
    dc->ShowDrawnNow();
    return destHeight;
}

CDC::~CDC()
{
    if (m_hDC) {
        DeviceContextData* dc = DeviceContextData::From(m_hDC);
        if (dc->wrapper.get() != this && dc->memory)
            ::DeleteDC(m_hDC);
    }
}

CDC* CDC::FromHandle(HDC hDC)
{
    DeviceContextData* dc = DeviceContextData::From(hDC);
    if (!dc)
        return nullptr;
    if (!dc->wrapper) {
        dc->wrapper = std::make_unique<CDC>();
        dc->wrapper->m_hDC = hDC;
    }
    return dc->wrapper.get();
}

BOOL CDC::Attach(HDC hDC)
{
    m_hDC = hDC;
    return hDC ? TRUE : FALSE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    const BOOL ok = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    return ok;
}

static DeviceContextData* Data(HDC h) { return DeviceContextData::From(h); }

CGdiObject* CDC::SelectStockObject(int index) { return SelectObject(CGdiObject::FromHandle(GetStockObject(index))); }
CGdiObject* CDC::SelectObject(CGdiObject* o)
{
    if (!o || !m_hDC)
        return nullptr;
    return CGdiObject::FromHandle(Data(m_hDC)->Select(o->m_hObject));
}
CFont* CDC::SelectObject(CFont* p) { return static_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(p))); }
CBitmap* CDC::SelectObject(CBitmap* p) { return static_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(p))); }

int CDC::SelectClipRgn(CRgn* rgn)
{
    DeviceContextData* dc = Data(m_hDC);
    if (!dc)
        return RGN_ERROR;
    dc->EndPainting();
    GdiObjectData* r = rgn ? GdiObjectData::From(rgn->m_hObject) : nullptr;
    dc->hasClip = r != nullptr;
    dc->clip = r ? r->region : QRegion();
    return r ? (r->region.isEmpty() ? NULLREGION : COMPLEXREGION) : SIMPLEREGION;
}

COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(Data(m_hDC)->textColor, c); }
COLORREF CDC::GetTextColor() const { return Data(m_hDC)->textColor; }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(Data(m_hDC)->bkColor, c); }
COLORREF CDC::GetBkColor() const { return Data(m_hDC)->bkColor; }
int CDC::SetBkMode(int m) { return std::exchange(Data(m_hDC)->bkMode, m); }
int CDC::GetBkMode() const { return Data(m_hDC)->bkMode; }
int CDC::SetStretchBltMode(int m) { return ::SetStretchBltMode(m_hDC, m); }
int CDC::GetStretchBltMode() const { return Data(m_hDC)->stretchMode; }

static QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

void CDC::FillSolidRect(LPCRECT rc, COLORREF clr)
{
    DeviceContextData* dc = Data(m_hDC);
    dc->bkColor = clr;
    dc->PainterOver(ToQRect(*rc)).fillRect(ToQRect(*rc), ToQColor(clr));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

void CDC::FillRect(LPCRECT rc, CBrush* brush)
{
    GdiObjectData* b = brush ? GdiObjectData::From(brush->m_hObject) : nullptr;
    if (!b || b->nullBrush)
        return;
    Data(m_hDC)->PainterOver(ToQRect(*rc)).fillRect(ToQRect(*rc), ToQColor(b->color));
}

static void ApplyPenAndBrush(DeviceContextData* dc, QPainter& p)
{
    GdiObjectData* pen = GdiObjectData::From(dc->pen ? dc->pen : GetStockObject(BLACK_PEN));
    GdiObjectData* brush = GdiObjectData::From(dc->brush ? dc->brush : GetStockObject(WHITE_BRUSH));
    if (pen->penStyle == PS_NULL)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(ToQColor(pen->color), pen->penWidth,
                      pen->penStyle == PS_DOT    ? Qt::DotLine
                      : pen->penStyle == PS_DASH ? Qt::DashLine
                                                 : Qt::SolidLine));
    p.setBrush(brush->nullBrush ? QBrush() : QBrush(ToQColor(brush->color)));
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    DeviceContextData* dc = Data(m_hDC);
    QPainter& p = dc->Painter();
    ApplyPenAndBrush(dc, p);
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    return TRUE;
}

namespace {
thread_local std::map<HDC, QPoint> g_current;
}

CPoint CDC::MoveTo(int x, int y)
{
    const QPoint old = std::exchange(g_current[m_hDC], QPoint(x, y));
    return CPoint(old.x(), old.y());
}

BOOL CDC::LineTo(int x, int y)
{
    DeviceContextData* dc = Data(m_hDC);
    QPainter& p = dc->Painter();
    ApplyPenAndBrush(dc, p);
    p.drawLine(g_current[m_hDC], QPoint(x, y));
    g_current[m_hDC] = QPoint(x, y);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF c)
{
    DeviceContextData* dc = Data(m_hDC);
    dc->EndPainting();
    QImage* img = dc->Target();
    const QPoint p = QPoint(x, y) + dc->origin;
    if (!img->rect().contains(p))
        return static_cast<COLORREF>(-1);
    dc->MarkDrawn(QRect(p, QSize(1, 1)));
    img->setPixel(p, ToQColor(c).rgb());
    return c;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    DeviceContextData* dc = Data(m_hDC);
    dc->EndPainting();
    QImage* img = dc->Target();
    const QPoint p = QPoint(x, y) + dc->origin;
    if (!img->rect().contains(p))
        return 0xFFFFFFFF;
    return FromQColor(QColor(img->pixel(p)));
}

QString StripMnemonics(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                ++i;
            else
                continue;
        }
        out += text[i];
    }
    return out;
}

int CDC::DrawText(const CString& str, LPRECT rc, UINT format)
{
    DeviceContextData* dc = Data(m_hDC);
    QString text = ToQString(str);
    if (!(format & DT_NOPREFIX))
        text = StripMnemonics(text);
    const QFont font = dc->CurrentFont();
    const QFontMetrics fm(font);
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
        flags |= Qt::TextSingleLine;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    QRect box = ToQRect(*rc);
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS))
        text = fm.elidedText(text, (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight, box.width());
    const QRect bound = fm.boundingRect(box, flags, text);
    if (format & DT_CALCRECT) {
        rc->right = rc->left + bound.width();
        rc->bottom = rc->top + bound.height();
        return bound.height();
    }
    // Clipped text stays in its box; the opaque background may reach past it.
    QPainter& p = (format & DT_NOCLIP) ? dc->Painter() : dc->PainterOver(box | bound);
    p.setFont(font);
    if (dc->bkMode == OPAQUE)
        p.fillRect(bound, ToQColor(dc->bkColor));
    p.setPen(ToQColor(dc->textColor));
    if (!(format & DT_NOCLIP))
        p.setClipRect(box, dc->hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    p.drawText(box, flags, text);
    if (!(format & DT_NOCLIP)) {
        if (dc->hasClip)
            p.setClipRegion(dc->clip);
        else
            p.setClipping(false);
    }
    return bound.height();
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str.GetString(), str.GetLength()); }

CSize CDC::GetTextExtent(LPCTSTR s, int count) const
{
    const QFontMetrics fm(Data(m_hDC)->CurrentFont());
    const QString text = QString::fromUtf16(s, count);
    return CSize(fm.horizontalAdvance(text), fm.height());
}

BOOL CDC::DrawEdge(LPRECT rc, UINT edge, UINT flags)
{
    QPainter& p = Data(m_hDC)->PainterOver(ToQRect(*rc));
    auto side = [&](QRect r, COLORREF topLeft, COLORREF bottomRight) {
        if (flags & BF_TOP)
            p.fillRect(QRect(r.left(), r.top(), r.width(), 1), ToQColor(topLeft));
        if (flags & BF_LEFT)
            p.fillRect(QRect(r.left(), r.top(), 1, r.height()), ToQColor(topLeft));
        if (flags & BF_BOTTOM)
            p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), ToQColor(bottomRight));
        if (flags & BF_RIGHT)
            p.fillRect(QRect(r.right(), r.top(), 1, r.height()), ToQColor(bottomRight));
    };
    QRect r = ToQRect(*rc);
    if (edge & BDR_RAISEDOUTER)
        side(r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        side(r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    r.adjust(1, 1, -1, -1);
    if (edge & BDR_RAISEDINNER)
        side(r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    else if (edge & BDR_SUNKENINNER)
        side(r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rc)
{
    // A dotted outline inverted into the picture, so drawing it twice removes it.
    DeviceContextData* dc = Data(m_hDC);
    dc->EndPainting();
    QImage* img = dc->Target();
    const QRect r = ToQRect(*rc).translated(dc->origin);
    dc->MarkDrawn(r);
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) == 0 && img->rect().contains(x, y))
            img->setPixel(x, y, img->pixel(x, y) ^ 0x00FFFFFF);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        invert(x, r.top());
        if (r.bottom() != r.top())
            invert(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        invert(r.left(), y);
        if (r.right() != r.left())
            invert(r.right(), y);
    }
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    QIcon* icon = IconFromHandle(hIcon);
    if (!icon)
        return FALSE;
    Data(m_hDC)->Painter().drawPixmap(x, y, icon->pixmap(32, 32));
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, w, h, src, xSrc, ySrc, w, h, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int sw, int sh, DWORD rop)
{
    DeviceContextData* dc = Data(m_hDC);
    if (!dc)
        return FALSE;
    if (rop == BLACKNESS || rop == WHITENESS) {
        dc->Painter().fillRect(QRect(x, y, w, h), rop == BLACKNESS ? Qt::black : Qt::white);
        return TRUE;
    }
    QPainter::CompositionMode mode;
    if (!src || !src->m_hDC || !RasterOp(rop, mode) || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return FALSE;
    DeviceContextData* s = Data(src->m_hDC);
    s->EndPainting();
    dc->EndPainting();
    // Copy the source first: source and destination may be the same image.
    const QImage source = s->Target()->copy(QRect(QPoint(xSrc, ySrc) + s->origin, QSize(sw, sh)));
    const QRect destination(QPoint(x, y) + dc->origin, QSize(w, h));
    StretchNearest(*dc->Target(), destination, source, QRect(0, 0, sw, sh), mode);
    dc->MarkDrawn(destination);
    dc->ShowDrawnNow();
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    switch (index) {
    case HORZRES: return screen ? screen->geometry().width() : 0;
    case VERTRES: return screen ? screen->geometry().height() : 0;
    case BITSPIXEL: return 32;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { Attach(::GetDC(m_hWnd)); }

CPaintDC::~CPaintDC()
{
    // The paint event that runs this shows the image itself.
    HDC h = Detach();
    if (DeviceContextData* dc = DeviceContextData::From(h)) {
        dc->EndPainting();
        delete dc;
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }
CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
