// A configuration chosen in a compressor's generated box reaches the encoded file of the next
// run, and the next start of the program.
#include "dialogs/avi_set_dlg.h"

#include "platform/vfw/compressor_boxes.h"
#include "platform/vfw/vcm.h"
#include "platform/win/text.h"
#include "tests/dialogs/encoder_dialog_test_support.h"
#include "tests/support/decoded_video.h"
#include "tests/support/path_text.h"
#include "tests/support/test_support.h"
#include "writers/enc_avi2.h"

#include <filesystem>

using vfw::CompressorOptionControlId;
using vfw::IDC_COMPRESSOR_DEFAULTS;
using vfw::InstallCompressorBoxes;
using vfw::SetCompressorBoxes;

namespace {

constexpr int IDC_CODEC = 42025, IDC_CONFIGURE = 42043;
constexpr int kWidth = 96, kHeight = 64, kFrames = 4;
constexpr FOURCC kMpng = mmioFOURCC('M', 'P', 'N', 'G');

// One run of the AVI writer with its own setting; the file's size.
uintmax_t WriteRun(CEncAVI2& writer, const std::string& path)
{
    const BITMAPINFOHEADER header = MakeDibHeader(kWidth, kHeight);
    EXPECT_EQ(writer.Create(PathOf(path), &header, 299700), 0);
    for (int i = 0; i < kFrames; ++i)
        EXPECT_EQ(writer.WriteFrame(MakeDibFrame(kWidth, kHeight, i).data()), 0);
    writer.Close();
    return std::filesystem::file_size(path);
}

void ExpectSourcePictures(const std::string& path)
{
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.codecTag, kMpng);
    ASSERT_EQ(video.frames.size(), static_cast<size_t>(kFrames));
    for (int i = 0; i < kFrames; ++i)
        EXPECT_EQ(video.frames[static_cast<size_t>(i)], TopDownRows(MakeDibFrame(kWidth, kHeight, i), kWidth, kHeight))
            << i;
}

class CompressorConfigurationRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        InstallCompressorBoxes();
    }
    void TearDown() override { SetCompressorBoxes({}, {}); }

    std::string File(const char* name) const { return m_folder.Path() + "/" + name; }

    TempConfigHome m_home;
    TempFolder m_folder;
};

TEST_F(CompressorConfigurationRunTest, TheGeneratedBoxChangesTheNextRunAndSurvivesARestart)
{
    uintmax_t defaultSize = 0;
    {
        CEncAVI2 writer;
        writer.GetSetting()->SetHandler(kMpng);
        defaultSize = WriteRun(writer, File("default.avi"));
    }

    uintmax_t configuredSize = 0;
    {
        CEncAVI2 writer;
        const BITMAPINFOHEADER input = MakeDibHeader(kWidth, kHeight);
        WithDialog<CAVISetDlg>([](CAVISetDlg& d) {
            auto* combo = static_cast<QComboBox*>(WidgetOf(d.GetDlgItem(IDC_CODEC)));
            ChooseRow(d, IDC_CODEC, combo->findText(QStringLiteral("Motion PNG lossless")));
            WhenModal([] {
                CWnd* box = ShowingDialogWith(IDC_COMPRESSOR_DEFAULTS);
                ASSERT_NE(box, nullptr);
                // No deflate compression at all.
                box->GetDlgItem(CompressorOptionControlId(1))->SetWindowText(u"0");
                Click(*box, IDOK);
            });
            Click(d, IDC_CONFIGURE);
            Click(d, IDOK);
        });
        ASSERT_EQ(EditAviSettings(&input, writer.GetSetting(), nullptr), 0);
        configuredSize = WriteRun(writer, File("configured.avi"));
    }

    uintmax_t restartedSize = 0;
    {
        CEncAVI2 writer;
        EXPECT_EQ(writer.GetSetting()->GetHandler(), kMpng);
        restartedSize = WriteRun(writer, File("restarted.avi"));
    }

    // Stored deflate blocks make the file larger than the default level's.
    EXPECT_GT(configuredSize, defaultSize + defaultSize / 2);
    EXPECT_EQ(restartedSize, configuredSize);
    for (const char* name : {"default.avi", "configured.avi", "restarted.avi"}) {
        SCOPED_TRACE(name);
        ExpectSourcePictures(File(name));
    }
}

} // namespace
