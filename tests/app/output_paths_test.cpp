#include "app/output_paths.h"

#include "platform/afx/carray.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Two listed images, and around them the ways a path can name one of them without its own name.
class OutputPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.Valid());
        m_dir.MakeFolder(u"in");
        m_dir.MakeFolder(u"sub");
        for (const char16_t* name : {u"in/0001.jpg", u"in/0002.jpg"}) {
            m_dir.WriteFile(name, 10);
            m_inputs.Add(m_dir.Path(name));
        }
        m_dir.WriteFile(u"other.avi", 10);
        const std::filesystem::path root(m_dir.Native());
        std::filesystem::create_symlink(root / "in/0001.jpg", root / "link.jpg");
        std::filesystem::create_directory_symlink(root / "in", root / "in_link");
        std::filesystem::create_hard_link(root / "in/0002.jpg", root / "hard.avi");
        std::filesystem::create_symlink(root / "in/gone.jpg", root / "dangling.avi");
    }

    TempDir m_dir;
    CStringArray m_inputs;
};

TEST_F(OutputPathsTest, AnOutputNamingAListedImageIsRefusedWhateverItsSpelling)
{
    struct Case {
        const char16_t* output;
        int expected;
    };
    const Case cases[] = {
        {u"in/0001.jpg", kErrorOutputIsInput},
        {u"in/./0002.jpg", kErrorOutputIsInput},
        {u"sub/../in/0001.jpg", kErrorOutputIsInput},
        {u"link.jpg", kErrorOutputIsInput},
        {u"in_link/0002.jpg", kErrorOutputIsInput},
        {u"hard.avi", kErrorOutputIsInput},
        // The file it would create: the missing folder's ".." step lands on an image.
        {u"missing/../in/0001.jpg", kErrorOutputIsInput},
        {u"in/new.avi", 0},
        {u"other.avi", 0},
        {u"sub/../other.avi", 0},
        {u"dangling.avi", 0},
        {u"missing/new.avi", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckOutputPath(m_dir.Path(c.output), m_inputs, CString()), c.expected)
            << Utf16ToUtf8(std::u16string(c.output));
}

TEST_F(OutputPathsTest, TheSecondOutputOnTheFirstIsRefusedBeforeTheImagesAreLookedAt)
{
    struct Case {
        const char16_t* first;
        const char16_t* second;
        int expected;
    };
    const Case cases[] = {
        {u"new.avi", u"sub/../new.avi", kErrorOutputsSamePath},
        {u"other.avi", u"./other.avi", kErrorOutputsSamePath},
        {u"in/0001.jpg", u"link.jpg", kErrorOutputsSamePath},
        {u"new.avi", u"new.wmv", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckOutputPath(m_dir.Path(c.second), m_inputs, m_dir.Path(c.first)), c.expected)
            << Utf16ToUtf8(std::u16string(c.second));
    EXPECT_EQ(CheckOutputPath(m_dir.Path(u"new.wmv"), m_inputs, CString()), 0) << "no first output";
}

} // namespace
