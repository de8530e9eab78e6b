// What GDI handles point at, on the toolkit's images, fonts and regions.
#pragma once

#include "platform/afx/cdc.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <vector>

struct GdiObjectData {
    enum class Kind { Pen, Brush, Font, Bitmap, Region };
    explicit GdiObjectData(Kind k) : kind(k) {}
    ~GdiObjectData();

    static GdiObjectData* From(HGDIOBJ handle) { return reinterpret_cast<GdiObjectData*>(handle); }
    HGDIOBJ Handle() { return reinterpret_cast<HGDIOBJ>(this); }
    CGdiObject* Wrapper();

    // A DIB section keeps its rows bottom-up in sectionBits; the image is synced around drawing.
    void SyncImageFromSection();
    void SyncSectionFromImage();

    Kind kind;
    bool stock = false;
    COLORREF color = 0;
    int penStyle = 0;
    int penWidth = 1;
    bool nullBrush = false;
    LOGFONTW logFont{};
    QFont font;
    QImage image;
    int bitsPerPixel = 32;
    std::vector<BYTE> sectionBits;
    QRegion region;
    int selections = 0;
    std::unique_ptr<CGdiObject> wrapper;
};

struct DeviceContextData {
    // A new DC holds the stock pen, brush and font, as on the original platform.
    DeviceContextData();
    static DeviceContextData* From(HDC handle) { return reinterpret_cast<DeviceContextData*>(handle); }
    HDC Handle() { return reinterpret_cast<HDC>(this); }
    ~DeviceContextData();

    QImage* Target();
    QPainter& Painter(); // begun on demand; what it draws may reach anywhere in the target
    QPainter& PainterOver(const QRect& area); // the same for drawing that stays inside area
    void EndPainting();
    // Drawing into a window's image reaches the screen only where it is marked drawn.
    void MarkDrawn(const QRect& targetArea);
    // A window DC outside its window's paint event shows at once what it drew.
    void ShowDrawnNow();
    QFont CurrentFont() const;
    HGDIOBJ Select(HGDIOBJ object);

    HWND window = nullptr;
    bool memory = false;
    QImage ownImage; // a memory DC's default bitmap, or the screen copy
    QImage* external = nullptr;
    QPoint origin; // drawing offset into the target
    std::unique_ptr<QPainter> painter;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    QRegion clip;
    bool hasClip = false;
    QRect drawn; // what the window has yet to show, in target coordinates
    std::unique_ptr<CDC> wrapper;
};

// A DC that draws into an image of our own (owner-drawn items), drawn at origin.
HDC CreateImageDC(QImage* image, QPoint origin, HFONT font);
QFont FontFromLogFont(const LOGFONTW& logFont);
LOGFONTW DefaultGuiLogFont();
// The text as shown: '&' marks the next character as a mnemonic and is dropped; "&&" is one '&'.
QString StripMnemonics(const QString& text);
