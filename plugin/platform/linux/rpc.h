// UUID services of the RPC runtime, with the types its header declares.
#pragma once

#include "platform/linux/base_types.h"
#include "platform/linux/com.h"

#define RPC_ENTRY

using RPC_STATUS = LONG;
using UUID = GUID;
using RPC_WSTR = unsigned short*;

constexpr RPC_STATUS RPC_S_OK = 0;
constexpr RPC_STATUS RPC_S_OUT_OF_MEMORY = 14;
constexpr RPC_STATUS RPC_S_UUID_NO_ADDRESS = 1739;
constexpr RPC_STATUS RPC_S_UUID_LOCAL_ONLY = 1824;

extern "C" {
RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid);
RPC_STATUS RPC_ENTRY UuidToStringW(const UUID* Uuid, RPC_WSTR* StringUuid);
RPC_STATUS RPC_ENTRY RpcStringFreeW(RPC_WSTR* String);
}
