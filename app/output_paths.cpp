#include "app/output_paths.h"

#include "platform/afx/carray.h"
#include "platform/win/text.h"

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path Resolved(const CString& path)
{
    std::error_code error;
    const std::filesystem::path native(Utf16ToUtf8(path.View()));
    std::filesystem::path resolved = std::filesystem::weakly_canonical(native, error);
    if (error)
        resolved = std::filesystem::absolute(native, error).lexically_normal();
    return resolved;
}

} // namespace

bool IsSameFile(const CString& a, const CString& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return false;
    std::error_code error;
    const std::filesystem::path first(Utf16ToUtf8(a.View()));
    const std::filesystem::path second(Utf16ToUtf8(b.View()));
    if (std::filesystem::equivalent(first, second, error))
        return true;
    return Resolved(a) == Resolved(b);
}

int CheckOutputPath(const CString& path, const CStringArray& inputs, const CString& other)
{
    if (IsSameFile(path, other))
        return kErrorOutputsSamePath;
    for (int i = 0; i < inputs.GetSize(); ++i)
        if (IsSameFile(path, inputs[i]))
            return kErrorOutputIsInput;
    return 0;
}
