#include "frame/font_command.h"

#include <algorithm>
#include <cstring>

#include "host/unidrv_host.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr std::size_t kFontCommandBytes = 100;
constexpr char kHeightPlaceholder[] = "#HEIGHT";
constexpr std::size_t kHeightPlaceholderLength = sizeof kHeightPlaceholder - 1;
// Font heights come in device units of 1/1200 inch; 0.06 turns them into points (1/72 inch).
constexpr float kPointsPerHeightUnit = 0.06f;
// The printers take point sizes below 1000; a larger one is sent as the largest quarter-point
// size below it. Anything below 1000 goes out as computed.
constexpr float kFirstTooLargePointSize = 1000.0f;
constexpr float kLargestPointSize = 999.75f;

bool QueryFontHeight(UNIFONTOBJ* font, LONG& height) {
    if (font == nullptr || font->pfnGetInfo == nullptr) {
        return false;
    }
    GETINFO_STDVAR request{};
    request.dwSize = sizeof request;
    request.dwNumOfVariable = 1;
    request.StdVar[0].dwStdVarID = FNT_INFO_FONTHEIGHT;
    DWORD needed = 0;
    if (!font->pfnGetInfo(font, UFO_GETINFO_STDVARIABLE, &request, sizeof request, &needed)) {
        return false;
    }
    height = request.StdVar[0].lStdVariable;
    return true;
}

}  // namespace

void WriteFontCommand(DEVOBJ* device, UNIFONTOBJ* font, const FINVOCATION* invocation) {
    if (invocation == nullptr || invocation->dwCount == 0 || invocation->pubCommand == nullptr) {
        return;
    }
    char command[kFontCommandBytes];
    CopyText(command, sizeof command, reinterpret_cast<const char*>(invocation->pubCommand),
             invocation->dwCount);

    // The result is built in its own buffer: the text after "#HEIGHT" is read from `command`
    // while the new text is written.
    char completed[kFontCommandBytes];
    const char* toSend = command;
    const char* placeholder = std::strstr(command, kHeightPlaceholder);
    LONG height = 0;
    if (placeholder != nullptr && QueryFontHeight(font, height)) {
        const float computed = std::max(static_cast<float>(height) * kPointsPerHeightUnit, 0.0f);
        const float points = computed >= kFirstTooLargePointSize ? kLargestPointSize : computed;
        CopyText(completed, sizeof completed, command,
                 static_cast<std::size_t>(placeholder - command));
        AppendTwoDecimals(completed, sizeof completed, static_cast<double>(points));
        AppendText(completed, sizeof completed, placeholder + kHeightPlaceholderLength);
        toSend = completed;
    }
    const std::size_t length = TextLength(toSend);
    if (length > 0) {
        WriteSpoolBytes(device, toSend, static_cast<DWORD>(length));
    }
}

}  // namespace xlrender
