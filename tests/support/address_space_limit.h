// Caps a (forked child) process's address space a given room above what it uses now, so a test
// can show that work fits in that room: an allocation beyond it fails as on a full machine.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TORVINA_SHADOW_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TORVINA_SHADOW_MEMORY 1
#endif
#endif

#if defined(__SANITIZE_THREAD__)
#define TORVINA_RESIDENT_SHADOW 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TORVINA_RESIDENT_SHADOW 1
#endif
#endif

// ThreadSanitizer keeps shadow memory resident beside every byte a program touches, several
// times its size, so a resident peak then says little of the program's own memory.
#ifdef TORVINA_RESIDENT_SHADOW
inline constexpr bool kResidentPeakIsTheProgramsOwn = false;
#else
inline constexpr bool kResidentPeakIsTheProgramsOwn = true;
#endif

// The sanitizers reserve shadow memory far beyond any such limit.
#ifdef TORVINA_SHADOW_MEMORY
inline constexpr bool kAddressSpaceLimitWorks = false;
#else
inline constexpr bool kAddressSpaceLimitWorks = true;
#endif

inline uint64_t AddressSpaceInUse()
{
    uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

inline bool LimitAddressSpace(uint64_t room)
{
    const rlim_t bytes = static_cast<rlim_t>(AddressSpaceInUse() + room);
    const rlimit limit{bytes, bytes};
    return setrlimit(RLIMIT_AS, &limit) == 0;
}
