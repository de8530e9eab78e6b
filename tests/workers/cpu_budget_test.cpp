#include "workers/cpu_budget.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace {

using namespace workers;

cpu_set_t Mask(std::initializer_list<int> cpus)
{
    cpu_set_t mask;
    CPU_ZERO(&mask);
    for (int cpu : cpus)
        CPU_SET(cpu, &mask);
    return mask;
}

void WriteCpuMax(const std::filesystem::path& folder, const std::string& text)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "cpu.max") << text;
}

} // namespace

TEST(CpuBudget, QuotaTextGivesWholeCpusRoundedUp)
{
    const struct {
        const char* text;
        int cpus;
    } cases[] = {
        {"max 100000\n", 0},
        {"200000 100000\n", 2},
        {"150000 100000", 2},
        {"50000 100000\n", 1},
        {"400000 100000\n", 4},
        {"", 0},
        {"max", 0},
        {"0 100000", 0},
        {"-5 100000", 0},
        {"100000 0", 0},
        {"abc 100000", 0},
        {"100000 100000 7", 0},
        {"99999999999999999999 1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CpusFromQuota(c.text), c.cpus) << '"' << c.text << '"';
}

TEST(CpuBudget, AffinityAndQuotaTakeTheSmaller)
{
    const cpu_set_t eight = Mask({0, 1, 2, 3, 4, 5, 6, 7});
    const cpu_set_t fourScattered = Mask({1, 3, 9, 40});
    const cpu_set_t one = Mask({5});
    const cpu_set_t none = Mask({});
    const struct {
        const cpu_set_t* mask;
        int quota;
        int hardware;
        int cpus;
    } cases[] = {
        {&eight, 0, 8, 8},  {&fourScattered, 0, 64, 4}, {&one, 0, 8, 1},    {&eight, 2, 8, 2},
        {&eight, 16, 8, 8}, {&fourScattered, 3, 64, 3}, {nullptr, 0, 6, 6}, {nullptr, 2, 6, 2},
        {&none, 0, 6, 6},   {nullptr, 0, 0, 1},         {nullptr, 3, 0, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsableCpus(c.mask, c.quota, c.hardware), c.cpus) << "quota " << c.quota << " hardware " << c.hardware;
}

TEST(CpuBudget, FindsTheCgroupAndItsMount)
{
    EXPECT_EQ(CgroupPathOf("12:cpu:/x\n0::/user.slice/run.scope\n"), "/user.slice/run.scope");
    EXPECT_EQ(CgroupPathOf("0::/\n"), "/");
    EXPECT_EQ(CgroupPathOf("4:memory:/a\n1:cpu:/\n"), "");
    EXPECT_EQ(CgroupPathOf(""), "");
    EXPECT_EQ(CgroupMountOf("proc /proc proc rw 0 0\ncgroup2 /sys/fs/cgroup/unified cgroup2 rw 0 0\n"),
              "/sys/fs/cgroup/unified");
    EXPECT_EQ(CgroupMountOf("cgroup /sys/fs/cgroup/cpu cgroup rw,cpu 0 0\nbroken\n"), "");
}

TEST(CpuBudget, TheTightestQuotaOnThePathUpCounts)
{
    TempFolder root;
    const std::filesystem::path mount = root.Path();
    WriteCpuMax(mount / "outer", "300000 100000\n");
    WriteCpuMax(mount / "outer" / "mid", "max 100000\n");
    WriteCpuMax(mount / "outer" / "mid" / "inner", "500000 100000\n");
    WriteCpuMax(mount / "free", "max 100000\n");
    std::filesystem::create_directories(mount / "bare" / "child");
    const struct {
        const char* path;
        int cpus;
    } cases[] = {
        {"/outer/mid/inner", 3}, {"/outer/mid", 3}, {"/outer", 3}, {"/free", 0},
        {"/bare/child", 0},      {"/missing/x", 0}, {"/", 0},      {"/../outer", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CgroupCpuLimit(mount, c.path), c.cpus) << c.path;

    WriteCpuMax(mount, "100000 100000\n");
    EXPECT_EQ(CgroupCpuLimit(mount, "/outer/mid/inner"), 1) << "the mount's own group limits too";
    EXPECT_EQ(CgroupCpuLimit("", "/outer"), 0);
}

TEST(CpuBudget, TheProcessGetsWhatItsAffinityAllows)
{
    cpu_set_t mask;
    ASSERT_EQ(sched_getaffinity(0, sizeof mask, &mask), 0);
    const int cpus = ProcessUsableCpus();
    EXPECT_GE(cpus, 1);
    EXPECT_LE(cpus, CPU_COUNT(&mask));
}
