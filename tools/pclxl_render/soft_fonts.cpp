#include "pclxl_render/soft_fonts.h"

#include <map>
#include <optional>

#include "pclxl_render/bitmap_glyphs.h"
#include "pclxl_render/char_records.h"
#include "pclxl_render/font_header.h"
#include "pclxl_render/font_limits.h"
#include "pclxl_render/sfnt_builder.h"
#include "pclxl_render/truetype_rasteriser.h"

namespace pclxl_render {

namespace {

constexpr std::uint8_t kFontFormat = 0;
// TrueType glyphs sent under this code are only there for composite glyphs to refer to.
constexpr std::uint16_t kGlyphWithoutCode = 0xFFFF;

// Font names are bytes; a message shows them printable.
std::string Quoted(const std::string& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "\"";
    for (unsigned char c : name) {
        if (c >= ' ' && c <= '~' && c != '"' && c != '\\') {
            text += static_cast<char>(c);
        } else {
            text += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        }
    }
    return text + "\"";
}

struct SoftFont {
    FontHeader header;
    std::map<std::uint16_t, BitmapChar> bitmaps;      // by character code
    std::map<std::uint16_t, TrueTypeChar> glyphs;     // by glyph id
    std::map<std::uint16_t, std::uint16_t> glyphIds;  // character code -> glyph id
    std::size_t storedBytes = 0;
    // The rebuilt TrueType font, made again after characters arrive.
    std::optional<RebuiltFont> rebuilt;
    std::unique_ptr<TrueTypeFace> face;
    std::string faceProblem;
};

std::size_t BytesOf(const BitmapChar& c) {
    return c.rows.size();
}
std::size_t BytesOf(const TrueTypeChar& c) {
    return c.outline.size();
}

}  // namespace

struct SoftFontStore::State {
    FreeTypeLibrary freeType;
    std::map<std::string, SoftFont> fonts;
    std::size_t storedBytes = 0;  // all fonts together

    std::optional<std::string> headerName;  // between BeginFontHeader and EndFontHeader
    std::vector<std::uint8_t> headerBytes;
    std::optional<std::string> charFontName;  // between BeginChar and EndChar

    std::string Busy() const {
        if (headerName) {
            return "the font header of " + Quoted(*headerName) + " is still open";
        }
        if (charFontName) {
            return "the characters of " + Quoted(*charFontName) + " are still open";
        }
        return "";
    }

    std::string Budget(std::size_t adding, std::size_t removing) const {
        if (storedBytes - removing + adding > kMaxStoredFontBytes) {
            return "the soft fonts would hold more than " +
                   std::to_string(kMaxStoredFontBytes / kMiB) + " MiB";
        }
        return "";
    }

    template <typename Record>
    void Store(SoftFont& font, std::map<std::uint16_t, Record>& records, std::uint16_t key,
               Record record) {
        const auto old = records.find(key);
        const std::size_t removing = old == records.end() ? 0 : BytesOf(old->second);
        storedBytes = storedBytes - removing + BytesOf(record);
        font.storedBytes = font.storedBytes - removing + BytesOf(record);
        records[key] = std::move(record);
    }

    std::string AddTrueTypeChar(SoftFont& font, std::uint16_t code,
                                std::span<const std::uint8_t> data) {
        TrueTypeChar glyph;
        if (std::string problem = ParseTrueTypeChar(data, glyph); !problem.empty()) {
            return problem;
        }
        const auto old = font.glyphs.find(glyph.glyphId);
        if (std::string problem =
                Budget(BytesOf(glyph), old == font.glyphs.end() ? 0 : BytesOf(old->second));
            !problem.empty()) {
            return problem;
        }
        if (code != kGlyphWithoutCode) {
            font.glyphIds[code] = glyph.glyphId;
        }
        const std::uint16_t id = glyph.glyphId;
        Store(font, font.glyphs, id, std::move(glyph));
        font.rebuilt.reset();
        font.face.reset();
        return "";
    }

    std::string AddBitmapChar(SoftFont& font, std::uint16_t code,
                              std::span<const std::uint8_t> data) {
        BitmapChar bitmap;
        if (std::string problem = ParseBitmapChar(data, bitmap); !problem.empty()) {
            return problem;
        }
        const auto old = font.bitmaps.find(code);
        if (std::string problem =
                Budget(BytesOf(bitmap), old == font.bitmaps.end() ? 0 : BytesOf(old->second));
            !problem.empty()) {
            return problem;
        }
        Store(font, font.bitmaps, code, std::move(bitmap));
        return "";
    }

    // The font's FreeType face, rebuilt when characters arrived since the last one.
    const TrueTypeFace* Face(SoftFont& font, std::string& problem) {
        if (!font.rebuilt) {
            font.rebuilt = RebuildTrueTypeFont(font.header, font.glyphs);
            font.faceProblem.clear();
            font.face = TrueTypeFace::Open(freeType, font.rebuilt->sfnt, font.faceProblem);
        }
        problem = font.faceProblem;
        return font.face.get();
    }
};

SoftFontStore::SoftFontStore() : state_(std::make_unique<State>()) {}

SoftFontStore::~SoftFontStore() = default;

std::string SoftFontStore::BeginFontHeader(const std::string& fontName, std::uint8_t fontFormat) {
    if (std::string busy = state_->Busy(); !busy.empty()) {
        return busy;
    }
    if (fontFormat != kFontFormat) {
        return "font format " + std::to_string(fontFormat) + " is not supported (0)";
    }
    if (fontName.empty()) {
        return "the font name is empty";
    }
    if (HasFont(fontName)) {
        return "font " + Quoted(fontName) + " is already defined";
    }
    state_->headerName = fontName;
    state_->headerBytes.clear();
    return "";
}

std::string SoftFontStore::ReadFontHeader(std::span<const std::uint8_t> data) {
    State& s = *state_;
    if (!s.headerName) {
        return "font header data outside BeginFontHeader and EndFontHeader";
    }
    std::string problem;
    if (data.size() > kMaxFontHeaderBytes - s.headerBytes.size()) {
        problem = "the font header of " + Quoted(*s.headerName) + " is larger than " +
                  std::to_string(kMaxFontHeaderBytes / kMiB) + " MiB";
    } else {
        problem = s.Budget(s.headerBytes.size() + data.size(), 0);
    }
    if (!problem.empty()) {
        // The font cannot be defined: what follows until EndFontHeader is refused as well.
        s.headerName.reset();
        s.headerBytes = {};
        return problem;
    }
    s.headerBytes.insert(s.headerBytes.end(), data.begin(), data.end());
    return "";
}

std::string SoftFontStore::EndFontHeader() {
    State& s = *state_;
    if (!s.headerName) {
        return "EndFontHeader without BeginFontHeader";
    }
    const std::string name = *s.headerName;
    s.headerName.reset();
    SoftFont font;
    if (std::string problem = ParseFontHeader(std::move(s.headerBytes), font.header);
        !problem.empty()) {
        s.headerBytes = {};
        return "font " + Quoted(name) + " is refused: " + problem;
    }
    s.headerBytes = {};
    font.storedBytes = font.header.bytes.size();
    s.storedBytes += font.storedBytes;
    s.fonts.emplace(name, std::move(font));
    return "";
}

std::string SoftFontStore::BeginChar(const std::string& fontName) {
    if (std::string busy = state_->Busy(); !busy.empty()) {
        return busy;
    }
    if (!HasFont(fontName)) {
        return "font " + Quoted(fontName) + " is not defined";
    }
    state_->charFontName = fontName;
    return "";
}

std::string SoftFontStore::ReadChar(std::uint16_t charCode, std::uint32_t charDataSize,
                                    std::span<const std::uint8_t> data) {
    State& s = *state_;
    if (!s.charFontName) {
        return "ReadChar outside BeginChar and EndChar";
    }
    if (charDataSize != data.size()) {
        return "CharDataSize says " + std::to_string(charDataSize) + " bytes; the data holds " +
               std::to_string(data.size());
    }
    if (data.size() > kMaxCharRecordBytes) {
        return "a character record of " + std::to_string(data.size()) + " bytes is larger than " +
               std::to_string(kMaxCharRecordBytes / kMiB) + " MiB";
    }
    SoftFont& font = s.fonts.at(*s.charFontName);
    const std::string problem = font.header.technology == ScalingTechnology::kTrueType
                                    ? s.AddTrueTypeChar(font, charCode, data)
                                    : s.AddBitmapChar(font, charCode, data);
    if (!problem.empty()) {
        return "character " + std::to_string(charCode) + " of " + Quoted(*s.charFontName) +
               " is refused: " + problem;
    }
    return "";
}

std::string SoftFontStore::EndChar() {
    if (!state_->charFontName) {
        return "EndChar without BeginChar";
    }
    state_->charFontName.reset();
    return "";
}

std::string SoftFontStore::RemoveFont(const std::string& fontName) {
    State& s = *state_;
    const auto found = s.fonts.find(fontName);
    if (found == s.fonts.end()) {
        return "font " + Quoted(fontName) + " is not defined";
    }
    if (s.charFontName == fontName) {
        s.charFontName.reset();
    }
    s.storedBytes -= found->second.storedBytes;
    s.fonts.erase(found);
    return "";
}

bool SoftFontStore::HasFont(const std::string& fontName) const {
    return state_->fonts.count(fontName) != 0;
}

std::string SoftFontStore::RenderChar(const std::string& fontName, std::uint16_t charCode,
                                      const CharMatrix& matrix, double deviceDpi,
                                      GlyphBitmap& out) {
    out = GlyphBitmap{};
    const auto found = state_->fonts.find(fontName);
    if (found == state_->fonts.end()) {
        return "font " + Quoted(fontName) + " is not defined";
    }
    SoftFont& font = found->second;
    if (font.header.technology == ScalingTechnology::kBitmap) {
        const auto bitmap = font.bitmaps.find(charCode);
        if (bitmap == font.bitmaps.end()) {
            return "";
        }
        return RenderBitmapChar(bitmap->second, font.header.xResolution, font.header.yResolution,
                                matrix, deviceDpi, out);
    }
    const auto glyphId = font.glyphIds.find(charCode);
    if (glyphId == font.glyphIds.end()) {
        return "";
    }
    std::string problem;
    const TrueTypeFace* face = state_->Face(font, problem);
    if (face == nullptr) {
        return "font " + Quoted(fontName) + ": " + problem;
    }
    const RebuiltFont& rebuilt = *font.rebuilt;
    if (problem = face->Render(glyphId->second, rebuilt.unitsPerEm, matrix, out);
        !problem.empty()) {
        out = GlyphBitmap{};
        return "character " + std::to_string(charCode) + " of " + Quoted(fontName) + ": " + problem;
    }
    const double advance =
        glyphId->second < rebuilt.advanceWidths.size()
            ? static_cast<double>(rebuilt.advanceWidths[glyphId->second]) / rebuilt.unitsPerEm
            : 0.0;
    out.advanceX = matrix.xx * advance;
    out.advanceY = matrix.xy * advance;
    return "";
}

}  // namespace pclxl_render
