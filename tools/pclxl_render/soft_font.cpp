#include "pclxl_render/soft_font.h"

#include "pclxl_render/bitmap_glyphs.h"
#include "pclxl_render/font_limits.h"

namespace pclxl_render {

namespace {

// TrueType glyphs sent under this code are only there for composite glyphs to refer to.
constexpr std::uint16_t kGlyphWithoutCode = 0xFFFF;

std::size_t BytesOf(const BitmapChar& c) {
    return c.rows.size() + kCharBookkeepingBytes;
}
std::size_t BytesOf(const TrueTypeChar& c) {
    return c.outline.size() + kCharBookkeepingBytes;
}

}  // namespace

SoftFont::SoftFont(FontHeader header)
    : header_(std::move(header)), storedBytes_(header_.bytes.size() + kFontBookkeepingBytes) {}

template <typename Record>
std::string SoftFont::Keep(std::map<std::uint16_t, Record>& records, std::uint16_t key,
                           Record record, std::size_t room) {
    const auto old = records.find(key);
    const std::size_t removing = old == records.end() ? 0 : BytesOf(old->second);
    const std::size_t adding = BytesOf(record);
    if (adding > removing && adding - removing > room) {
        return StoredFontsFull();
    }
    storedBytes_ = storedBytes_ - removing + adding;
    records[key] = std::move(record);
    return "";
}

std::string SoftFont::AddChar(std::uint16_t code, std::span<const std::uint8_t> record,
                              std::size_t room) {
    if (header_.technology == ScalingTechnology::kTrueType) {
        return AddTrueTypeChar(code, record, room);
    }
    BitmapChar bitmap;
    if (std::string problem = ParseBitmapChar(record, bitmap); !problem.empty()) {
        return problem;
    }
    return Keep(bitmaps_, code, std::move(bitmap), room);
}

std::string SoftFont::AddTrueTypeChar(std::uint16_t code, std::span<const std::uint8_t> record,
                                      std::size_t room) {
    TrueTypeChar glyph;
    if (std::string problem = ParseTrueTypeChar(record, glyph); !problem.empty()) {
        return problem;
    }
    const std::uint16_t id = glyph.glyphId;
    if (std::string problem = Keep(glyphs_, id, std::move(glyph), room); !problem.empty()) {
        return problem;
    }
    if (code != kGlyphWithoutCode) {
        glyphIds_[code] = id;
    }
    CloseFace();
    return "";
}

void SoftFont::CloseFace() {
    face_.reset();
    rebuilt_.reset();
    faceProblem_.clear();
}

std::string SoftFont::Render(const FreeTypeLibrary& freeType, std::uint16_t code,
                             const CharMatrix& matrix, double deviceDpi, GlyphBitmap& out) {
    out = GlyphBitmap{};
    if (header_.technology == ScalingTechnology::kBitmap) {
        const auto bitmap = bitmaps_.find(code);
        return bitmap == bitmaps_.end()
                   ? ""
                   : RenderBitmapChar(bitmap->second, header_.xResolution, header_.yResolution,
                                      matrix, deviceDpi, out);
    }
    const auto glyphId = glyphIds_.find(code);
    if (glyphId == glyphIds_.end()) {
        return "";
    }
    if (!rebuilt_) {
        rebuilt_ = RebuildTrueTypeFont(header_, glyphs_);
        face_ = TrueTypeFace::Open(freeType, std::move(rebuilt_->sfnt), faceProblem_);
    }
    if (face_ == nullptr) {
        return faceProblem_;
    }
    if (std::string problem = face_->Render(glyphId->second, rebuilt_->unitsPerEm, matrix, out);
        !problem.empty()) {
        out = GlyphBitmap{};
        return problem;
    }
    const std::uint16_t id = glyphId->second;
    const double advance =
        id < rebuilt_->advanceWidths.size()
            ? static_cast<double>(rebuilt_->advanceWidths[id]) / rebuilt_->unitsPerEm
            : 0.0;
    out.advanceX = matrix.xx * advance;
    out.advanceY = matrix.xy * advance;
    return "";
}

}  // namespace pclxl_render
