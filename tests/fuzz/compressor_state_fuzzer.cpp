// A stored compressor state: the first byte picks the compressor, the rest is the state block.
// A block the compressor takes comes back as itself; a refused one changes nothing.
#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/vcm.h"
#include "tests/fuzz/fuzz_support.h"

#include <vector>

namespace {

std::vector<uint8_t> StateOf(HIC hic)
{
    std::vector<uint8_t> block(static_cast<size_t>(ICSendMessage(hic, ICM_GETSTATE, 0, 0)));
    const LRESULT written = ICSendMessage(hic, ICM_GETSTATE, reinterpret_cast<DWORD_PTR>(block.data()), block.size());
    fuzz::Check(written == static_cast<LRESULT>(block.size()), "a state block is written whole");
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    const auto& installed = vfw::InstalledCompressors();
    if (size == 0 || installed.empty())
        return 0;
    HIC hic = ICOpen(ICTYPE_VIDEO, installed[data[0] % installed.size()]->fourcc, ICMODE_COMPRESS);
    fuzz::Check(hic != nullptr, "an installed compressor opens");
    const std::vector<uint8_t> before = StateOf(hic);
    const std::vector<uint8_t> block(data + 1, data + size);
    const LRESULT taken = ICSendMessage(hic, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(block.data()), block.size());
    if (taken == 0)
        fuzz::Check(StateOf(hic) == before, "a refused state block changes nothing");
    else
        fuzz::Check(taken == static_cast<LRESULT>(block.size()) && StateOf(hic) == block,
                    "a taken state block comes back as itself");
    ICClose(hic);
    return 0;
}
