// Any bytes as the registry file: what parses writes back to text that parses to the same tree
// and writes the same text again; what is salvaged from it writes a whole file of just that.
#include "platform/win/registry_tree.h"
#include "tests/fuzz/fuzz_support.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto salvaged = win::SalvageRegistry(input);
    const auto rewritten = win::ParseRegistry(win::SerializeRegistry(salvaged.tree));
    fuzz::Check(rewritten.has_value() && *rewritten == salvaged.tree, "a salvaged registry writes a whole file");

    const auto tree = win::ParseRegistry(input);
    if (!tree)
        return 0;
    const std::string text = win::SerializeRegistry(*tree);
    const auto again = win::ParseRegistry(text);
    fuzz::Check(again.has_value(), "a written registry file parses");
    fuzz::Check(*again == *tree, "the registry round-trips");
    fuzz::Check(win::SerializeRegistry(*again) == text, "the registry writes the same text twice");
    return 0;
}
