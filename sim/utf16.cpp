#include "utf16.h"

#include "platform/win32_api.h"

namespace sim {

std::u16string Utf16(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
    if (units > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
    }
    return wide;
}

}  // namespace sim
