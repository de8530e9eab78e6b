#include "workers/cpu_budget.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace workers {
namespace {

std::string ReadSmallFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool ParseNumber(std::string_view text, long long& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::string_view Line(std::string_view& text)
{
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

} // namespace

int CpusFromQuota(std::string_view cpuMax)
{
    while (!cpuMax.empty() && (cpuMax.back() == '\n' || cpuMax.back() == ' '))
        cpuMax.remove_suffix(1);
    const size_t space = cpuMax.find(' ');
    if (space == std::string_view::npos)
        return 0;
    long long quota = 0;
    long long period = 0;
    if (!ParseNumber(cpuMax.substr(0, space), quota) || !ParseNumber(cpuMax.substr(space + 1), period) || quota <= 0 ||
        period <= 0)
        return 0;
    const long long cpus = (quota + period - 1) / period;
    return static_cast<int>(std::min<long long>(cpus, 1 << 20));
}

std::string_view CgroupPathOf(std::string_view procSelfCgroup)
{
    while (!procSelfCgroup.empty()) {
        const std::string_view line = Line(procSelfCgroup);
        if (line.starts_with("0::"))
            return line.substr(3);
    }
    return {};
}

std::string_view CgroupMountOf(std::string_view procMounts)
{
    while (!procMounts.empty()) {
        // device mount-point type options ...
        std::string_view line = Line(procMounts);
        const size_t first = line.find(' ');
        if (first == std::string_view::npos)
            continue;
        line.remove_prefix(first + 1);
        const size_t second = line.find(' ');
        if (second == std::string_view::npos)
            continue;
        if (line.substr(second + 1).starts_with("cgroup2 "))
            return line.substr(0, second);
    }
    return {};
}

int CgroupCpuLimit(const std::filesystem::path& mount, std::string_view cgroupPath)
{
    if (mount.empty())
        return 0;
    std::filesystem::path relative = std::filesystem::path(cgroupPath).relative_path().lexically_normal();
    if (!relative.empty() && *relative.begin() == "..")
        return 0;
    int limit = 0;
    for (;;) {
        const int cpus = CpusFromQuota(ReadSmallFile(mount / relative / "cpu.max"));
        if (cpus > 0)
            limit = limit > 0 ? std::min(limit, cpus) : cpus;
        if (relative.empty() || relative == ".")
            return limit;
        relative = relative.parent_path();
    }
}

int UsableCpus(const cpu_set_t* affinity, int quotaCpus, int hardwareThreads)
{
    int cpus = hardwareThreads;
    if (affinity) {
        const int allowed = CPU_COUNT(affinity);
        if (allowed > 0)
            cpus = allowed;
    }
    if (quotaCpus > 0 && (cpus <= 0 || quotaCpus < cpus))
        cpus = quotaCpus;
    return std::max(cpus, 1);
}

int ProcessUsableCpus()
{
    static const int cpus = [] {
        cpu_set_t mask;
        CPU_ZERO(&mask);
        const bool haveMask = sched_getaffinity(0, sizeof mask, &mask) == 0;
        const std::string mounts = ReadSmallFile("/proc/self/mounts");
        const std::string cgroup = ReadSmallFile("/proc/self/cgroup");
        const int quota = CgroupCpuLimit(std::string(CgroupMountOf(mounts)), CgroupPathOf(cgroup));
        return UsableCpus(haveMask ? &mask : nullptr, quota, static_cast<int>(std::thread::hardware_concurrency()));
    }();
    return cpus;
}

} // namespace workers
