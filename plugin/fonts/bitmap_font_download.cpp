#include "fonts/bitmap_font_download.h"

#include <algorithm>

#include "fonts/font_file.h"
#include "fonts/font_header_blocks.h"
#include "platform/text.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr BYTE kFontFormat = 0;
constexpr WORD kBitmapMapping = 2;
constexpr DWORD kResolutionSegmentBytes = 10;
constexpr DWORD kRecordHeadBytes = 10;
constexpr DWORD kLargestPiece = 16384;
constexpr UINT kLargestRecordWidth = 0xFFFF;
constexpr DWORD kLargestRecordHeight = 0xFFFF;

WORD Within16Bits(ULONG value) {
    return static_cast<WORD>(std::clamp<ULONG>(value, 1, 0xFFFF));
}

}  // namespace

void DownloadBitmapHeader(XlStream* stream, const char* name, WORD charCount, ULONG dpiX,
                          ULONG dpiY) {
    BYTE resolution[kResolutionSegmentBytes] = {'B', 'R', 0, 0, 0, 4};
    WriteBigEndian16(resolution + 6, Within16Bits(dpiX));
    WriteBigEndian16(resolution + 8, Within16Bits(dpiY));
    XlBeginFontHeader(stream, reinterpret_cast<const BYTE*>(name),
                      static_cast<WORD>(TextLength(name)), kFontFormat);
    SendFontDescriptor(stream, kBitmapMapping, kScalingBitmap, charCount);
    SendFontHeaderBytes(stream, resolution, kResolutionSegmentBytes);
    SendNullSegment(stream);
    XlEndFontHeader(stream);
}

DWORD BitmapRowBytes(UINT width) {
    const unsigned long long padded = (static_cast<unsigned long long>(width) + 31) / 32 * 32;
    return padded > kLargestRecordWidth ? 0 : static_cast<DWORD>(padded / 8);
}

bool DownloadBitmapChar(XlStream* stream, UINT width, UINT height, LONG left, LONG top, WORD code,
                        const BYTE* bits) {
    const DWORD rowBytes = BitmapRowBytes(width);
    if (width == 0 || height == 0 || rowBytes == 0 || height > kLargestRecordHeight) {
        return false;
    }
    const DWORD bitmapBytes = rowBytes * height;
    const DWORD recordBytes = kRecordHeadBytes + bitmapBytes;
    BYTE head[kRecordHeadBytes] = {kFontFormat, 0};
    WriteBigEndian16(head + 2, static_cast<WORD>(left));
    WriteBigEndian16(head + 4, static_cast<WORD>(top));
    WriteBigEndian16(head + 6, static_cast<WORD>(rowBytes * 8));
    WriteBigEndian16(head + 8, static_cast<WORD>(height));
    XlReadChar(stream, code, recordBytes);
    XlPutDataLength32(stream, recordBytes);
    XlPutRawBytes(stream, head, kRecordHeadBytes);
    for (DWORD sent = 0; sent < bitmapBytes; sent += kLargestPiece) {
        XlPutRawBytes(stream, bits + sent, std::min(kLargestPiece, bitmapBytes - sent));
    }
    return true;
}

}  // namespace xlrender
