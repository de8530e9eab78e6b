#include "platform/win/file_handle.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileHandle, ReadsARegularFileWholeAndTellsItsTypeAndSize)
{
    TempDir dir;
    dir.WriteFile(u"data.bin", 10);
    HANDLE file = CreateFileW(dir.Path(u"data.bin"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileType(file), FILE_TYPE_DISK);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(file, &high), 10u);
    EXPECT_EQ(high, 0u);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 10u);
    EXPECT_EQ(std::string(buffer), std::string(10, 'x'));
    EXPECT_TRUE(CloseHandle(file));
}

TEST(FileHandle, MissingFilesFoldersAndPipes)
{
    TempDir dir;
    EXPECT_EQ(CreateFileW(dir.Path(u"missing"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileW(dir.Path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    ASSERT_EQ(mkfifo((dir.Native() + "/pipe").c_str(), 0600), 0);
    HANDLE pipe = CreateFileW(dir.Path(u"pipe"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileType(pipe), FILE_TYPE_PIPE);
    EXPECT_TRUE(CloseHandle(pipe));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}
