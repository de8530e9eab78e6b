// One output file of the conversion benchmark: the writer the application drives for it.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/types.h"

#include <memory>
#include <string>

struct ConvertOptions {
    std::string input;
    std::string type = "jpg";
    std::string out;
    std::string codec;     // FourCC; empty keeps the writer's own choice
    int quality = -1;      // 0..100; -1 keeps the writer's own
    int width = 0;         // 0: the source size
    int height = 0;
    bool clip = false;
    RECT clipRect{};
    DWORD rate = 299700;   // frames per second times 10000
    std::string profile;   // WMV: V4:N, V7:N, V8:N or PRX:PATH
    bool twoPass = false;  // WMV with a profile file: analysis pass first
};

class ConvertOutput {
public:
    virtual ~ConvertOutput() = default;
    // 0 or an error number, as the writers report them.
    virtual int Create(CString path, const BITMAPINFOHEADER& header, DWORD rate) = 0;
    // How many times the frames are given, asked after Create.
    virtual int Passes() { return 1; }
    virtual int WriteFrame(const void* bits) = 0;
    // After the last frame of each pass; non-zero stops the run.
    virtual int EndPass() { return 0; }
    virtual void Close() = 0;
};

// The writer for the output's extension, set up from the options; null for an unknown one.
std::unique_ptr<ConvertOutput> MakeConvertOutput(const ConvertOptions& options);

std::unique_ptr<ConvertOutput> MakeAviOutput(const ConvertOptions& options);
// Null when the options name no profile.
std::unique_ptr<ConvertOutput> MakeWmvOutput(const ConvertOptions& options);
