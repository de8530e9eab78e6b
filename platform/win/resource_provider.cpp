#include "platform/win/resource_provider.h"

#include <atomic>

namespace {

std::atomic<const ResourceProvider*> g_provider{nullptr};

} // namespace

void InstallResourceProvider(const ResourceProvider* provider) { g_provider.store(provider); }

const ResourceProvider* InstalledResourceProvider() { return g_provider.load(); }
