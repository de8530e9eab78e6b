// The preview as a person sees it: at every zoom, output size, clip and window size the view
// shows exactly the picture drawn whole at (10, 25), cut by the window, whether it was painted
// by the window or drawn by the run outside painting.
#include "image/packed_dib.h"
#include "image/res_img_file.h"
#include "platform/afx/cdc.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/support/qt_app.h"
#include "tests/support/window_widget.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// Odd sizes, so rows end in padding and no zoom divides evenly.
constexpr int kSourceWidth = 97;
constexpr int kSourceHeight = 61;
constexpr QRgb kBackground = 0xFF808080u;
constexpr int kPreviewLeft = 10;
constexpr int kPreviewTop = 25;
constexpr int kSliderHeight = 30;

// Every pixel differs from its neighbours, so a column or row taken one off shows.
QRgb SourcePixel(int x, int y) { return qRgb(200 - y, y * 4, x * 2); }

void WriteSourceBmp(const TempDir& dir)
{
    DibPtr frame(AcquireFrameBlock(nullptr, kSourceWidth, kSourceHeight));
    BYTE* bits = DibPixels(frame.get());
    for (int y = 0; y < kSourceHeight; ++y)
        for (int x = 0; x < kSourceWidth; ++x) {
            BYTE* p = bits + DibRowStride(kSourceWidth) * (kSourceHeight - 1 - y) + 3 * x;
            const QRgb c = SourcePixel(x, y);
            p[0] = static_cast<BYTE>(qBlue(c));
            p[1] = static_cast<BYTE>(qGreen(c));
            p[2] = static_cast<BYTE>(qRed(c));
        }
    ASSERT_EQ(CResImgFile().Save(bits, frame.get(), dir.Path(u"frame.bmp"), 0), 1);
}

struct PreviewCase {
    const char* name;
    int outputWidth, outputHeight;
    RECT clip;
    UINT zoomCommand;
    int wheelNotchesUp; // after the zoom command
    int frameWidth, frameHeight;
};

class PlayerPreviewTest : public PlayerFixture {
protected:
    // The picture drawn whole, then cut by the client area above the slider strip.
    // Returns the number of differing pixels and describes the first in firstMiss.
    int CountMisses(const QImage& shown, const PreviewCase& c, std::string& firstMiss)
    {
        const double zoom = m_view->GetZoom();
        const int64_t fullWidth = static_cast<int64_t>(c.outputWidth * zoom);
        const int64_t fullHeight = static_cast<int64_t>(c.outputHeight * zoom);
        const int64_t clipWidth = c.clip.right - c.clip.left;
        const int64_t clipHeight = c.clip.bottom - c.clip.top;
        CRect client;
        m_view->GetClientRect(&client);
        int misses = 0;
        for (int y = kPreviewTop; y < client.Height() - kSliderHeight; ++y)
            for (int x = 0; x < client.Width(); ++x) {
                const int64_t dx = x - kPreviewLeft;
                const int64_t dy = y - kPreviewTop;
                QRgb expected = kBackground;
                if (dx >= 0 && dx < fullWidth && dy < fullHeight)
                    expected = SourcePixel(static_cast<int>(c.clip.left + dx * clipWidth / fullWidth),
                                           static_cast<int>(c.clip.top + dy * clipHeight / fullHeight));
                const QRgb got = shown.pixel(x, y) | 0xFF000000u;
                if (got != expected && misses++ == 0)
                    firstMiss = "at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        return misses;
    }
};

TEST_F(PlayerPreviewTest, PreviewEqualsTheWholePictureCutByTheWindow)
{
    TempDir dir;
    WriteSourceBmp(dir);
    Command(ID_INPUT_BMP);
    m_view->SetInputFolder(dir.Path());
    ASSERT_EQ(m_view->GetImages().GetSize(), 1);
    ASSERT_EQ(m_doc->m_bihSource.biWidth, kSourceWidth);

    const RECT whole{0, 0, kSourceWidth, kSourceHeight};
    const PreviewCase cases[] = {
        {"the source at 100 %", kSourceWidth, kSourceHeight, whole, ID_ZOOM_100, 0, 640, 480},
        {"a smaller output of a clip", 60, 40, RECT{5, 3, 92, 58}, ID_ZOOM_100, 0, 640, 480},
        {"400 % cut on the right and at the bottom", kSourceWidth, kSourceHeight, whole, ID_ZOOM_400, 0, 330, 300},
        {"800 % of an uneven output cut by a small window", 71, 45, RECT{2, 1, 95, 60}, ID_ZOOM_400, 1, 360, 280},
        {"150 % of a clip cut on the right", kSourceWidth, kSourceHeight, RECT{11, 7, 80, 50}, ID_ZOOM_150, 0, 200,
         400},
        {"25 %", kSourceWidth, kSourceHeight, whole, ID_ZOOM_25, 0, 640, 480},
        {"1/64 of a huge output", 50000, 30000, whole, ID_ZOOM_25, -4, 500, 400},
        {"64 times, one source pixel fills the window", 3000, 2000, RECT{40, 30, 97, 61}, ID_ZOOM_400, 4, 500, 400},
    };
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame->MoveWindow(0, 0, c.frameWidth, c.frameHeight);
        m_doc->m_bihOutput.biWidth = c.outputWidth;
        m_doc->m_bihOutput.biHeight = c.outputHeight;
        m_doc->m_rcClip = c.clip;
        m_view->SendMessage(WM_COMMAND, ID_DISPLAY, 0);
        Command(c.zoomCommand);
        for (int i = 0; i < std::abs(c.wheelNotchesUp); ++i)
            m_view->OnMouseWheel(0, c.wheelNotchesUp > 0 ? 120 : -120, CPoint());
        ProcessEvents();

        std::string firstMiss;
        EXPECT_EQ(CountMisses(WidgetOf(m_view)->grab().toImage(), c, firstMiss), 0) << "painted, first " << firstMiss;
        // The run draws outside painting, over what was there: it reaches the screen at once.
        {
            CClientDC dc(m_view);
            const double zoom = m_view->GetZoom();
            dc.FillSolidRect(kPreviewLeft, kPreviewTop, static_cast<int>(std::min(c.outputWidth * zoom, 4000.0)),
                             static_cast<int>(std::min(c.outputHeight * zoom, 4000.0)), RGB(1, 2, 3));
        }
        m_view->DrawFrame();
        m_view->DrawStatus();
        EXPECT_EQ(CountMisses(OnScreen(m_view), c, firstMiss), 0) << "drawn by the run, first " << firstMiss;
    }
}

} // namespace
