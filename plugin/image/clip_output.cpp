#include "image/clip_output.h"

#include "image/blit_rules.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr BYTE kEvenOdd = 1;
constexpr BYTE kInterior = 0;
constexpr BYTE kPointSInt16 = 3;
constexpr int kFixShift = 4;  // POINTFIX is 28.4 fixed point
constexpr ULONG kEnumAllBeyondLimit = 0xFFFFFFFF;
constexpr ULONG kBezierPointsPerCurve = 3;
constexpr DWORD kBytesPerPoint = 4;
// The enumeration buffer holds one rectangle.
constexpr ULONG kRectanglesPerCall = sizeof(ENUMRECTS::arcl) / sizeof(RECTL);

bool FitsBox(const RECTL& r) {
    return FitsSInt16(r.left) && FitsSInt16(r.top) && FitsSInt16(r.right) && FitsSInt16(r.bottom);
}

LONG Pixels(FIX value) {
    return value >> kFixShift;
}

bool FitsPoint(const POINTFIX& point) {
    return FitsSInt16(Pixels(point.x)) && FitsSInt16(Pixels(point.y));
}

// Calls `visit` with each rectangle of the clip until it returns false.
template <typename Visit>
void ForEachClipRectangle(CLIPOBJ* clip, Visit visit) {
    CLIPOBJ_cEnumStart(clip, FALSE, CT_RECTANGLES, CD_ANY, kMostClipRectangles);
    ENUMRECTS list{};
    BOOL more = TRUE;
    while (more) {
        more = CLIPOBJ_bEnum(clip, sizeof list, reinterpret_cast<ULONG*>(&list));
        for (ULONG i = 0; i < list.c && i < kRectanglesPerCall; ++i) {
            if (!visit(list.arcl[i])) {
                return;
            }
        }
    }
}

bool PrepareRectangles(PreparedClip& prepared) {
    bool fits = true;
    ULONG count = 0;
    ForEachClipRectangle(prepared.clip, [&](const RECTL& r) {
        fits = FitsBox(r);
        count += 1;
        return fits;
    });
    prepared.empty = count == 0;
    return fits;
}

// Walks the path's records; false on a point beyond 16 bits, a figure that does not begin
// with a sub-path start, or Bézier points that are not whole curves.
bool PreparePath(PreparedClip& prepared) {
    PATHOBJ_vEnumStart(prepared.path);
    PATHDATA record{};
    bool inFigure = false;
    ULONG points = 0;
    BOOL more = TRUE;
    while (more) {
        more = PATHOBJ_bEnum(prepared.path, &record);
        if (record.count == 0) {
            continue;
        }
        if (record.pptfx == nullptr) {
            return false;
        }
        for (ULONG i = 0; i < record.count; ++i) {
            if (!FitsPoint(record.pptfx[i])) {
                return false;
            }
        }
        const bool begins = (record.flags & PD_BEGINSUBPATH) != 0;
        const ULONG drawn = begins ? record.count - 1 : record.count;
        if ((!begins && !inFigure) ||
            ((record.flags & PD_BEZIERS) != 0 && drawn % kBezierPointsPerCurve != 0)) {
            return false;
        }
        inFigure = true;
        points += record.count;
    }
    prepared.empty = points == 0;
    return true;
}

void WriteRectangles(CLIPOBJ* clip, const RECTL& destination, XlStream* stream) {
    XlNewPath(stream);
    XlSetCursor(stream, static_cast<SHORT>(destination.left), static_cast<SHORT>(destination.top));
    ForEachClipRectangle(clip, [&](const RECTL& r) {
        XlRectanglePath(stream, static_cast<SHORT>(r.left), static_cast<SHORT>(r.top),
                        static_cast<SHORT>(r.right), static_cast<SHORT>(r.bottom));
        return true;
    });
}

void WritePoints(const POINTFIX* points, ULONG count, bool beziers, XlStream* stream) {
    while (count > 0) {
        const ULONG run = count < kMostPointsPerPathOperator ? count : kMostPointsPerPathOperator;
        if (beziers) {
            XlBezierPath(stream, static_cast<WORD>(run), kPointSInt16);
        } else {
            XlLinePath(stream, static_cast<WORD>(run), kPointSInt16);
        }
        XlPutDataLength(stream, kBytesPerPoint * run);
        for (ULONG i = 0; i < run; ++i) {
            XlPutRawUInt16(stream, static_cast<WORD>(Pixels(points[i].x)));
            XlPutRawUInt16(stream, static_cast<WORD>(Pixels(points[i].y)));
        }
        points += run;
        count -= run;
    }
}

void WritePath(PATHOBJ* path, XlStream* stream) {
    PATHOBJ_vEnumStart(path);
    XlNewPath(stream);
    PATHDATA record{};
    BOOL more = TRUE;
    while (more) {
        more = PATHOBJ_bEnum(path, &record);
        if (record.count == 0) {
            continue;
        }
        const POINTFIX* points = record.pptfx;
        ULONG count = record.count;
        if ((record.flags & PD_BEGINSUBPATH) != 0) {
            XlSetCursor(stream, static_cast<SHORT>(Pixels(points[0].x)),
                        static_cast<SHORT>(Pixels(points[0].y)));
            points += 1;
            count -= 1;
        }
        WritePoints(points, count, (record.flags & PD_BEZIERS) != 0, stream);
        if ((record.flags & (PD_ENDSUBPATH | PD_CLOSEFIGURE)) == (PD_ENDSUBPATH | PD_CLOSEFIGURE)) {
            XlCloseSubPath(stream);
        }
    }
}

}  // namespace

bool PrepareClip(CLIPOBJ* clip, PreparedClip& prepared) {
    prepared = {clip, kClipToPage, nullptr, false};
    if (clip == nullptr || (clip->iDComplexity != DC_RECT && clip->iDComplexity != DC_COMPLEX)) {
        return true;
    }
    if (clip->iDComplexity == DC_RECT) {
        prepared.form = kClipRectangle;
        prepared.empty = IsEmptyRect(clip->rclBounds);
        return FitsBox(clip->rclBounds);
    }
    // A complex clip lists as rectangles whatever its preferred mode; it goes out as its path
    // when it prefers that or has too many rectangles.
    const bool manyRectangles = CLIPOBJ_cEnumStart(clip, FALSE, CT_RECTANGLES, CD_ANY,
                                                   kMostClipRectangles) == kEnumAllBeyondLimit;
    if (clip->iMode != TC_PATHOBJ && !manyRectangles) {
        prepared.form = kClipRectangles;
        return PrepareRectangles(prepared);
    }
    prepared.form = kClipPath;
    prepared.path = CLIPOBJ_ppoGetPath(clip);
    if (prepared.path == nullptr || !PreparePath(prepared)) {
        ReleaseClip(prepared);
        return false;
    }
    return true;
}

void WriteClip(PreparedClip& prepared, const RECTL& destination, XlStream* stream) {
    switch (prepared.form) {
        case kClipToPage:
            XlSetClipToPage(stream);
            return;
        case kClipRectangle: {
            const RECTL& r = prepared.clip->rclBounds;
            XlSetClipMode(stream, kEvenOdd);
            XlNewPath(stream);
            XlRectanglePath(stream, static_cast<SHORT>(r.left), static_cast<SHORT>(r.top),
                            static_cast<SHORT>(r.right), static_cast<SHORT>(r.bottom));
            break;
        }
        case kClipRectangles:
            XlSetClipMode(stream, kEvenOdd);
            WriteRectangles(prepared.clip, destination, stream);
            break;
        case kClipPath:
            XlSetClipMode(stream, kEvenOdd);
            WritePath(prepared.path, stream);
            break;
    }
    XlSetClipReplace(stream, kInterior);
}

void ReleaseClip(PreparedClip& prepared) {
    if (prepared.path != nullptr) {
        EngDeletePath(prepared.path);
        prepared.path = nullptr;
    }
}

}  // namespace xlrender
