#include "platform/platform.h"

namespace {
Platform g_platform;
}

Platform& platform() { return g_platform; }
void setPlatform(const Platform& p) { g_platform = p; }
