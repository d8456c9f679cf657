#include "pclxl_render/soft_fonts.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>

#include "pclxl_render/font_header.h"
#include "pclxl_render/font_limits.h"
#include "pclxl_render/soft_font.h"
#include "pclxl_render/truetype_rasteriser.h"

namespace pclxl_render {

namespace {

constexpr std::uint8_t kFontFormat = 0;

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

std::string NotDefined(const std::string& name) {
    return "font " + Quoted(name) + " is not defined";
}

}  // namespace

struct SoftFontStore::State {
    FreeTypeLibrary freeType;
    std::map<std::string, SoftFont> fonts;
    std::size_t storedBytes = 0;      // all fonts together
    std::deque<SoftFont*> openFaces;  // fonts that hold a face, the most recently drawn last

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

    std::size_t Room() const {
        return kMaxStoredFontBytes - std::min(storedBytes, kMaxStoredFontBytes);
    }

    void AbandonHeader() {
        headerName.reset();
        headerBytes = {};
    }

    // Keeps the faces of the fonts drawn last open, and lets older ones go.
    void MarkDrawn(SoftFont& font) {
        std::erase(openFaces, &font);
        if (font.HasFace()) {
            openFaces.push_back(&font);
        }
        if (openFaces.size() > kMaxOpenFaces) {
            openFaces.front()->CloseFace();
            openFaces.pop_front();
        }
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
    } else if (s.headerBytes.size() + data.size() + kFontBookkeepingBytes > s.Room()) {
        problem = StoredFontsFull();
    }
    if (!problem.empty()) {
        // The font cannot be defined: what follows until EndFontHeader is refused as well.
        s.AbandonHeader();
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
    FontHeader header;
    std::string problem = ParseFontHeader(std::move(s.headerBytes), header);
    s.AbandonHeader();
    if (!problem.empty()) {
        return "font " + Quoted(name) + " is refused: " + problem;
    }
    SoftFont& font = s.fonts.emplace(name, SoftFont(std::move(header))).first->second;
    s.storedBytes += font.storedBytes();
    return "";
}

std::string SoftFontStore::BeginChar(const std::string& fontName) {
    if (std::string busy = state_->Busy(); !busy.empty()) {
        return busy;
    }
    if (!HasFont(fontName)) {
        return NotDefined(fontName);
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
    const std::size_t before = font.storedBytes();
    const std::string problem = font.AddChar(charCode, data, s.Room());
    s.storedBytes = s.storedBytes - before + font.storedBytes();
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
        return NotDefined(fontName);
    }
    if (s.charFontName == fontName) {
        s.charFontName.reset();
    }
    std::erase(s.openFaces, &found->second);
    s.storedBytes -= found->second.storedBytes();
    s.fonts.erase(found);
    return "";
}

bool SoftFontStore::HasFont(const std::string& fontName) const {
    return state_->fonts.count(fontName) != 0;
}

std::string SoftFontStore::RenderChar(const std::string& fontName, std::uint16_t charCode,
                                      const CharMatrix& matrix, double deviceDpi,
                                      GlyphBitmap& out) {
    State& s = *state_;
    out = GlyphBitmap{};
    const auto found = s.fonts.find(fontName);
    if (found == s.fonts.end()) {
        return NotDefined(fontName);
    }
    SoftFont& font = found->second;
    const std::string problem = font.Render(s.freeType, charCode, matrix, deviceDpi, out);
    s.MarkDrawn(font);
    if (!problem.empty()) {
        return "character " + std::to_string(charCode) + " of " + Quoted(fontName) + ": " + problem;
    }
    return "";
}

}  // namespace pclxl_render
