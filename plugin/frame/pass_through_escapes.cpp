// The standard escapes any application can send: whether an escape is supported, raw printer
// data, and the device technology.
#include <cstring>

#include "frame/escape_answers.h"
#include "frame/escape_blocks.h"
#include "xlstream/xl_operators.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

// PASSTHROUGH data begins with a 16-bit byte count that the plug-in does not use.
constexpr ULONG kPassThroughCountBytes = 2;
constexpr char kTechnology[] = "PCL XL";

bool PassThroughAllowed(const EscapeRequest& request) {
    return request.pdev.JobSettings.Pcl6PassThrough != 0;
}

}  // namespace

std::optional<ULONG> AnswerQueryEscapeSupport(const EscapeRequest& request) {
    if (request.pvIn == nullptr) {
        return 1;
    }
    DWORD asked = 0;
    if (request.cjIn < sizeof asked) {
        return 0;
    }
    std::memcpy(&asked, request.pvIn, sizeof asked);
    if (PassThroughAllowed(request)) {
        if (asked == PASSTHROUGH || asked == kEscapeTechnology) {
            return 1;
        }
    } else if (asked == PASSTHROUGH) {
        return 0;
    }
    return std::nullopt;
}

ULONG AnswerPassThrough(const EscapeRequest& request) {
    if (!PassThroughAllowed(request) || request.pvIn == nullptr ||
        request.cjIn <= kPassThroughCountBytes) {
        return 1;
    }
    XlStream* stream = XlSpoolStreamCreate(request.device);
    if (stream == nullptr) {
        return 0;
    }
    XlPassThrough(stream, static_cast<const BYTE*>(request.pvIn) + kPassThroughCountBytes,
                  request.cjIn - kPassThroughCountBytes);
    // Any failed write on the way, not only the last, means the data did not arrive whole.
    const BOOL arrived = XlDrainToSpool(stream);
    XlStreamDestroy(stream);
    return arrived ? 1 : 0;
}

ULONG AnswerTechnology(const EscapeRequest& request) {
    if (request.pvOut == nullptr || request.cjOut <= sizeof kTechnology - 1) {
        return 0;
    }
    std::memcpy(request.pvOut, kTechnology, sizeof kTechnology);
    return 1;
}

}  // namespace xlrender
