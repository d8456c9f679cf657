#include "fonts/watermark_bitmaps.h"

#include "fonts/bitmap_font_download.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

bool SendGlyph(XlStream* stream, HDC dc, WCHAR character, WORD code) {
    GLYPHMETRICS metrics{};
    const DWORD size =
        GetGlyphOutlineW(dc, character, GGO_BITMAP, &metrics, 0, nullptr, &kIdentity);
    const DWORD rowBytes = BitmapRowBytes(metrics.gmBlackBoxX);
    if (size == GDI_ERROR || rowBytes == 0) {
        return false;
    }
    // The record always holds the whole black box; a blank glyph (the space: a 1 x 1 box and no
    // bits) leaves it zero.
    const DWORD recordBits = rowBytes * metrics.gmBlackBoxY;
    if (size > recordBits) {
        return false;
    }
    const OwnedBlock bits(recordBits);
    if (!bits || (size != 0 && GetGlyphOutlineW(dc, character, GGO_BITMAP, &metrics, size,
                                                bits.as(), &kIdentity) == GDI_ERROR)) {
        return false;
    }
    return DownloadBitmapChar(stream, metrics.gmBlackBoxX, metrics.gmBlackBoxY,
                              metrics.gmptGlyphOrigin.x, metrics.gmptGlyphOrigin.y, code,
                              bits.as());
}

// The first entry for (angle, orientation); a free entry is the pair (0, 0). -1 when none.
int IndexOf(const WatermarkFontState& state, float angle, WORD orientation) {
    for (int i = 0; i < kBitmapFontSlots; ++i) {
        const BitmapFontEntry& entry = state.WmBitmapFonts[i];
        if (entry.orientation == orientation && entry.angle == angle) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int FindBitmapFont(WatermarkFontState& state, float angle, WORD orientation, bool& hit) {
    hit = false;
    const int found = IndexOf(state, angle, orientation);
    if (found >= 0) {
        hit = true;
        return found;
    }
    const int free = IndexOf(state, 0.0f, 0);
    if (free >= 0) {
        state.WmBitmapFonts[free] = {angle, orientation, 0};
    }
    return free;
}

void MakeRoomForBitmapFont(WatermarkFontState& state, float angle, WORD orientation) {
    if (IndexOf(state, angle, orientation) >= 0 || IndexOf(state, 0.0f, 0) >= 0) {
        return;
    }
    for (BitmapFontEntry& entry : state.WmBitmapFonts) {
        entry = {};
    }
    state.WmFontDownloaded = 0;
    ++state.FontGeneration;
}

bool DownloadWatermarkBitmaps(XlStream* stream, HDC dc, const WatermarkText& text, const char* name,
                              WORD charCount, ULONG glyphDpi) {
    DownloadBitmapHeader(stream, name, charCount, glyphDpi, glyphDpi);
    XlBeginChar(stream, reinterpret_cast<const BYTE*>(name), static_cast<WORD>(TextLength(name)));
    bool sent = true;
    for (DWORD i = 0; i < text.length && sent; ++i) {
        sent = SendGlyph(stream, dc, text.units[i], static_cast<WORD>(i));
    }
    XlEndChar(stream);
    return sent;
}

}  // namespace xlrender
