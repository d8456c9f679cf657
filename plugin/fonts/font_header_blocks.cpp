#include "fonts/font_header_blocks.h"

#include "fonts/font_file.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr BYTE kFontFormat = 0;
constexpr BYTE kOrientationPortrait = 0;
constexpr DWORD kDescriptorBytes = 8;
constexpr DWORD kLargestHeaderBlock = 0xFFFF;
constexpr BYTE kNullSegment[] = {0xFF, 0xFF, 0, 0, 0, 0};

}  // namespace

void SendFontHeaderBytes(XlStream* stream, const BYTE* bytes, DWORD length) {
    do {
        const DWORD block = length < kLargestHeaderBlock ? length : kLargestHeaderBlock;
        XlReadFontHeader(stream, static_cast<WORD>(block));
        XlPutEmbeddedData(stream, bytes, block);
        bytes += block;
        length -= block;
    } while (length != 0);
}

void SendFontDescriptor(XlStream* stream, WORD symbolMapping, BYTE scaling, WORD charCount) {
    BYTE descriptor[kDescriptorBytes] = {kFontFormat, kOrientationPortrait};
    WriteBigEndian16(descriptor + 2, symbolMapping);
    descriptor[4] = scaling;
    WriteBigEndian16(descriptor + 6, charCount);
    SendFontHeaderBytes(stream, descriptor, kDescriptorBytes);
}

void SendNullSegment(XlStream* stream) {
    SendFontHeaderBytes(stream, kNullSegment, sizeof kNullSegment);
}

}  // namespace xlrender
