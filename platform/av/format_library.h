// libavformat, opened the first time a container is written: only the WMV files need it, and it
// brings some thirty libraries of its own (network, TLS, remote protocols) that every other run
// would carry in memory for nothing.
#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

namespace av {

struct FormatLibrary {
    decltype(&avformat_alloc_output_context2) allocOutputContext;
    decltype(&avformat_free_context) freeContext;
    decltype(&avio_open) openIo;
    decltype(&avio_closep) closeIo;
    decltype(&avformat_new_stream) newStream;
    decltype(&avformat_write_header) writeHeader;
    decltype(&av_interleaved_write_frame) writeFrame;
    decltype(&av_write_trailer) writeTrailer;
};

// Opened once for the whole process; null, with the cause logged, when the library is missing.
const FormatLibrary* OpenFormatLibrary();

} // namespace av
