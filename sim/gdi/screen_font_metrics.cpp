// Measuring and rendering with the font selected into the stand-in's screen DC, through
// FreeType, in the pixel units the font's height is given in.
#include <cmath>
#include <cstring>
#include <vector>

#include "gdi/screen_font_objects.h"
// After the FreeType base header that the line above brings in.
#include FT_TRUETYPE_TABLES_H
#include "world.h"

namespace sim::gdi {
namespace {

constexpr double kDefaultEmPixels = 16.0;
constexpr double kPi = 3.14159265358979323846;
constexpr int kSubpixels = 64;  // FreeType's 26.6 fixed point

// Windows sizes a TrueType font by its em for a negative height and by its cell (the OS/2
// Windows ascent plus descent) for a positive one.
double EmPixels(const ScreenFont& font) {
    const LONG height = font.logFont.lfHeight;
    if (height == 0) {
        return kDefaultEmPixels;
    }
    if (height < 0) {
        return -static_cast<double>(height);
    }
    const FT_Face face = font.face->face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double cellUnits = os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0
                                 ? os2->usWinAscent + os2->usWinDescent
                                 : face->ascender - face->descender;
    return cellUnits > 0 ? height * face->units_per_EM / cellUnits : height;
}

FT_Fixed Fixed16(const FIXED& value) {
    return static_cast<FT_Fixed>(value.value) * 65536 + value.fract;
}

bool IsIdentity(const MAT2& m) {
    return Fixed16(m.eM11) == 65536 && Fixed16(m.eM12) == 0 && Fixed16(m.eM21) == 0 &&
           Fixed16(m.eM22) == 65536;
}

int Round26Dot6(FT_Pos value) {
    return static_cast<int>(value >= 0 ? (value + 32) / kSubpixels : -((-value + 32) / kSubpixels));
}

// Rows of a mono FreeType bitmap as GDI lays them out: top down, each padded to 32 bits.
DWORD GdiBitmapBytes(const FT_Bitmap& bitmap) {
    return bitmap.rows * ((bitmap.width + 31) / 32 * 4);
}

void CopyRows(const FT_Bitmap& bitmap, BYTE* out) {
    const std::size_t rowBytes = (bitmap.width + 31) / 32 * 4;
    const std::size_t sourceBytes = (bitmap.width + 7) / 8;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* source = bitmap.pitch >= 0
                                          ? bitmap.buffer + row * bitmap.pitch
                                          : bitmap.buffer + (bitmap.rows - 1 - row) * -bitmap.pitch;
        std::memset(out + row * rowBytes, 0, rowBytes);
        std::memcpy(out + row * rowBytes, source, sourceBytes);
    }
}

}  // namespace

FT_Face SizedFace(const ScreenFont& font, double degrees) {
    const FT_Face face = font.face->face;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(EmPixels(font) * kSubpixels)), 72,
                     72);
    const double radians = degrees * kPi / 180.0;
    FT_Matrix rotation = {static_cast<FT_Fixed>(std::lround(std::cos(radians) * 65536)),
                          static_cast<FT_Fixed>(std::lround(-std::sin(radians) * 65536)),
                          static_cast<FT_Fixed>(std::lround(std::sin(radians) * 65536)),
                          static_cast<FT_Fixed>(std::lround(std::cos(radians) * 65536))};
    FT_Set_Transform(face, &rotation, nullptr);
    return face;
}

int AdvanceWidth(const ScreenFont& font, UINT character) {
    const FT_Face face = SizedFace(font, 0.0);
    if (FT_Load_Char(face, character, FT_LOAD_DEFAULT) != 0) {
        return -1;
    }
    return Round26Dot6(face->glyph->advance.x);
}

int CellHeight(const ScreenFont& font) {
    const FT_Face face = SizedFace(font, 0.0);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double scale = EmPixels(font) / face->units_per_EM;
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        return static_cast<int>(std::lround(os2->usWinAscent * scale) +
                                std::lround(os2->usWinDescent * scale));
    }
    return static_cast<int>(std::lround((face->ascender - face->descender) * scale));
}

}  // namespace sim::gdi

using namespace sim;
using namespace sim::gdi;

extern "C" {

BOOL WINAPI GetCharWidth32W(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
    const ScreenFont* font = SelectedFont(hdc);
    if (font == nullptr || font->face == nullptr || lpBuffer == nullptr || iLast < iFirst ||
        CallFails("GetCharWidth32W")) {
        return FALSE;
    }
    for (UINT character = iFirst; character <= iLast; ++character) {
        const int width = AdvanceWidth(*font, character);
        if (width < 0) {
            return FALSE;
        }
        lpBuffer[character - iFirst] = width;
    }
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, SIZE* psizl) {
    const ScreenFont* font = SelectedFont(hdc);
    if (font == nullptr || font->face == nullptr || psizl == nullptr || c < 0 ||
        (lpString == nullptr && c > 0) || CallFails("GetTextExtentPoint32W")) {
        return FALSE;
    }
    LONG width = 0;
    for (int i = 0; i < c; ++i) {
        const int advance = AdvanceWidth(*font, static_cast<char16_t>(lpString[i]));
        width += advance > 0 ? advance : 0;
    }
    psizl->cx = width;
    psizl->cy = CellHeight(*font);
    return TRUE;
}

DWORD WINAPI GetGlyphOutlineW(HDC hdc, UINT uChar, UINT fuFormat, LPGLYPHMETRICS lpgm,
                              DWORD cjBuffer, LPVOID pvBuffer, const MAT2* lpmat2) {
    const ScreenFont* font = SelectedFont(hdc);
    if (font == nullptr || font->face == nullptr || lpgm == nullptr || lpmat2 == nullptr ||
        (fuFormat != GGO_BITMAP && fuFormat != GGO_METRICS) || !IsIdentity(*lpmat2) ||
        CallFails("GetGlyphOutlineW")) {
        return GDI_ERROR;
    }
    // The font's escapement turns the glyph, as GDI does for a rotated font.
    const FT_Face face = SizedFace(*font, font->logFont.lfEscapement / 10.0);
    if (FT_Load_Char(face, uChar, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) {
        return GDI_ERROR;
    }
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    lpgm->gmCellIncX = static_cast<short>(Round26Dot6(glyph->advance.x));
    // Device space grows downwards, FreeType's upwards.
    lpgm->gmCellIncY = static_cast<short>(-Round26Dot6(glyph->advance.y));
    if (bitmap.width == 0 || bitmap.rows == 0 || glyph->outline.n_points == 0) {
        // A blank glyph such as the space: GDI reports a 1 x 1 box and has no bits to give.
        lpgm->gmBlackBoxX = 1;
        lpgm->gmBlackBoxY = 1;
        lpgm->gmptGlyphOrigin = {0, 0};
        return 0;
    }
    lpgm->gmBlackBoxX = bitmap.width;
    lpgm->gmBlackBoxY = bitmap.rows;
    lpgm->gmptGlyphOrigin = {glyph->bitmap_left, glyph->bitmap_top};
    const DWORD bytes = fuFormat == GGO_BITMAP ? GdiBitmapBytes(bitmap) : 0;
    if (pvBuffer == nullptr || cjBuffer == 0) {
        return bytes;
    }
    if (cjBuffer < bytes) {
        return GDI_ERROR;
    }
    CopyRows(bitmap, static_cast<BYTE*>(pvBuffer));
    return bytes;
}

}  // extern "C"
