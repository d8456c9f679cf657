// The clip of a blit as PCL XL clip operators. The clip is read and checked in full before the
// blit writes anything (a declined blit must leave no trace), then enumerated again to write.
#pragma once

#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

enum ClipForm {
    kClipToPage,      // no clip object, DC_TRIVIAL or an unknown complexity
    kClipRectangle,   // DC_RECT: the bounds
    kClipRectangles,  // DC_COMPLEX listed as up to kMostClipRectangles rectangles
    kClipPath,        // DC_COMPLEX as the engine's path
};

// More rectangles than this go out as the clip's path instead.
constexpr ULONG kMostClipRectangles = 256;
// Points of one path operator: its data (4 bytes a point) stays below 64 KB, and a run of
// Bézier points stays whole curves.
constexpr ULONG kMostPointsPerPathOperator = 16383;

struct PreparedClip {
    CLIPOBJ* clip;
    ClipForm form;
    PATHOBJ* path;  // kClipPath: the engine's path until ReleaseClip
    bool empty;     // the clip lets nothing through
};

// Reads and checks the clip. False (nothing held) when it cannot be sent: a coordinate beyond
// 16 bits, a path the engine does not give, a malformed path.
bool PrepareClip(CLIPOBJ* clip, PreparedClip& prepared);

// Writes the clip: SetClipToPage, or the clip mode, the path of the clip's rectangles or
// outline (after SetCursor to `destination`'s corner for rectangles), and SetClipReplace.
void WriteClip(PreparedClip& prepared, const RECTL& destination, XlStream* stream);

// Gives the engine's path back.
void ReleaseClip(PreparedClip& prepared);

}  // namespace xlrender
