#include "resources/version_info.h"

#include <array>
#include <cstring>

namespace {

constexpr size_t kFixedInfoOffset = 40;
constexpr size_t kBlockSize = kFixedInfoOffset + sizeof(VS_FIXEDFILEINFO);
constexpr DWORD VFT_APP = 1;

void PutWord(std::array<BYTE, kBlockSize>& block, size_t offset, WORD value)
{
    block[offset] = static_cast<BYTE>(value);
    block[offset + 1] = static_cast<BYTE>(value >> 8);
}

std::array<BYTE, kBlockSize> BuildBlock()
{
    std::array<BYTE, kBlockSize> block{};
    PutWord(block, 0, static_cast<WORD>(kBlockSize));
    PutWord(block, 2, static_cast<WORD>(sizeof(VS_FIXEDFILEINFO)));
    PutWord(block, 4, 0); // binary data
    const char16_t key[] = u"VS_VERSION_INFO";
    for (size_t i = 0; i < std::size(key); ++i)
        PutWord(block, 6 + 2 * i, key[i]);
    const DWORD versionMS = MAKELONG(TORVINA_VERSION_MINOR, TORVINA_VERSION_MAJOR);
    const DWORD versionLS = MAKELONG(TORVINA_VERSION_TWEAK, TORVINA_VERSION_PATCH);
    const VS_FIXEDFILEINFO info{VS_FFI_SIGNATURE, 0x00010000, versionMS, versionLS, versionMS, versionLS, 0x3F, 0, 0,
                                VFT_APP,          0,          0,         0};
    // The block is little-endian, as the machine is.
    std::memcpy(block.data() + kFixedInfoOffset, &info, sizeof info);
    return block;
}

const std::array<BYTE, kBlockSize> kBlock = BuildBlock();

} // namespace

std::span<const BYTE> VersionResourceBlock() { return kBlock; }
