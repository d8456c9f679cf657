#include "image/jpeg_blit.h"

#include "image/blit_rules.h"
#include "image/clip_output.h"
#include "image/jpeg_compression.h"
#include "platform/memory.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

constexpr BYTE kOpaque = 0;
constexpr BYTE kTransparent = 1;
constexpr BYTE kGray = 1;
constexpr BYTE kRgb = 2;
constexpr BYTE kDirectPixel = 0;
constexpr BYTE kEightBit = 2;
constexpr BYTE kJpegCompression = 2;
constexpr FLOAT kFullGray = 255.0F;

LONG Width(const RECTL& r) {
    return r.right - r.left;
}
LONG Height(const RECTL& r) {
    return r.bottom - r.top;
}

// Everything that goes out as a 16-bit attribute: the corners (SetCursor, the fill's
// rectangle), the destination size and the source size.
bool FitsAttributes(const BlitRequest& request) {
    const RECTL& d = request.destination;
    return FitsSInt16(d.left) && FitsSInt16(d.top) && FitsSInt16(d.right) && FitsSInt16(d.bottom) &&
           FitsUInt16(Width(d)) && FitsUInt16(Height(d)) && FitsUInt16(Width(request.sourceRect)) &&
           FitsUInt16(Height(request.sourceRect));
}

bool CanDraw(const BlitRequest& request) {
    return request.source != nullptr && request.mask == nullptr &&
           MaskUseOf(request.rop4) != kMaskOther && HasNoTranslationTable(request.translation) &&
           request.source->iBitmapFormat == BMF_24BPP &&
           IsReadableRect(request.source, request.sourceRect) && IsUpright(request.destination) &&
           !IsEmptyRect(request.destination) && FitsAttributes(request);
}

// The JPEG stream of the source rectangle in an area of the source bitmap's size, or null.
BYTE* Compress(const BlitRequest& request, DWORD& length) {
    const DWORD capacity = request.source->cjBits;
    auto* area = static_cast<BYTE*>(capacity == 0 ? nullptr : AllocateZeroed(capacity));
    if (area == nullptr) {
        return nullptr;
    }
    JpegSink sink;
    JpegSinkReset(sink);
    JpegSinkAttach(sink, area, capacity);
    if (!CompressJpegRect(&sink, &request.sourceRect, request.source)) {
        FreeBlock(area);
        return nullptr;
    }
    length = JpegSinkLength(sink);
    return area;
}

void WriteFill(const RECTL& d, BYTE rop3, XlStream* stream) {
    // GrayLevel is a level between 0 and 1 and only valid in a grey colour space.
    XlSetColorSpace(stream, kGray);
    XlSetBrushGray(stream, static_cast<FLOAT>(rop3) / kFullGray);
    XlSetNullPen(stream);
    XlNewPath(stream);
    XlRectanglePath(stream, static_cast<SHORT>(d.left), static_cast<SHORT>(d.top),
                    static_cast<SHORT>(d.right), static_cast<SHORT>(d.bottom));
    XlPaintPath(stream);
}

void WriteImage(const BlitRequest& request, const BYTE* jpeg, DWORD length, XlStream* stream) {
    XlSetColorSpace(stream, kRgb);
    XlBeginImage(stream, kDirectPixel, kEightBit, static_cast<WORD>(Width(request.sourceRect)),
                 static_cast<WORD>(Height(request.sourceRect)),
                 static_cast<WORD>(Width(request.destination)),
                 static_cast<WORD>(Height(request.destination)));
    XlReadImage(stream, 0, static_cast<WORD>(Height(request.sourceRect)), kJpegCompression);
    XlPutDataLength(stream, length);
    XlPutRawBytes(stream, jpeg, length);
    XlStreamFlush(stream);
    XlEndImage(stream);
}

}  // namespace

BlitOutcome EmitJpegBlit(DEVOBJ* device, const BlitRequest& request) {
    if (device == nullptr || !CanDraw(request)) {
        return kBlitDeclined;
    }
    const auto rop3 = static_cast<BYTE>(request.rop4);
    const RopClass ropClass = ClassifyRop3(rop3);
    if (ropClass == kRopPattern) {
        return kBlitDeclined;
    }
    if (ropClass == kRopDestinationOnly) {
        return rop3 == kRopLeaveDestination ? kBlitDrawn : kBlitDeclined;
    }
    PreparedClip clip{};
    if (!PrepareClip(request.clip, clip)) {
        return kBlitDeclined;
    }
    if (clip.empty) {
        ReleaseClip(clip);
        return kBlitDrawn;  // nothing of it can be seen
    }
    DWORD length = 0;
    BYTE* jpeg = nullptr;
    if (ropClass == kRopSource && (jpeg = Compress(request, length)) == nullptr) {
        ReleaseClip(clip);
        return kBlitDeclined;
    }
    XlStream* stream = XlSpoolStreamCreate(device);
    if (stream == nullptr) {
        FreeBlock(jpeg);
        ReleaseClip(clip);
        return kBlitDeclined;
    }
    const RECTL& d = request.destination;
    XlPushGS(stream);
    WriteClip(clip, d, stream);
    XlSetCursor(stream, static_cast<SHORT>(d.left), static_cast<SHORT>(d.top));
    const BYTE transparency = MaskUseOf(request.rop4) == kMaskTransparent ? kTransparent : kOpaque;
    XlSetPaintTxMode(stream, transparency);
    XlSetSourceTxMode(stream, transparency);
    XlSetROP(stream, rop3);
    if (ropClass == kRopConstant) {
        WriteFill(d, rop3, stream);
    } else {
        WriteImage(request, jpeg, length, stream);
    }
    XlPopGS(stream);
    XlStreamFlush(stream);
    XlStreamDestroy(stream);
    FreeBlock(jpeg);
    ReleaseClip(clip);
    return kBlitDrawn;
}

}  // namespace xlrender
