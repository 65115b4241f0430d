#include "tools/network/PingManager.h"

// The native build sends no echo requests.
std::unique_ptr<IIcmp> OpenIcmp() {
    return nullptr;
}
