#include "bench/convert_output.h"

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i) {
        char c = text[text.size() - end.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != end[i])
            return false;
    }
    return true;
}

struct OutputKind {
    const char* extension;
    std::unique_ptr<ConvertOutput> (*make)(const ConvertOptions&);
};

// One row per writer.
const OutputKind kOutputs[] = {
    {".avi", &MakeAviOutput},
    {".wmv", &MakeWmvOutput},
};

} // namespace

std::unique_ptr<ConvertOutput> MakeConvertOutput(const ConvertOptions& options)
{
    for (const OutputKind& kind : kOutputs)
        if (EndsWithNoCase(options.out, kind.extension))
            return kind.make(options);
    return nullptr;
}
