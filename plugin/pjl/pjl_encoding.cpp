#include "pjl/pjl_encoding.h"

#include <array>

namespace xlrender {
namespace {

// Indexed by PjlEncodingIndex. "UTF8Subset" announces UTF-8 but the printer only accepts its
// ASCII part, hence the 7-bit filter.
constexpr std::array<PjlFilterKind, 5> kFilterByEncoding = {
    PjlFilterKind::kSevenBit,  // kPjlEncodingInvalid
    PjlFilterKind::kUtf8,      // kPjlEncodingUtf8
    PjlFilterKind::kSevenBit,  // kPjlEncoding7Bit
    PjlFilterKind::kEightBit,  // kPjlEncoding8Bit
    PjlFilterKind::kSevenBit,  // kPjlEncodingUtf8Subset
};

}  // namespace

PjlFilterKind FilterForEncoding(DWORD encodingIndex) {
    if (encodingIndex >= kFilterByEncoding.size()) {
        return kFilterByEncoding[kPjlEncodingInvalid];
    }
    return kFilterByEncoding[encodingIndex];
}

bool UsesUtf8StringCodeSet(DWORD encodingIndex) {
    return encodingIndex == kPjlEncodingUtf8 || encodingIndex == kPjlEncodingUtf8Subset;
}

}  // namespace xlrender
