#include "platform/afx/icon.h"

#include "platform/win/resource_provider.h"

#include <QIcon>

#include <map>
#include <memory>

namespace {

std::map<UINT, std::unique_ptr<QIcon>>& Loaded()
{
    static std::map<UINT, std::unique_ptr<QIcon>> loaded;
    return loaded;
}

} // namespace

HICON LoadIconResource(UINT nID)
{
    auto& loaded = Loaded();
    if (auto it = loaded.find(nID); it != loaded.end())
        return reinterpret_cast<HICON>(it->second.get());
    const ResourceProvider* provider = InstalledResourceProvider();
    QIcon icon = provider ? provider->DrawIcon(nID) : QIcon();
    if (icon.isNull())
        return nullptr;
    auto& slot = loaded[nID];
    slot = std::make_unique<QIcon>(std::move(icon));
    return reinterpret_cast<HICON>(slot.get());
}

HICON CreateIconHandle(const QIcon& icon) { return reinterpret_cast<HICON>(new QIcon(icon)); }

BOOL DestroyIcon(HICON hIcon)
{
    if (!hIcon)
        return FALSE;
    for (const auto& [id, icon] : Loaded())
        if (reinterpret_cast<HICON>(icon.get()) == hIcon)
            return TRUE; // shared resource icons live as long as the program
    delete reinterpret_cast<QIcon*>(hIcon);
    return TRUE;
}

QIcon* IconFromHandle(HICON hIcon) { return reinterpret_cast<QIcon*>(hIcon); }
