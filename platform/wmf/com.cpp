#include "platform/wmf/com.h"

#include <atomic>

namespace {
std::atomic<int> g_liveObjects{0};
} // namespace

namespace wmf {
int LiveObjectCount() { return g_liveObjects.load(); }
void CountObject(int delta) { g_liveObjects += delta; }
} // namespace wmf
