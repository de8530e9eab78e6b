#include "platform/vfw/vcm.h"

#include "platform/vfw/compressor_instance.h"

#include <cstring>

namespace {

vfw::CompressorConfigureBox& ConfigureBox()
{
    static vfw::CompressorConfigureBox box;
    return box;
}

vfw::CompressorAboutBox& AboutBox()
{
    static vfw::CompressorAboutBox box;
    return box;
}

const vfw::CompressorDescriptor* DescriptorFor(DWORD fccType, DWORD fccHandler)
{
    if (fccType != ICTYPE_VIDEO && fccType != 0)
        return nullptr;
    const auto& installed = vfw::InstalledCompressors();
    if (fccHandler < 256)
        return fccHandler < installed.size() ? installed[fccHandler] : nullptr;
    return vfw::FindInstalledCompressor(fccHandler);
}

const DWORD_PTR kQueryWindow = static_cast<DWORD_PTR>(-1);

} // namespace

BOOL ICInfo(DWORD fccType, DWORD fccHandler, ICINFO* info)
{
    const vfw::CompressorDescriptor* descriptor = DescriptorFor(fccType, fccHandler);
    if (!descriptor || !info)
        return FALSE;
    vfw::CompressorInstance(*descriptor).FillInfo(*info);
    return TRUE;
}

HIC ICOpen(DWORD fccType, DWORD fccHandler, UINT mode)
{
    if (fccHandler < 256 || !(mode & (ICMODE_COMPRESS | ICMODE_QUERY)))
        return nullptr;
    const vfw::CompressorDescriptor* descriptor = DescriptorFor(fccType, fccHandler);
    return descriptor ? new vfw::CompressorInstance(*descriptor) : nullptr;
}

LRESULT ICClose(HIC hic)
{
    delete hic;
    return ICERR_OK;
}

LRESULT ICGetInfo(HIC hic, ICINFO* info, DWORD bytes)
{
    return ICSendMessage(hic, ICM_GETINFO, reinterpret_cast<DWORD_PTR>(info), bytes);
}

LRESULT ICSendMessage(HIC hic, UINT message, DWORD_PTR param1, DWORD_PTR param2)
{
    if (!hic)
        return ICERR_BADHANDLE;
    switch (message) {
    case ICM_GETSTATE:
        if (!param1)
            return hic->StateSize();
        return hic->GetState(reinterpret_cast<void*>(param1), static_cast<DWORD>(param2));
    case ICM_SETSTATE:
        if (!param1) {
            hic->ResetState();
            return 0;
        }
        return hic->SetState(reinterpret_cast<const void*>(param1), static_cast<DWORD>(param2));
    case ICM_GETINFO: {
        auto* info = reinterpret_cast<ICINFO*>(param1);
        if (!info || param2 < sizeof(ICINFO))
            return 0;
        hic->FillInfo(*info);
        return sizeof(ICINFO);
    }
    case ICM_COMPRESS_QUERY: {
        const auto* input = reinterpret_cast<const BITMAPINFO*>(param1);
        return input && hic->Query(&input->bmiHeader) ? ICERR_OK : ICERR_BADFORMAT;
    }
    case ICM_COMPRESS_FRAMES_INFO: {
        const auto* info = reinterpret_cast<const ICCOMPRESSFRAMES*>(param1);
        if (!info)
            return ICERR_BADPARAM;
        hic->SetQuality(info->lQuality);
        hic->SetKeyRate(info->lKeyRate);
        hic->SetFrameRate(info->dwRate, info->dwScale);
        return ICERR_OK;
    }
    case ICM_GETDEFAULTQUALITY:
        if (!param1)
            return ICERR_BADPARAM;
        *reinterpret_cast<DWORD*>(param1) = vfw::kDefaultCompressorQuality;
        return ICERR_OK;
    case ICM_CONFIGURE:
        if (!ConfigureBox() || hic->Descriptor().options.empty())
            return ICERR_UNSUPPORTED;
        if (param1 == kQueryWindow)
            return ICERR_OK;
        {
            // A cancelled box leaves the compressor's settings as they were.
            std::vector<int32_t> values = hic->OptionValues();
            if (!ConfigureBox()(reinterpret_cast<void*>(param1), hic->Descriptor(), values))
                return ICERR_CANCEL;
            return hic->SetOptionValues(values) ? ICERR_OK : ICERR_BADPARAM;
        }
    case ICM_ABOUT:
        if (!AboutBox())
            return ICERR_UNSUPPORTED;
        if (param1 == kQueryWindow)
            return ICERR_OK;
        AboutBox()(reinterpret_cast<void*>(param1), hic->Descriptor());
        return ICERR_OK;
    default: return ICERR_UNSUPPORTED;
    }
}

BOOL ICSeqCompressFrameStart(COMPVARS* vars, const BITMAPINFO* input)
{
    if (!vars || !vars->hic || !input)
        return FALSE;
    vars->hic->SetQuality(vars->lQ);
    vars->hic->SetKeyRate(vars->lKey);
    if (!vars->hic->Begin(&input->bmiHeader))
        return FALSE;
    vars->lFrame = 0;
    vars->lKeyCount = 0;
    return TRUE;
}

LPVOID ICSeqCompressFrame(COMPVARS* vars, UINT, LPVOID bits, BOOL* key, LONG* size)
{
    if (!vars || !vars->hic || !vars->hic->IsBegun())
        return nullptr;
    const uint8_t* data = nullptr;
    size_t bytes = 0;
    bool isKey = false;
    if (!vars->hic->Compress(bits, &data, &bytes, &isKey) || bytes > 0x7FFFFFFF)
        return nullptr;
    if (key)
        *key = isKey ? TRUE : FALSE;
    if (size)
        *size = static_cast<LONG>(bytes);
    ++vars->lFrame;
    vars->lKeyCount = isKey ? 0 : vars->lKeyCount + 1;
    return const_cast<uint8_t*>(data);
}

void ICSeqCompressFrameEnd(COMPVARS* vars)
{
    if (vars && vars->hic)
        vars->hic->End();
}

void vfw::SetCompressorBoxes(vfw::CompressorConfigureBox configure, vfw::CompressorAboutBox about)
{
    ConfigureBox() = std::move(configure);
    AboutBox() = std::move(about);
}
