#include "platform/host/Host.h"

namespace host {

namespace {
Host* g_host = nullptr;
}

void SetHost(Host* h) { g_host = h; }
Host* GetHost() { return g_host; }

}  // namespace host
