#include "platform/afx/gdi_internal.h"
#include "platform/afx/window_host.h"
#include "platform/win/dib_rows.h"

#include <QFontMetrics>

#include <cstring>
#include <map>

namespace {

GdiObjectData* NewObject(GdiObjectData::Kind kind) { return new GdiObjectData(kind); }

// The stock pens and brushes: a colour, or nothing drawn.
struct StockPenOrBrush {
    int index;
    GdiObjectData::Kind kind;
    COLORREF color;
    bool drawsNothing;
};

constexpr StockPenOrBrush kStockPensAndBrushes[] = {
    {WHITE_BRUSH, GdiObjectData::Kind::Brush, RGB(255, 255, 255), false},
    {LTGRAY_BRUSH, GdiObjectData::Kind::Brush, RGB(192, 192, 192), false},
    {GRAY_BRUSH, GdiObjectData::Kind::Brush, RGB(128, 128, 128), false},
    {DKGRAY_BRUSH, GdiObjectData::Kind::Brush, RGB(64, 64, 64), false},
    {BLACK_BRUSH, GdiObjectData::Kind::Brush, RGB(0, 0, 0), false},
    {NULL_BRUSH, GdiObjectData::Kind::Brush, RGB(0, 0, 0), true},
    {WHITE_PEN, GdiObjectData::Kind::Pen, RGB(255, 255, 255), false},
    {BLACK_PEN, GdiObjectData::Kind::Pen, RGB(0, 0, 0), false},
    {NULL_PEN, GdiObjectData::Kind::Pen, RGB(0, 0, 0), true},
};

GdiObjectData* NewStockObject(int index)
{
    if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) {
        GdiObjectData* font = NewObject(GdiObjectData::Kind::Font);
        font->logFont = DefaultGuiLogFont();
        font->font = FontFromLogFont(font->logFont);
        return font;
    }
    for (const StockPenOrBrush& entry : kStockPensAndBrushes) {
        if (entry.index != index)
            continue;
        GdiObjectData* o = NewObject(entry.kind);
        o->color = entry.color;
        if (entry.drawsNothing && entry.kind == GdiObjectData::Kind::Brush)
            o->nullBrush = true;
        if (entry.drawsNothing && entry.kind == GdiObjectData::Kind::Pen)
            o->penStyle = PS_NULL;
        return o;
    }
    return nullptr;
}

GdiObjectData* StockObject(int index)
{
    static GdiObjectData* stock[DEFAULT_GUI_FONT + 1] = {};
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    if (!stock[index]) {
        stock[index] = NewStockObject(index);
        if (stock[index])
            stock[index]->stock = true;
    }
    return stock[index];
}

} // namespace

GdiObjectData::~GdiObjectData()
{
    if (wrapper) {
        wrapper->m_hObject = nullptr;
        wrapper.reset();
    }
}

CGdiObject* GdiObjectData::Wrapper()
{
    if (!wrapper) {
        switch (kind) {
        case Kind::Pen: wrapper = std::make_unique<CPen>(); break;
        case Kind::Brush: wrapper = std::make_unique<CBrush>(); break;
        case Kind::Font: wrapper = std::make_unique<CFont>(); break;
        case Kind::Bitmap: wrapper = std::make_unique<CBitmap>(); break;
        case Kind::Region: wrapper = std::make_unique<CRgn>(); break;
        }
        wrapper->m_hObject = Handle();
        wrapper->m_bTemporary = true;
    }
    return wrapper.get();
}

void GdiObjectData::SyncImageFromSection()
{
    if (sectionBits.empty())
        return;
    const int w = image.width(), h = image.height();
    const size_t stride = DibRowStride(static_cast<uint64_t>(w));
    for (int y = 0; y < h; ++y) {
        const BYTE* src = sectionBits.data() + stride * static_cast<size_t>(h - 1 - y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
    }
}

void GdiObjectData::SyncSectionFromImage()
{
    if (sectionBits.empty())
        return;
    const int w = image.width(), h = image.height();
    const size_t stride = DibRowStride(static_cast<uint64_t>(w));
    for (int y = 0; y < h; ++y) {
        BYTE* dst = sectionBits.data() + stride * static_cast<size_t>(h - 1 - y);
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<BYTE>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<BYTE>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<BYTE>(qRed(src[x]));
        }
    }
}

LOGFONTW DefaultGuiLogFont()
{
    // The default interface font of the original platform's Japanese edition: 9 pt at 96 dpi.
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = 128;
    const std::u16string_view face = u"ＭＳ Ｐゴシック";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

QFont FontFromLogFont(const LOGFONTW& lf)
{
    std::u16string face(lf.lfFaceName, std::char_traits<char16_t>::length(lf.lfFaceName));
    QFont font = DialogFont(face.c_str(), 9);
    if (lf.lfHeight < 0) {
        font.setPixelSize(-lf.lfHeight);
    } else if (lf.lfHeight > 0) {
        // A positive height is the cell height: scale the em size to fit it.
        QFont probe = font;
        probe.setPixelSize(lf.lfHeight);
        const int cell = QFontMetrics(probe).height();
        font.setPixelSize(std::max(1, cell > 0 ? lf.lfHeight * lf.lfHeight / cell : lf.lfHeight));
    } else {
        font.setPixelSize(12);
    }
    font.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

HGDIOBJ GetStockObject(int index)
{
    GdiObjectData* o = StockObject(index);
    return o ? o->Handle() : nullptr;
}

BOOL DeleteObject(HGDIOBJ handle)
{
    GdiObjectData* o = GdiObjectData::From(handle);
    // An object still selected into a DC stays, as on the original platform.
    if (!o || o->stock || o->selections > 0)
        return FALSE;
    delete o;
    return TRUE;
}

int GetObjectW(HGDIOBJ handle, int count, LPVOID out)
{
    GdiObjectData* o = GdiObjectData::From(handle);
    if (!o || !out)
        return 0;
    if (o->kind == GdiObjectData::Kind::Font && count >= static_cast<int>(sizeof(LOGFONTW))) {
        std::memcpy(out, &o->logFont, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    }
    if (o->kind == GdiObjectData::Kind::Bitmap && count >= static_cast<int>(sizeof(BITMAP))) {
        BITMAP bm{};
        bm.bmWidth = o->image.width();
        bm.bmHeight = o->image.height();
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(o->bitsPerPixel);
        bm.bmWidthBytes = ((bm.bmWidth * o->bitsPerPixel + 15) / 16) * 2;
        if (!o->sectionBits.empty()) {
            bm.bmWidthBytes = static_cast<LONG>(DibRowStride(static_cast<uint64_t>(bm.bmWidth)));
            bm.bmBits = o->sectionBits.data();
        }
        std::memcpy(out, &bm, sizeof(BITMAP));
        return sizeof(BITMAP);
    }
    return 0;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    GdiObjectData* o = NewObject(GdiObjectData::Kind::Brush);
    o->color = color;
    return o->Handle();
}

HBRUSH GetSysColorBrush(int index)
{
    // Stock objects live as long as the program.
    static auto* brushes = new std::map<int, GdiObjectData*>;
    GdiObjectData*& o = (*brushes)[index];
    if (!o) {
        o = NewObject(GdiObjectData::Kind::Brush);
        o->color = GetSysColor(index);
        o->stock = true;
    }
    return o->Handle();
}

HFONT CreateFontIndirectW(const LOGFONTW* lf)
{
    if (!lf)
        return nullptr;
    GdiObjectData* o = NewObject(GdiObjectData::Kind::Font);
    o->logFont = *lf;
    o->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    o->font = FontFromLogFont(o->logFont);
    return o->Handle();
}

namespace {

constexpr int kMaxBitmapSide = 1 << 15;

bool ValidBitmapSize(int w, int h) { return w > 0 && h > 0 && w <= kMaxBitmapSide && h <= kMaxBitmapSide; }

HBITMAP NewBitmap(int w, int h, int bpp)
{
    if (!ValidBitmapSize(w, h))
        return nullptr;
    GdiObjectData* o = NewObject(GdiObjectData::Kind::Bitmap);
    o->image = QImage(w, h, QImage::Format_RGB32);
    if (o->image.isNull()) {
        delete o;
        return nullptr;
    }
    o->image.fill(Qt::black);
    o->bitsPerPixel = bpp;
    return o->Handle();
}

} // namespace

HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitCount, const void* bits)
{
    if (planes != 1 || bits)
        return nullptr; // only the empty bitmaps the program asks for
    return NewBitmap(w, h, static_cast<int>(bitCount));
}

HBITMAP CreateCompatibleBitmap(HDC, int w, int h) { return NewBitmap(w, h, 32); }

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!bmi || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 24 || h.biCompression != BI_RGB || h.biPlanes != 1 ||
        h.biHeight <= 0 || !ValidBitmapSize(h.biWidth, h.biHeight))
        return nullptr;
    HBITMAP handle = NewBitmap(h.biWidth, h.biHeight, 24);
    if (!handle)
        return nullptr;
    GdiObjectData* o = GdiObjectData::From(handle);
    const size_t stride = DibRowStride(static_cast<uint64_t>(h.biWidth));
    o->sectionBits.assign(stride * static_cast<size_t>(h.biHeight), 0);
    if (bits)
        *bits = o->sectionBits.data();
    return handle;
}

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    GdiObjectData* o = NewObject(GdiObjectData::Kind::Region);
    o->region = QRegion(
        QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
    return o->Handle();
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    GdiObjectData* o = NewObject(GdiObjectData::Kind::Region);
    o->region = QRegion(
        QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)),
        QRegion::Ellipse);
    return o->Handle();
}

CGdiObject::~CGdiObject()
{
    if (!m_bTemporary)
        DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle)
        return FALSE;
    m_hObject = handle;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    GdiObjectData* o = GdiObjectData::From(m_hObject);
    if (o->wrapper.get() == this)
        return FALSE;
    // An object still selected into a DC stays attached.
    const BOOL deleted = ::DeleteObject(m_hObject);
    if (deleted)
        m_hObject = nullptr;
    return deleted;
}

int CGdiObject::GetObject(int count, LPVOID out) const { return GetObjectW(m_hObject, count, out); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    GdiObjectData* o = GdiObjectData::From(handle);
    return o ? o->Wrapper() : nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* lf) { return Attach(CreateFontIndirectW(lf)); }

BOOL CBitmap::CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits)
{
    return Attach(::CreateBitmap(w, h, planes, bpp, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int w, int h)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, w, h));
}

int CBitmap::GetBitmap(BITMAP* bm) const { return GetObjectW(m_hObject, sizeof(BITMAP), bm); }

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
