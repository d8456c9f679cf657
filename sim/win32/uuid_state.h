// How the world's UuidCreate behaves: random like Windows' by default, a reproducible sequence
// once a test seeds it, and answers a test chooses for the failure paths.
#pragma once

#include <cstdint>

#include "platform/win32_api.h"

namespace sim {

struct UuidControl {
    // Makes UuidCreate reproducible: the same seed gives the same sequence of identifiers.
    void Seed(std::uint64_t seed) {
        seeded = true;
        state = seed;
    }

    bool seeded = false;
    std::uint64_t state = 0;
    // What UuidCreate answers; with RPC_S_UUID_LOCAL_ONLY it still fills the identifier, as
    // Windows does.
    RPC_STATUS createStatus = RPC_S_OK;
    // What UuidToStringW answers; anything but RPC_S_OK leaves the string null.
    RPC_STATUS toStringStatus = RPC_S_OK;
    // Strings from UuidToStringW not yet given back with RpcStringFreeW.
    int liveStrings = 0;
};

}  // namespace sim
