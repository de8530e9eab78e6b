// OLE: initialisation, drag-and-drop data and drop targets, streams and the picture loader.
#pragma once

#include "platform/afx/cview.h"
#include "platform/afx/geometry.h"
#include "platform/win/com_init.h"
#include "platform/win/heap.h"

#include <memory>

constexpr UINT CF_TEXT = 1, CF_UNICODETEXT = 13, CF_HDROP = 15;
using CLIPFORMAT = WORD;

HRESULT OleInitialize(LPVOID pvReserved);

class QMimeData;

// The data of a drag in progress.
class COleDataObject {
public:
    explicit COleDataObject(const QMimeData* data) : m_data(data) {}
    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // A new global block the caller owns: CF_TEXT as zero-terminated narrow text (UTF-8 here).
    HGLOBAL GetGlobalData(CLIPFORMAT format) const;

private:
    const QMimeData* m_data;
};

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    BOOL Register(CWnd* pWnd);
    void Revoke();

    // The defaults hand the drag to the view the target is registered for.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

private:
    class Sink;
    std::unique_ptr<Sink> m_sink;
    HWND m_hWnd = nullptr;
};

// Streams over global memory and the picture loader (BMP, JPEG, GIF, PNG, ICO).
class IStream {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HGLOBAL Block() const = 0;

protected:
    virtual ~IStream() = default;
};
using LPSTREAM = IStream*;

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm);

using OLE_HANDLE = UINT_PTR;
class IPicture {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // The picture as a bitmap: a 24-bit bottom-up DIB section (with its bits) for pictures
    // the loader decodes; icons come back as a 32-bit bitmap.
    virtual HRESULT get_Handle(OLE_HANDLE* pHandle) = 0;
    virtual HRESULT get_Type(short* pType) = 0;

protected:
    virtual ~IPicture() = default;
};
constexpr short PICTYPE_BITMAP = 1, PICTYPE_ICON = 3;
extern const GUID IID_IPicture;
HRESULT OleLoadPicture(LPSTREAM lpstream, LONG lSize, BOOL fRunmode, const GUID& riid, LPVOID* lplpvObj);
