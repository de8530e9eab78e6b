#include "resources/toolbar_images.h"

#include "platform/afx/cframewnd.h"
#include "resources/resource_ids.h"

#include <QPainter>
#include <QPixmap>

#include <array>
#include <string_view>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

// A 3 x 5 pixel alphabet for the short labels of the format buttons.
struct Glyph {
    char letter;
    std::array<const char*, 5> rows;
};
constexpr std::array kGlyphs = {
    Glyph{'A', {"010", "101", "111", "101", "101"}}, Glyph{'B', {"110", "101", "110", "101", "110"}},
    Glyph{'G', {"011", "100", "101", "101", "011"}}, Glyph{'I', {"111", "010", "010", "010", "111"}},
    Glyph{'J', {"001", "001", "001", "101", "010"}}, Glyph{'M', {"101", "111", "111", "101", "101"}},
    Glyph{'N', {"110", "101", "101", "101", "101"}}, Glyph{'P', {"110", "101", "110", "100", "100"}},
    Glyph{'F', {"111", "100", "110", "100", "100"}}, Glyph{'T', {"111", "010", "010", "010", "010"}},
    Glyph{'V', {"101", "101", "101", "101", "010"}}, Glyph{'W', {"101", "101", "111", "111", "101"}},
};

void DrawLabel(QPainter& p, std::string_view text, int top, const QColor& color)
{
    int x = (kWidth - static_cast<int>(text.size()) * 4 + 1) / 2;
    for (char c : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.letter != c)
                continue;
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g.rows[static_cast<size_t>(row)][col] == '1')
                        p.fillRect(x + col, top + row, 1, 1, color);
        }
        x += 4;
    }
}

// A small landscape over a label: the input picture formats.
void DrawPictureFormat(QPainter& p, std::string_view label, const QColor& tag)
{
    p.fillRect(1, 0, 14, 8, QColor(110, 170, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 150, 70));
    p.drawPolygon(QPolygon({QPoint(1, 8), QPoint(6, 3), QPoint(9, 6), QPoint(11, 4), QPoint(15, 8)}));
    p.fillRect(11, 1, 2, 2, QColor(255, 220, 60));
    p.fillRect(0, 9, 16, 6, tag);
    DrawLabel(p, label, 9, Qt::white);
}

// A film strip over a label: the video outputs.
void DrawVideoFormat(QPainter& p, std::string_view label, const QColor& tag)
{
    p.fillRect(0, 0, 16, 8, QColor(45, 45, 50));
    for (int x = 1; x < 16; x += 3) {
        p.fillRect(x, 1, 2, 1, QColor(230, 230, 230));
        p.fillRect(x, 6, 2, 1, QColor(230, 230, 230));
    }
    p.fillRect(2, 3, 12, 2, tag.lighter(150));
    p.fillRect(0, 9, 16, 6, tag);
    DrawLabel(p, label, 9, Qt::white);
}

void DrawFolder(QPainter& p)
{
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
}

void DrawTriangle(QPainter& p, bool right, int left, int width, const QColor& color)
{
    p.setPen(color.darker(140));
    p.setBrush(color);
    if (right)
        p.drawPolygon(QPolygon({QPoint(left, 2), QPoint(left + width, 7), QPoint(left, 12)}));
    else
        p.drawPolygon(QPolygon({QPoint(left + width, 2), QPoint(left, 7), QPoint(left + width, 12)}));
}

void DrawGear(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(7.5, 7.5);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 45.0);
        p.fillRect(QRectF(-1.5, -7.5, 3, 4), QColor(90, 100, 120));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 130, 150));
    p.drawEllipse(centre, 5.0, 5.0);
    p.setBrush(QColor(235, 235, 240));
    p.drawEllipse(centre, 2.0, 2.0);
}

void DrawClipResize(QPainter& p)
{
    p.fillRect(4, 4, 8, 7, QColor(120, 190, 240));
    p.setPen(QColor(30, 30, 30));
    p.drawLine(3, 0, 3, 11);
    p.drawLine(0, 3, 12, 3);
    p.drawLine(12, 3, 12, 14);
    p.drawLine(3, 11, 15, 11);
    p.setPen(QColor(200, 40, 40));
    p.drawLine(6, 8, 10, 6);
    p.drawLine(10, 6, 8, 6);
    p.drawLine(10, 6, 10, 8);
}

void DrawHelp(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QRectF(0.5, 0, 14.5, 14.5));
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, QStringLiteral("?"));
}

bool Draw(QPainter& p, UINT id)
{
    switch (id) {
    case ID_OPEN_FOLDER: DrawFolder(p); return true;
    case ID_PLAY: DrawTriangle(p, true, 4, 9, QColor(40, 170, 60)); return true;
    case ID_PAUSE:
        p.fillRect(4, 2, 3, 11, QColor(40, 90, 200));
        p.fillRect(9, 2, 3, 11, QColor(40, 90, 200));
        return true;
    case ID_STOP: p.fillRect(3, 2, 10, 10, QColor(210, 40, 40)); return true;
    case ID_MOVE_PREV:
        p.fillRect(3, 2, 2, 11, QColor(60, 60, 60));
        DrawTriangle(p, false, 5, 8, QColor(60, 60, 60));
        return true;
    case ID_MOVE_NEXT:
        p.fillRect(11, 2, 2, 11, QColor(60, 60, 60));
        DrawTriangle(p, true, 3, 8, QColor(60, 60, 60));
        return true;
    case ID_MAKE_AVI: DrawVideoFormat(p, "AVI", QColor(210, 100, 20)); return true;
    case ID_MAKE_WMV: DrawVideoFormat(p, "WMV", QColor(40, 90, 190)); return true;
    case ID_INPUT_JPG: DrawPictureFormat(p, "JPG", QColor(150, 60, 150)); return true;
    case ID_INPUT_BMP: DrawPictureFormat(p, "BMP", QColor(60, 130, 60)); return true;
    case ID_INPUT_TIF: DrawPictureFormat(p, "TIF", QColor(160, 110, 30)); return true;
    case ID_INPUT_PNG: DrawPictureFormat(p, "PNG", QColor(40, 120, 160)); return true;
    case ID_OUTPUT_SETTING: DrawGear(p); return true;
    case ID_CLIP_RESIZE: DrawClipResize(p); return true;
    case ID_HELP: DrawHelp(p); return true;
    default: return false;
    }
}

} // namespace

QIcon DrawToolBarImage(UINT commandId)
{
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (!Draw(p, commandId))
        return QIcon();
    p.end();
    return QIcon(pixmap);
}
