// The compressors' configuration and about boxes: one dialog generated from a compressor's
// option list, and one that names the library behind it. Texts follow the system language.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/vfw/compressor_catalogue.h"
#include "platform/win/ui_types.h"

#include <cstdint>
#include <vector>

namespace vfw {

// Makes these the boxes every compressor shows (ICM_CONFIGURE, ICM_ABOUT).
void InstallCompressorBoxes();

// Edits the option values in a modal box; true after OK, false (values untouched) otherwise.
bool ShowCompressorConfigureBox(HWND parent, const CompressorDescriptor& descriptor, std::vector<int32_t>& values);
void ShowCompressorAboutBox(HWND parent, const CompressorDescriptor& descriptor);
// The control that edits option i in the configuration box: a list, a check box or a number.
int CompressorOptionControlId(size_t option);
constexpr int IDC_COMPRESSOR_DEFAULTS = 1001;

// What the about box says of the library that encodes for this compressor.
struct CompressorLibrary {
    CString encoder; // the encoder's own name
    CString library; // the library and its version
    CString licence;
};
CompressorLibrary DescribeCompressorLibrary(const CompressorDescriptor& descriptor);

} // namespace vfw
