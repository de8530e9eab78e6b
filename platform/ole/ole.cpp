#include "platform/ole/ole.h"

#include "platform/afx/gdi.h"
#include "platform/afx/window_host.h"
#include "platform/win/dib_rows.h"
#include "platform/win/ref_counted.h"

#include <QBuffer>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QImageReader>
#include <QMimeData>

#include <cstring>
#include <limits>

HRESULT OleInitialize(LPVOID) { return S_OK; }

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const
{
    if (!m_data)
        return FALSE;
    switch (format) {
    case CF_TEXT:
    case CF_UNICODETEXT: return m_data->hasText() ? TRUE : FALSE;
    case CF_HDROP: return m_data->hasUrls() ? TRUE : FALSE;
    default: return FALSE;
    }
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const
{
    if (!m_data || format != CF_TEXT || !m_data->hasText())
        return nullptr;
    const QByteArray text = m_data->text().toUtf8();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.size()) + 1);
    if (!block)
        return nullptr;
    auto* p = static_cast<char*>(GlobalLock(block));
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, text.constData(), static_cast<size_t>(text.size()));
    p[text.size()] = 0;
    GlobalUnlock(block);
    return block;
}

namespace {

DWORD KeyState(const QDropEvent* e)
{
    DWORD s = 0;
    if (e->buttons() & Qt::LeftButton)
        s |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton)
        s |= MK_RBUTTON;
    if (e->modifiers() & Qt::ShiftModifier)
        s |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier)
        s |= MK_CONTROL;
    return s;
}

CPoint PointOf(const QDropEvent* e)
{
    const QPoint p = e->position().toPoint();
    return CPoint(p.x(), p.y());
}

} // namespace

class COleDropTarget::Sink : public DropTargetSink {
public:
    explicit Sink(COleDropTarget* owner) : m_owner(owner) {}
    DWORD DragEnter(QEvent* event) override { return Call(event, true); }
    DWORD DragOver(QEvent* event) override { return Call(event, false); }
    void DragLeave() override
    {
        if (CWnd* w = CWnd::FromHandle(m_owner->m_hWnd))
            m_owner->OnDragLeave(w);
    }
    DWORD Drop(QEvent* event) override
    {
        auto* e = static_cast<QDropEvent*>(event);
        COleDataObject data(e->mimeData());
        if (CWnd* w = CWnd::FromHandle(m_owner->m_hWnd))
            m_owner->OnDrop(w, &data, DROPEFFECT_NONE, PointOf(e));
        return DROPEFFECT_NONE;
    }

private:
    DWORD Call(QEvent* event, bool enter)
    {
        auto* e = static_cast<QDropEvent*>(event);
        COleDataObject data(e->mimeData());
        CWnd* w = CWnd::FromHandle(m_owner->m_hWnd);
        if (!w)
            return DROPEFFECT_NONE;
        return enter ? m_owner->OnDragEnter(w, &data, KeyState(e), PointOf(e))
                     : m_owner->OnDragOver(w, &data, KeyState(e), PointOf(e));
    }
    COleDropTarget* m_owner;
};

COleDropTarget::COleDropTarget() : m_sink(std::make_unique<Sink>(this)) {}
COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    WindowRecord* r = pWnd ? WindowRecord::From(pWnd->m_hWnd) : nullptr;
    if (!r)
        return FALSE;
    Revoke();
    m_hWnd = pWnd->m_hWnd;
    r->RegisterDropTarget(m_sink.get());
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (WindowRecord* r = WindowRecord::From(m_hWnd))
        r->RevokeDropTarget(m_sink.get());
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* data, DWORD keys, CPoint point)
{
    auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(pWnd->m_hWnd));
    return view ? view->OnDragEnter(data, keys, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* data, DWORD keys, CPoint point)
{
    auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(pWnd->m_hWnd));
    return view ? view->OnDragOver(data, keys, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(pWnd->m_hWnd)))
        view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(pWnd->m_hWnd));
    return view ? view->OnDrop(data, effect, point) : FALSE;
}

namespace {

class GlobalStream final : public win::RefCounted<IStream> {
public:
    GlobalStream(HGLOBAL block, bool deleteOnRelease) : m_block(block), m_delete(deleteOnRelease) {}
    HGLOBAL Block() const override { return m_block; }

private:
    ~GlobalStream() override
    {
        if (m_delete)
            GlobalFree(m_block);
    }
    HGLOBAL m_block;
    bool m_delete;
};

class Picture final : public win::RefCounted<IPicture> {
public:
    Picture(HBITMAP bitmap, short type) : m_bitmap(bitmap), m_type(type) {}
    HRESULT get_Handle(OLE_HANDLE* handle) override
    {
        if (!handle)
            return E_POINTER;
        *handle = reinterpret_cast<OLE_HANDLE>(m_bitmap);
        return S_OK;
    }
    HRESULT get_Type(short* type) override
    {
        if (!type)
            return E_POINTER;
        *type = m_type;
        return S_OK;
    }

private:
    ~Picture() override { DeleteObject(m_bitmap); }
    HBITMAP m_bitmap;
    short m_type;
};

constexpr int kMaxPictureSide = 1 << 15;

uint32_t BigEndian32(const char* p)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(p[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(p[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(p[2])) << 8 | static_cast<uint32_t>(static_cast<uint8_t>(p[3]));
}

// libpng allocates a chunk's declared length before reading it, so a few bytes claiming a
// gigabyte-long chunk would cost a gigabyte. A PNG whose chunks do not fit in its bytes is refused
// before it reaches the library.
bool PngChunksFit(const QByteArray& data)
{
    constexpr qsizetype kSignatureBytes = 8;
    constexpr qsizetype kChunkFrameBytes = 12; // length, type, CRC
    qsizetype at = kSignatureBytes;
    while (at + kChunkFrameBytes <= data.size()) {
        const uint32_t length = BigEndian32(data.constData() + at);
        if (length > static_cast<uint64_t>(data.size() - at - kChunkFrameBytes))
            return false;
        if (std::memcmp(data.constData() + at + 4, "IEND", 4) == 0)
            return true;
        at += kChunkFrameBytes + static_cast<qsizetype>(length);
    }
    return at == data.size();
}

} // namespace

const GUID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm)
{
    if (!ppstm)
        return E_POINTER;
    *ppstm = nullptr;
    if (!hGlobal)
        return E_INVALIDARG;
    *ppstm = new GlobalStream(hGlobal, fDeleteOnRelease != FALSE);
    return S_OK;
}

HRESULT OleLoadPicture(LPSTREAM stream, LONG lSize, BOOL, const GUID& riid, LPVOID* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!stream || std::memcmp(&riid, &IID_IPicture, sizeof(GUID)) != 0)
        return E_INVALIDARG;
    HGLOBAL block = stream->Block();
    const SIZE_T available = GlobalSize(block);
    const SIZE_T size = lSize > 0 ? std::min<SIZE_T>(available, static_cast<SIZE_T>(lSize)) : available;
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    if (!bytes || size == 0) {
        if (bytes)
            GlobalUnlock(block);
        return E_FAIL;
    }
    QByteArray data(bytes, static_cast<qsizetype>(size));
    GlobalUnlock(block);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toLower();
    if (format != "bmp" && format != "jpeg" && format != "jpg" && format != "gif" && format != "png" && format != "ico")
        return E_FAIL;
    if (format == "png" && !PngChunksFit(data))
        return E_FAIL;
    QSize declared = reader.size();
    // A top-down BMP declares a negative height; its reader decodes into an image of the height
    // itself, and makes one of its own (uninitialised) when handed none.
    if (declared.height() < 0 && declared.height() != std::numeric_limits<int>::min())
        declared.setHeight(-declared.height());
    if (declared.isValid() && (declared.width() > kMaxPictureSide || declared.height() > kMaxPictureSide))
        return E_FAIL;
    // The readers decode into an image of the declared size and format when handed one, and a
    // file that ends early leaves the rest of it as it was: zero here, never stale memory.
    QImage image;
    if (declared.isValid() && reader.imageFormat() != QImage::Format_Invalid) {
        // Qt refuses an image above its allocation limit when a reader makes one itself: an image
        // handed to the reader is held to the same limit, or a few header bytes would claim
        // gigabytes of zeroed pixels.
        const qint64 bytes = qint64{declared.width()} * declared.height() *
                             QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8;
        if (reader.allocationLimit() > 0 && bytes > qint64{reader.allocationLimit()} << 20)
            return E_FAIL;
        image = QImage(declared, reader.imageFormat());
        image.fill(0);
    }
    if (!reader.read(&image))
        image = QImage();
    if (image.isNull() || image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
        return E_FAIL;
    if (format == "ico") {
        // Icons stay icons: a 32-bit bitmap that callers wanting a 24-bit DIB refuse.
        HBITMAP bitmap = CreateBitmap(image.width(), image.height(), 1, 32, nullptr);
        if (!bitmap)
            return E_FAIL;
        *out = static_cast<IPicture*>(new Picture(bitmap, PICTYPE_ICON));
        return S_OK;
    }
    image = image.convertToFormat(QImage::Format_RGB888);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = image.width();
    bmi.bmiHeader.biHeight = image.height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return E_OUTOFMEMORY;
    const size_t stride = DibRowStride(static_cast<uint64_t>(image.width()));
    auto* dst = static_cast<BYTE*>(bits);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* src = image.constScanLine(y);
        BYTE* row = dst + stride * static_cast<size_t>(image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = src[3 * x + 2];
            row[3 * x + 1] = src[3 * x + 1];
            row[3 * x + 2] = src[3 * x];
        }
    }
    *out = static_cast<IPicture*>(new Picture(bitmap, PICTYPE_BITMAP));
    return S_OK;
}
