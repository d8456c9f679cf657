#include "pclxl_render/truetype_rasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <cmath>

#include "pclxl_render/font_limits.h"

namespace pclxl_render {

namespace {

constexpr double kFixedOne = 65536.0;      // FT_Fixed, 16.16
constexpr FT_Pos kSubpixelsPerPixel = 64;  // FT_Pos, 26.6
constexpr double kSubpixels = kSubpixelsPerPixel;
constexpr double kMaxPixelsPerEm = 1e6;  // beyond this the 16.16 matrix could overflow

std::string FreeTypeMessage(const char* what, FT_Error error) {
    const char* text = FT_Error_String(error);
    return std::string(what) + " (FreeType error " + std::to_string(error) +
           (text != nullptr ? std::string(": ") + text : std::string()) + ")";
}

FT_Library AsLibrary(void* handle) {
    return static_cast<FT_Library>(handle);
}
FT_Face AsFace(void* handle) {
    return static_cast<FT_Face>(handle);
}

// The outline comes in font units with y up; the matrix maps ems with y down to device pixels
// with y down, and FreeType draws its bitmaps with y up: flip on both sides.
bool OutlineMatrix(const CharMatrix& m, std::uint16_t unitsPerEm, FT_Matrix& out) {
    for (double entry : {m.xx, m.xy, m.yx, m.yy}) {
        if (!std::isfinite(entry) || std::fabs(entry) > kMaxPixelsPerEm) {
            return false;
        }
    }
    const double scale = kSubpixels / unitsPerEm * kFixedOne;
    out.xx = static_cast<FT_Fixed>(std::lround(m.xx * scale));
    out.xy = static_cast<FT_Fixed>(std::lround(-m.yx * scale));
    out.yx = static_cast<FT_Fixed>(std::lround(-m.xy * scale));
    out.yy = static_cast<FT_Fixed>(std::lround(m.yy * scale));
    return true;
}

}  // namespace

FreeTypeLibrary::FreeTypeLibrary() {
    FT_Library library = nullptr;
    if (const FT_Error error = FT_Init_FreeType(&library); error != 0) {
        problem_ = FreeTypeMessage("FreeType did not start", error);
        return;
    }
    library_ = library;
}

FreeTypeLibrary::~FreeTypeLibrary() {
    if (library_ != nullptr) {
        FT_Done_FreeType(AsLibrary(library_));
    }
}

TrueTypeFace::~TrueTypeFace() {
    if (face_ != nullptr) {
        FT_Done_Face(AsFace(face_));
    }
}

std::unique_ptr<TrueTypeFace> TrueTypeFace::Open(const FreeTypeLibrary& library,
                                                 std::vector<std::uint8_t> sfnt,
                                                 std::string& problem) {
    if (!library.problem().empty()) {
        problem = library.problem();
        return nullptr;
    }
    std::unique_ptr<TrueTypeFace> face(new TrueTypeFace());
    face->sfnt_ = std::move(sfnt);
    FT_Face handle = nullptr;
    const FT_Error error = FT_New_Memory_Face(AsLibrary(library.handle()), face->sfnt_.data(),
                                              static_cast<FT_Long>(face->sfnt_.size()), 0, &handle);
    if (error != 0) {
        problem = FreeTypeMessage("FreeType refuses the downloaded TrueType font", error);
        return nullptr;
    }
    face->face_ = handle;
    face->library_ = library.handle();
    return face;
}

std::string TrueTypeFace::Render(std::uint16_t glyphId, std::uint16_t unitsPerEm,
                                 const CharMatrix& matrix, GlyphBitmap& out) const {
    FT_Matrix transform;
    if (!OutlineMatrix(matrix, unitsPerEm, transform)) {
        return "the character matrix is not a finite size the renderer can draw";
    }
    FT_Face face = AsFace(face_);
    if (const FT_Error error = FT_Load_Glyph(face, glyphId, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP);
        error != 0) {
        return FreeTypeMessage(("glyph " + std::to_string(glyphId) + " cannot be loaded").c_str(),
                               error);
    }
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return "glyph " + std::to_string(glyphId) + " is not an outline";
    }
    FT_Outline& outline = face->glyph->outline;
    FT_Outline_Transform(&outline, &transform);
    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    if (outline.n_points == 0 || box.xMax <= box.xMin || box.yMax <= box.yMin) {
        return "";  // nothing to draw: a space
    }
    const FT_Pos left = static_cast<FT_Pos>(std::floor(box.xMin / kSubpixels));
    const FT_Pos bottom = static_cast<FT_Pos>(std::floor(box.yMin / kSubpixels));
    const FT_Pos right = static_cast<FT_Pos>(std::ceil(box.xMax / kSubpixels));
    const FT_Pos top = static_cast<FT_Pos>(std::ceil(box.yMax / kSubpixels));
    if (std::string problem =
            CheckGlyphSize(static_cast<double>(right - left), static_cast<double>(top - bottom));
        !problem.empty()) {
        return problem;
    }
    out.left = static_cast<int>(left);
    out.top = static_cast<int>(-top);
    out.width = static_cast<int>(right - left);
    out.height = static_cast<int>(top - bottom);
    out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    FT_Outline_Translate(&outline, -left * kSubpixelsPerPixel, -bottom * kSubpixelsPerPixel);
    FT_Bitmap target;
    FT_Bitmap_Init(&target);
    target.rows = static_cast<unsigned>(out.height);
    target.width = static_cast<unsigned>(out.width);
    target.pitch = out.width;
    target.buffer = out.alpha.data();
    target.pixel_mode = FT_PIXEL_MODE_GRAY;
    target.num_grays = 256;
    if (const FT_Error error = FT_Outline_Get_Bitmap(AsLibrary(library_), &outline, &target);
        error != 0) {
        out = GlyphBitmap{};
        return FreeTypeMessage(("glyph " + std::to_string(glyphId) + " cannot be drawn").c_str(),
                               error);
    }
    return "";
}

}  // namespace pclxl_render
