// The video compression manager: finds, opens and drives the installed compressors.
#pragma once

#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/vfw_types.h"

#include <cstdint>
#include <functional>
#include <vector>

// fccHandler below 256 is the index of an installed compressor, else its FourCC.
BOOL ICInfo(DWORD fccType, DWORD fccHandler, ICINFO* info);
HIC ICOpen(DWORD fccType, DWORD fccHandler, UINT mode);
LRESULT ICClose(HIC hic);
LRESULT ICGetInfo(HIC hic, ICINFO* info, DWORD bytes);
LRESULT ICSendMessage(HIC hic, UINT message, DWORD_PTR param1, DWORD_PTR param2);

BOOL ICSeqCompressFrameStart(COMPVARS* vars, const BITMAPINFO* input);
LPVOID ICSeqCompressFrame(COMPVARS* vars, UINT flags, LPVOID bits, BOOL* key, LONG* size);
void ICSeqCompressFrameEnd(COMPVARS* vars);

namespace vfw {

// The configure and about boxes are dialogs of the user interface, which installs them here.
// The configure box edits the option values and returns true for OK.
using CompressorConfigureBox =
    std::function<bool(void* parentWindow, const CompressorDescriptor& descriptor, std::vector<int32_t>& values)>;
using CompressorAboutBox = std::function<void(void* parentWindow, const CompressorDescriptor& descriptor)>;
void SetCompressorBoxes(CompressorConfigureBox configure, CompressorAboutBox about);

} // namespace vfw
