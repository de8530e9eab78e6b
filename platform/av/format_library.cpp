#include "platform/av/format_library.h"

#include "platform/win/failure_log.h"

extern "C" {
#include <libavutil/macros.h>
}

#include <dlfcn.h>
#include <string>

namespace av {
namespace {

// The major version the program was built against: its functions keep their meaning within it.
constexpr const char* kSoname = "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR);

template <typename Function>
bool Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        ::LogFailure(name, "not found in " + std::string(kSoname));
    return function != nullptr;
}

const FormatLibrary* Load()
{
    // Never closed: the library stays for the rest of the process, as a linked one would.
    void* library = dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* cause = dlerror();
        ::LogFailure("Opening libavformat", cause ? cause : kSoname);
        return nullptr;
    }
    static FormatLibrary functions{};
    const bool found = Find(library, "avformat_alloc_output_context2", functions.allocOutputContext) &&
                       Find(library, "avformat_free_context", functions.freeContext) &&
                       Find(library, "avio_open", functions.openIo) &&
                       Find(library, "avio_closep", functions.closeIo) &&
                       Find(library, "avformat_new_stream", functions.newStream) &&
                       Find(library, "avformat_write_header", functions.writeHeader) &&
                       Find(library, "av_interleaved_write_frame", functions.writeFrame) &&
                       Find(library, "av_write_trailer", functions.writeTrailer);
    return found ? &functions : nullptr;
}

} // namespace

const FormatLibrary* OpenFormatLibrary()
{
    static const FormatLibrary* const library = Load();
    return library;
}

} // namespace av
