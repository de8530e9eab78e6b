#include "platform/wmf/com.h"

namespace {
std::atomic<int> g_liveObjects{0};
} // namespace

namespace wmf {
int LiveObjectCount() { return g_liveObjects.load(); }
void CountObject(int delta) { g_liveObjects += delta; }
} // namespace wmf
