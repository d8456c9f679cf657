#include "settings/text_checks.h"

#include <algorithm>
#include <iterator>

#include "platform/text.h"

namespace xlrender {
namespace {

constexpr DWORD kCrc16Polynomial = 0xA001;
constexpr DWORD kNoChecksum = 0xFFFFFFFF;

}  // namespace

void UpperFileName(const WCHAR* path, WCHAR (&name)[kFileNameUnits]) {
    name[0] = 0;
    if (path == nullptr) {
        return;
    }
    const WCHAR* last = path;
    for (const WCHAR* unit = path; *unit != 0; ++unit) {
        if (*unit == '\\') {
            last = unit + 1;
        }
    }
    CopyText(name, kFileNameUnits, last);
    CharUpperBuffW(name, static_cast<DWORD>(TextLength(name, kFileNameUnits)));
}

void CopyPathAndUpperFileName(const WCHAR* source, WCHAR (&path)[kFileNameUnits],
                              WCHAR (&name)[kFileNameUnits]) {
    std::fill(std::begin(path), std::end(path), WCHAR{0});
    std::fill(std::begin(name), std::end(name), WCHAR{0});
    if (source == nullptr) {
        return;
    }
    CopyText(path, kFileNameUnits, source);
    UpperFileName(path, name);
}

DWORD HasNonAsciiText(const WCHAR* text) {
    for (; text != nullptr && *text != 0; ++text) {
        if (static_cast<unsigned>(*text) >= 0x80) {
            return 1;
        }
    }
    return 0;
}

DWORD TextCrc16(const char* text, std::size_t length) {
    DWORD crc = 0;
    for (std::size_t i = 0; text != nullptr && i < length; ++i) {
        crc ^= static_cast<unsigned char>(text[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ kCrc16Polynomial : crc >> 1;
        }
    }
    return crc == 0 ? kNoChecksum : crc;
}

DWORD ReadLe32(const BYTE*& cursor) {
    const DWORD value = static_cast<DWORD>(cursor[0]) | static_cast<DWORD>(cursor[1]) << 8 |
                        static_cast<DWORD>(cursor[2]) << 16 | static_cast<DWORD>(cursor[3]) << 24;
    cursor += 4;
    return value;
}

}  // namespace xlrender
