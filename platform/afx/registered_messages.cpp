// Message numbers handed out by name, the same number for the same name for the process's life.
#include "platform/afx/message_map.h"

#include <map>
#include <string>

UINT RegisterWindowMessageW(LPCWSTR name)
{
    static std::map<std::u16string, UINT> registered;
    if (!name || !name[0])
        return 0;
    const auto [it, added] = registered.emplace(name, 0xC000 + static_cast<UINT>(registered.size()));
    return it->second;
}
