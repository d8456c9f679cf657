// UUIDs: version-4 identifiers, random or from the world's seeded sequence.
#include <cstdio>
#include <cstring>
#include <random>

#include "world.h"

namespace {

constexpr std::size_t kUuidTextUnits = 37;  // 36 characters and the terminator

// SplitMix64: a small generator whose sequence depends only on its seed.
std::uint64_t NextSeeded(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t NextRandom() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    return generator();
}

}  // namespace

extern "C" {

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid) {
    if (Uuid == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    sim::UuidControl& control = sim::TheWorld().uuids;
    std::uint64_t halves[2];
    for (std::uint64_t& half : halves) {
        half = control.seeded ? NextSeeded(control.state) : NextRandom();
    }
    BYTE bytes[16];
    std::memcpy(bytes, halves, sizeof bytes);
    bytes[6] = static_cast<BYTE>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<BYTE>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    Uuid->Data1 = static_cast<DWORD>(bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]);
    Uuid->Data2 = static_cast<WORD>(bytes[4] << 8 | bytes[5]);
    Uuid->Data3 = static_cast<WORD>(bytes[6] << 8 | bytes[7]);
    std::memcpy(Uuid->Data4, bytes + 8, sizeof Uuid->Data4);
    return control.createStatus;
}

RPC_STATUS RPC_ENTRY UuidToStringW(const UUID* Uuid, RPC_WSTR* StringUuid) {
    if (Uuid == nullptr || StringUuid == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *StringUuid = nullptr;
    sim::UuidControl& control = sim::TheWorld().uuids;
    if (control.toStringStatus != RPC_S_OK) {
        return control.toStringStatus;
    }
    char text[kUuidTextUnits];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned>(Uuid->Data1), Uuid->Data2, Uuid->Data3, Uuid->Data4[0],
                  Uuid->Data4[1], Uuid->Data4[2], Uuid->Data4[3], Uuid->Data4[4], Uuid->Data4[5],
                  Uuid->Data4[6], Uuid->Data4[7]);
    auto* wide = new unsigned short[kUuidTextUnits];
    for (std::size_t i = 0; i < kUuidTextUnits; ++i) {
        wide[i] = static_cast<unsigned char>(text[i]);
    }
    *StringUuid = wide;
    ++control.liveStrings;
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY RpcStringFreeW(RPC_WSTR* String) {
    if (String == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (*String != nullptr) {
        delete[] * String;
        *String = nullptr;
        --sim::TheWorld().uuids.liveStrings;
    }
    return RPC_S_OK;
}

}  // extern "C"
