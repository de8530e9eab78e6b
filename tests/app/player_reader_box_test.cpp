// The boxes an image reader shows reach the user through the running program, in their frame's
// turn, whether the frame was read on the user-interface thread or ahead on a worker.
#include "image/res_img_file.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// A JPEG file of a few hundred bytes whose frame header claims a picture larger than any frame.
void WriteHugeClaimingJpeg(const TempDir& dir, const char16_t* name)
{
    CResImgFile writer;
    DibPtr small(AcquireFrameBlock(nullptr, 16, 16));
    std::fill_n(DibPixels(small.get()), DibRowStride(16) * 16, BYTE{0x40});
    const CString path = dir.Path(name);
    ASSERT_EQ(writer.Save(DibPixels(small.get()), small.get(), path, 90), 1);
    const std::string native = Utf16ToUtf8(path.GetString());
    std::string bytes;
    {
        std::ifstream in(native, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    constexpr int kSide = 20000; // 1.2 GB as a packed DIB
    const size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    bytes[sof + 5] = bytes[sof + 7] = static_cast<char>(kSide >> 8);
    bytes[sof + 6] = bytes[sof + 8] = static_cast<char>(kSide & 0xFF);
    std::ofstream(native, std::ios::binary | std::ios::trunc) << bytes;
}

const QString kOutOfMemory = QStringLiteral("Torvina|JpegFile :\nOut of memory");

class PlayerReaderBoxTest : public PlayerFixture {};

TEST_F(PlayerReaderBoxTest, AFirstImageTooLargeToHoldIsSaidByTheReaderThenByThePlayer)
{
    TempDir dir;
    MakeJpegFolder(dir, 2);
    WriteHugeClaimingJpeg(dir, u"a_huge.jpg");
    ModalScript script;
    std::vector<QString> boxes;
    script.Add("folder", ModalScript::ChoosePath(QString::fromStdString(dir.Native())));
    script.Add("reader", ModalScript::Box(boxes));
    script.Add("player", ModalScript::Box(boxes));
    Command(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], kOutOfMemory);
    EXPECT_TRUE(boxes[1].startsWith(u"Error No.0701|")) << boxes[1].toStdString();
}

TEST_F(PlayerReaderBoxTest, AFrameReadAheadThatCannotBeHeldIsSaidAtItsOwnTurnOnce)
{
    TempDir dir;
    MakeJpegFolder(dir, 6);
    // Sorts between the third and the fourth image.
    WriteHugeClaimingJpeg(dir, u"shotc2.jpg");
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 7);
    m_doc->m_nDispRate = CTorvinaDoc::DisplayAll;
    std::vector<QString> boxes;
    std::vector<int> shownAt;
    script.Add("reader", [&](QWidget* modal) {
        if (!ModalScript::Box(boxes)(modal))
            return false;
        shownAt.push_back(m_view->GetIndex());
        return true;
    });
    script.Add("player", ModalScript::Box(boxes));
    Command(ID_PLAY);
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], kOutOfMemory);
    EXPECT_EQ(boxes[1], QStringLiteral("Error No.0601|Error No.0601\n\nThe picture file doesn't open."));
    // Shown when the run reached the frame, not while the frames before it were shown.
    EXPECT_EQ(shownAt, std::vector<int>{3});
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
}

} // namespace
