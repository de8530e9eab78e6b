// A folder of 16-bit TIFF files through the program: listed as TIF input, previewed, and
// converted to AVI files whose frames hold the high bytes of the samples.
#include "dialogs/avi_set_dlg.h"
#include "platform/vfw/vfw_types.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/support/decoded_video.h"
#include "tests/support/tiff16_file.h"
#include "tests/support/window_widget.h"

#include <QImage>

namespace {

constexpr int kWidth = kPlayerWidth;
constexpr int kHeight = kPlayerHeight;
constexpr int kCount = 6;

// Sample c (red, green, blue) of pixel (x, y), top row first, of picture i: a smooth high byte
// and a low byte that differs from it everywhere.
uint16_t Sample(int x, int y, int c, int i)
{
    const int high = 2 * x + y + 20 * c + 4 * i;
    const int low = (high + 128 + 37 * x) & 0xFF;
    return static_cast<uint16_t>(high << 8 | low);
}

void WriteTiff16(const std::string& path, int i)
{
    ASSERT_TRUE(::WriteTiff16(path, kWidth, kHeight, [i](int x, int y, int c) { return Sample(x, y, c, i); }));
}

// Picture i as the decoder gives it back: blue, green, red bytes, top row first.
std::vector<uint8_t> ExpectedFrame(int i)
{
    std::vector<uint8_t> frame;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 2; c >= 0; --c)
                frame.push_back(static_cast<uint8_t>(Sample(x, y, c, i) >> 8));
    return frame;
}

class PlayerTiffTest : public PlayerFixture {};

TEST_F(PlayerTiffTest, FolderOfSixteenBitTiffsConvertsFromTheHighBytesOfTheSamples)
{
    TempDir dir;
    for (int i = 0; i < kCount; ++i)
        WriteTiff16(dir.Native() + "/deep" + std::to_string(i) + ".tif", i);
    ModalScript script;
    Command(ID_INPUT_TIF);
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), kCount);
    EXPECT_EQ(m_doc->m_bihSource.biBitCount, 24);
    EXPECT_EQ(m_doc->m_bihOutput.biBitCount, 24);

    struct Run {
        FOURCC handler;
        const char* file;
        double psnrFloor; // 0: the pixels come back exactly
    };
    const Run runs[] = {
        {mmioFOURCC('D', 'I', 'B', ' '), "dib.avi", 0},
        {mmioFOURCC('M', 'J', 'P', 'G'), "mjpg.avi", 30},
    };
    Command(ID_MAKE_AVI);
    for (const Run& run : runs) {
        m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(run.handler);
        const std::string path = dir.Native() + "/" + run.file;
        std::vector<QString> boxes;
        script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(path)));
        script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
        script.Add("saved", ModalScript::Box(boxes));
        Command(ID_PLAY);
        ASSERT_TRUE(script.Left().empty()) << script.Left().front();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].contains(u"It preserved it in the following files.")) << boxes[0].toStdString();

        const DecodedVideo video = DecodeVideo(path);
        ASSERT_EQ(video.frames.size(), static_cast<size_t>(kCount)) << run.file;
        EXPECT_EQ(video.width, kWidth);
        EXPECT_EQ(video.height, kHeight);
        for (int i = 0; i < kCount; ++i) {
            if (run.psnrFloor == 0)
                EXPECT_EQ(video.frames[i], ExpectedFrame(i)) << run.file << " frame " << i;
            else
                EXPECT_GE(Psnr(video.frames[i], ExpectedFrame(i)), run.psnrFloor) << run.file << " frame " << i;
        }
    }

    // The preview shows the last picture at 100 % from (10, 25).
    const QImage shot = WidgetOf(m_view)->grab().toImage();
    const std::vector<uint8_t> last = ExpectedFrame(kCount - 1);
    for (int y = 0; y < kHeight; y += 7)
        for (int x = 0; x < kWidth; x += 9) {
            const uint8_t* bgr = &last[3 * (static_cast<size_t>(y) * kWidth + x)];
            ASSERT_EQ(shot.pixel(10 + x, 25 + y), qRgb(bgr[2], bgr[1], bgr[0])) << x << "," << y;
        }
}

} // namespace
