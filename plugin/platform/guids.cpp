#include "platform/guids.h"

#include <cstring>

namespace xlrender {

bool SameGuid(const GUID& left, const GUID& right) noexcept {
    static_assert(sizeof(GUID) == 4 * sizeof(DWORD));
    DWORD leftWords[4];
    DWORD rightWords[4];
    std::memcpy(leftWords, &left, sizeof leftWords);
    std::memcpy(rightWords, &right, sizeof rightWords);
    return leftWords[0] == rightWords[0] && leftWords[1] == rightWords[1] &&
           leftWords[2] == rightWords[2] && leftWords[3] == rightWords[3];
}

}  // namespace xlrender
