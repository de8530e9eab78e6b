// Any bytes as the registry file: what parses writes back to text that parses to the same tree
// and writes the same text again.
#include "platform/win/registry_tree.h"
#include "tests/fuzz/fuzz_support.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto tree = win::ParseRegistry(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!tree)
        return 0;
    const std::string text = win::SerializeRegistry(*tree);
    const auto again = win::ParseRegistry(text);
    fuzz::Check(again.has_value(), "a written registry file parses");
    fuzz::Check(*again == *tree, "the registry round-trips");
    fuzz::Check(win::SerializeRegistry(*again) == text, "the registry writes the same text twice");
    return 0;
}
