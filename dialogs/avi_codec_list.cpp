#include "dialogs/avi_codec_list.h"

#include "dialogs/open_compressor.h"
#include "foundation/file_path.h"
#include "platform/vfw/vcm.h"

#include <algorithm>

namespace {

constexpr DWORD_PTR kQueryWindow = static_cast<DWORD_PTR>(-1);

} // namespace

std::vector<ICINFO> AcceptingCompressors(const BITMAPINFOHEADER* input)
{
    std::vector<ICINFO> accepting;
    if (!input)
        return accepting;
    BITMAPINFO format{};
    format.bmiHeader = *input;
    for (DWORD i = 0; i < static_cast<DWORD>(kMaxListedCodecs); ++i) {
        ICINFO listed{};
        if (!ICInfo(ICTYPE_VIDEO, i, &listed))
            break;
        const OpenCompressor compressor(listed);
        if (!compressor.Handle() ||
            ICSendMessage(compressor.Handle(), ICM_COMPRESS_QUERY, reinterpret_cast<DWORD_PTR>(&format), 0) != ICERR_OK)
            continue;
        ICINFO described{};
        if (ICGetInfo(compressor.Handle(), &described, sizeof(ICINFO)) == sizeof(ICINFO))
            accepting.push_back(described);
    }
    return accepting;
}

CodecRows BuildCodecRows(const std::vector<ICINFO>& accepting, FOURCC storedHandler, WORD inputBitCount)
{
    CodecRows rows;
    const size_t count = std::min<size_t>(accepting.size(), kMaxListedCodecs);
    rows.entries.assign(accepting.begin(), accepting.begin() + static_cast<std::ptrdiff_t>(count));
    int preselected = static_cast<int>(count);
    for (size_t i = 0; i < count; ++i) {
        CString text;
        CopyToString(rows.entries[i].szDescription, text);
        rows.texts.push_back(text);
        if (rows.entries[i].fccHandler == storedHandler)
            preselected = static_cast<int>(i);
    }
    if (inputBitCount == 24) {
        ICINFO uncompressed{};
        uncompressed.dwSize = sizeof uncompressed;
        uncompressed.fccType = ICTYPE_VIDEO;
        uncompressed.fccHandler = kFourCCUncompressed;
        rows.entries.push_back(uncompressed);
        rows.texts.push_back(CString(u"UnCompressed(24bit RGB)"));
    }
    rows.selected = preselected < static_cast<int>(rows.entries.size()) ? preselected : -1;
    return rows;
}

CodecControls ControlsFor(const ICINFO& entry)
{
    CodecControls controls;
    const OpenCompressor compressor(entry);
    if (!compressor.Handle())
        return controls;
    controls.opens = true;
    controls.configure = ICSendMessage(compressor.Handle(), ICM_CONFIGURE, kQueryWindow, ICMF_CONFIGURE_QUERY) ==
                         ICERR_OK;
    controls.about = ICSendMessage(compressor.Handle(), ICM_ABOUT, kQueryWindow, ICMF_ABOUT_QUERY) == ICERR_OK;
    controls.quality = (entry.dwFlags & VIDCF_QUALITY) != 0;
    controls.keyFrame = (entry.dwFlags & VIDCF_TEMPORAL) != 0;
    controls.dataRate = (entry.dwFlags & VIDCF_CRUNCH) != 0;
    return controls;
}

ClampedValue ClampTyped(int value, int lo, int hi)
{
    const int clamped = std::clamp(value, lo, hi);
    return {clamped, clamped != value};
}
