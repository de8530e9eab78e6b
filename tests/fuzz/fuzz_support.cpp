#include "tests/fuzz/fuzz_support.h"

#include "platform/win/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" {
#include <libavutil/log.h>
}

#include <tiffio.h>

namespace fuzz {

namespace {

class Scratch {
public:
    Scratch()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/torvina-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~Scratch()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

const std::string& ScratchFolder()
{
    static const Scratch scratch;
    if (scratch.Path().empty())
        Fail("no scratch folder");
    return scratch.Path();
}

std::u16string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size)
{
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Check(out.good(), "scratch file written");
    return Utf8ToUtf16(path);
}

std::vector<uint8_t> ReadScratchFile(const std::string& name)
{
    std::ifstream in(ScratchFolder() + "/" + name, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

HGLOBAL GlobalBlockOf(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    if (size) {
        std::memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
    }
    return block;
}

void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

void QuietLibraries()
{
    av_log_set_level(AV_LOG_QUIET);
    TIFFSetWarningHandler(nullptr);
    TIFFSetErrorHandler(nullptr);
}

} // namespace fuzz
