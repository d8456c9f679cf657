#include "fonts/ansi_text.h"

#include "platform/text.h"

namespace xlrender {

int ConvertToAnsi(const WCHAR* text, std::size_t units, char* out, std::size_t outBytes) {
    if (text == nullptr || out == nullptr || outBytes == 0) {
        return -1;
    }
    out[0] = '\0';
    const int length = static_cast<int>(TextLength(text, units));
    if (length == 0) {
        return 0;
    }
    const int converted = WideCharToMultiByte(CP_ACP, 0, text, length, out,
                                              static_cast<int>(outBytes - 1), nullptr, nullptr);
    if (converted <= 0) {
        out[0] = '\0';
        return -1;
    }
    out[converted] = '\0';
    return converted;
}

}  // namespace xlrender
