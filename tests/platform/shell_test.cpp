#include "platform/win/shell.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

INT_PTR Open(LPCWSTR verb, LPCWSTR file, LPCWSTR parameters = nullptr)
{
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb, file, parameters, nullptr, 1));
}

// An opener first on PATH that exits with the code named by FAKE_XDG_EXIT.
class ShellTest : public ::testing::Test {
protected:
    ShellTest() : m_path("PATH", m_folder.Path().c_str())
    {
        WriteFileText(m_folder / "xdg-open", "#!/bin/sh\nexit \"$FAKE_XDG_EXIT\"\n");
        chmod((m_folder / "xdg-open").c_str(), 0755);
    }
    TempFolder m_folder;
    ScopedEnv m_path;
};

} // namespace

TEST_F(ShellTest, TheOpenersOutcomeBecomesTheResult)
{
    {
        ScopedEnv code("FAKE_XDG_EXIT", "0");
        EXPECT_GT(Open(u"open", u"/some/file"), 32);
        EXPECT_GT(Open(nullptr, u"/some/file"), 32);
        EXPECT_GT(Open(u"explore", u"/some"), 32);
    }
    {
        ScopedEnv code("FAKE_XDG_EXIT", "2");
        EXPECT_EQ(Open(u"open", u"/missing"), SE_ERR_FNF);
    }
    {
        ScopedEnv code("FAKE_XDG_EXIT", "3");
        EXPECT_EQ(Open(u"open", u"/no/handler"), SE_ERR_NOASSOC);
    }
}

TEST_F(ShellTest, WhatCannotBeOpenedFailsWithoutRunningAnything)
{
    ScopedEnv code("FAKE_XDG_EXIT", "0");
    EXPECT_EQ(Open(u"print", u"/some/file"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(u"open", u"/some/file", u"--flag"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(u"open", u""), SE_ERR_FNF);
    ScopedEnv nowhere("PATH", "/nonexistent");
    EXPECT_LE(Open(u"open", u"/some/file"), 32);
}
