// The decisions behind the AVI compressor dialog's list and buttons, apart from the dialog.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/vfw/vfw_types.h"

#include <vector>

// The list shows at most this many compressors; the uncompressed row has a place of its own.
constexpr int kMaxListedCodecs = 50;

// The installed compressors, in system order and at most kMaxListedCodecs, that accept this
// input format; none without an input format.
std::vector<ICINFO> AcceptingCompressors(const BITMAPINFOHEADER* input);

struct CodecRows {
    std::vector<ICINFO> entries; // one per row; the uncompressed row's handler is "DIB "
    std::vector<CString> texts;
    int selected = -1; // -1: no row
};
// The rows for these compressors: a 24-bit input adds the uncompressed row, which is also chosen
// when no compressor carries the stored handler (a later equal row wins).
CodecRows BuildCodecRows(const std::vector<ICINFO>& accepting, FOURCC storedHandler, WORD inputBitCount);

struct CodecControls {
    bool opens = false;
    bool configure = false;
    bool about = false;
    bool quality = false;
    bool keyFrame = false;
    bool dataRate = false;
};
// What the compressor of this row lets the user change: it is opened, asked and closed.
CodecControls ControlsFor(const ICINFO& entry);

// The edits' clamping while typing: the value within lo..hi, and whether the text must change.
struct ClampedValue {
    int value;
    bool rewrite;
};
ClampedValue ClampTyped(int value, int lo, int hi);
