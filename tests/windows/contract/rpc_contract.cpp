// UUIDs from the RPC runtime: random version-4 identifiers, and their text as the job's
// identity carries it (lower case, 36 characters).
#include "contract.h"

namespace {

using contract::Text;

CONTRACT_GROUP(UuidCreateIsRandomVersion4) {
    UUID first{};
    UUID second{};
    CONTRACT_EQ(UuidCreate(&first), RPC_S_OK);
    CONTRACT_EQ(UuidCreate(&second), RPC_S_OK);
    CONTRACT_EQ(first.Data3 >> 12, 4);
    CONTRACT_EQ(first.Data4[0] & 0xC0, 0x80);
    CONTRACT_CHECK(first.Data1 != second.Data1 || first.Data2 != second.Data2);
}

CONTRACT_GROUP(UuidTextIsLowerCase) {
    // Not const: the SDK declares the parameter without it.
    UUID uuid{0x0123ABCD, 0x4567, 0x89EF, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}};
    RPC_WSTR text = nullptr;
    CONTRACT_EQ(UuidToStringW(&uuid, &text), RPC_S_OK);
    CONTRACT_CHECK(text != nullptr);
    if (text != nullptr) {
        CONTRACT_TEXT(reinterpret_cast<const WCHAR*>(text), 37,
                      Text(W("0123abcd-4567-89ef-fedc-ba9876543210"), 37));
    }
    CONTRACT_EQ(RpcStringFreeW(&text), RPC_S_OK);
}

}  // namespace
