// The AVI file interface: files and streams by reference count; the file is complete when its
// last reference goes.
#pragma once

#include "platform/vfw/vfw_types.h"

namespace vfw {
class AviFileObject;
class AviStreamObject;
} // namespace vfw
using PAVIFILE = vfw::AviFileObject*;
using PAVISTREAM = vfw::AviStreamObject*;

void AVIFileInit();
void AVIFileExit();

// Only writing is offered: mode must hold OF_WRITE and OF_CREATE; handler must be null.
HRESULT AVIFileOpenW(PAVIFILE* file, LPCWSTR path, UINT mode, const void* handler);
HRESULT AVIFileCreateStreamW(PAVIFILE file, PAVISTREAM* stream, const AVISTREAMINFOW* info);
ULONG AVIFileRelease(PAVIFILE file);
// Writes the indexes and the final headers and closes the file now, rather than at the last
// Release, which cannot report: AVIERR_FILEWRITE when that failed and the file may be damaged.
// Writes after it fail.
HRESULT AVIFileFinish(PAVIFILE file);

// A stream that compresses what is written to it into source; "DIB " stores frames as they come.
HRESULT AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source, const AVICOMPRESSOPTIONS* options,
                                const void* handler);
HRESULT AVIStreamSetFormat(PAVISTREAM stream, LONG position, const void* format, LONG bytes);
// With format null, *bytes receives the format's size.
HRESULT AVIStreamReadFormat(PAVISTREAM stream, LONG position, void* format, LONG* bytes);
HRESULT AVIStreamWrite(PAVISTREAM stream, LONG start, LONG samples, const void* data, LONG bytes, DWORD flags,
                       LONG* samplesWritten, LONG* bytesWritten);
ULONG AVIStreamRelease(PAVISTREAM stream);
