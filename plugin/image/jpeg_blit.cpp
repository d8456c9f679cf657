#include "image/jpeg_blit.h"

#include "image/blit_rules.h"
#include "image/clip_output.h"
#include "image/jpeg_compression.h"
#include "image/jpeg_reuse.h"
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

// Whether the clip hides part of the destination, so that GDI may call again for the rest (on
// a banded page, once for each band).
bool IsCutByClip(const PreparedClip& clip, const RECTL& d) {
    if (clip.form == kClipToPage) {
        return false;
    }
    const RECTL& bounds = clip.clip->rclBounds;
    return bounds.left > d.left || bounds.top > d.top || bounds.right < d.right ||
           bounds.bottom < d.bottom;
}

// The picture's JPEG stream: `owned` is the block to free afterwards, null when the bytes are
// a kept stream.
struct PictureStream {
    const BYTE* bytes;
    DWORD length;
    BYTE* owned;
};

// A stream kept from an earlier band, or one compressed now, kept when the clip cuts the
// picture. False when compression fails.
bool FindOrCompress(const BlitRequest& request, const PreparedClip& clip, JpegReuseCache* reuse,
                    PictureStream& stream) {
    if (reuse != nullptr) {
        if (const KeptJpeg* kept = FindKeptJpeg(*reuse, *request.source, request.sourceRect)) {
            stream = {kept->stream, kept->streamLength, nullptr};
            return true;
        }
    }
    DWORD length = 0;
    BYTE* area = Compress(request, length);
    if (area == nullptr) {
        return false;
    }
    stream = {area, length, area};
    if (reuse != nullptr && IsCutByClip(clip, request.destination)) {
        // Without memory to keep it, the next band compresses it again.
        KeepJpeg(*reuse, *request.source, request.sourceRect, area, length);
    }
    return true;
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

void WriteImage(const BlitRequest& request, const PictureStream& jpeg, XlStream* stream) {
    XlSetColorSpace(stream, kRgb);
    XlBeginImage(stream, kDirectPixel, kEightBit, static_cast<WORD>(Width(request.sourceRect)),
                 static_cast<WORD>(Height(request.sourceRect)),
                 static_cast<WORD>(Width(request.destination)),
                 static_cast<WORD>(Height(request.destination)));
    XlReadImage(stream, 0, static_cast<WORD>(Height(request.sourceRect)), kJpegCompression);
    XlPutDataLength(stream, jpeg.length);
    XlPutRawBytes(stream, jpeg.bytes, jpeg.length);
    XlStreamFlush(stream);
    XlEndImage(stream);
}

}  // namespace

BlitOutcome EmitJpegBlit(DEVOBJ* device, const BlitRequest& request, JpegReuseCache* reuse) {
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
    PictureStream jpeg{};
    XlStream* stream = nullptr;
    if ((ropClass == kRopSource && !FindOrCompress(request, clip, reuse, jpeg)) ||
        (stream = XlSpoolStreamCreate(device)) == nullptr) {
        // Nothing kept outlives a failure.
        if (reuse != nullptr) {
            ForgetKeptJpegs(*reuse);
        }
        FreeBlock(jpeg.owned);
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
        WriteImage(request, jpeg, stream);
    }
    XlPopGS(stream);
    XlStreamFlush(stream);
    XlStreamDestroy(stream);
    FreeBlock(jpeg.owned);
    ReleaseClip(clip);
    return kBlitDrawn;
}

}  // namespace xlrender
