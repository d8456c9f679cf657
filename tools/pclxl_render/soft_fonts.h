#pragma once
// Soft fonts downloaded by a PCL XL stream (font-header and character operators) and the
// rasterising of their characters for Text. Only what the stream downloaded is used: TrueType
// characters are rasterised by FreeType from a font rebuilt in memory out of the header's
// table segment and the downloaded glyph data; bitmap characters are scaled from the font's own
// resolution.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pclxl_render {

// The linear map from character space to device pixels. Character space measures the em as 1.0
// (so the matrix already includes CharSize, CharScale, CharShear, CharAngle and the page's
// transformation), x along the baseline, y pointing down the page as user space does:
// a character-space offset (x, y) lands (xx*x + yx*y, xy*x + yy*y) device pixels from the pen.
struct CharMatrix {
    double xx = 1, xy = 0, yx = 0, yy = 1;
};

// One character as drawn: coverage of device pixels (0 none .. 255 full), placed relative to the
// pen position (the character origin on the baseline).
struct GlyphBitmap {
    int left = 0;  // device column of alpha's first column, relative to the pen
    int top = 0;   // device row of alpha's first row, relative to the pen
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha;  // width * height, row by row
    // How far the pen moves after this character when Text carries no spacing data (device pixels).
    double advanceX = 0;
    double advanceY = 0;
};

// The soft fonts of one session: defined by the font-header and character operators, used by Text.
class SoftFontStore {
public:
    SoftFontStore();
    ~SoftFontStore();
    SoftFontStore(const SoftFontStore&) = delete;
    SoftFontStore& operator=(const SoftFontStore&) = delete;

    // Each answers "" on success, otherwise a message saying what is wrong; the caller adds the
    // operator's name and byte offset. Limits on sizes (memory bounds) are the module's own.
    std::string BeginFontHeader(const std::string& fontName, std::uint8_t fontFormat);
    std::string ReadFontHeader(std::span<const std::uint8_t> data);
    std::string EndFontHeader();
    std::string BeginChar(const std::string& fontName);
    std::string ReadChar(std::uint16_t charCode, std::uint32_t charDataSize,
                         std::span<const std::uint8_t> data);
    std::string EndChar();
    std::string RemoveFont(const std::string& fontName);
    bool HasFont(const std::string& fontName) const;

    // Draws character `charCode` of `fontName`. `deviceDpi` is the preview's resolution (bitmap
    // fonts are drawn at their own resolution scaled to it, in the direction the matrix gives).
    // A code the font never downloaded draws nothing and answers "" (a printer prints nothing).
    std::string RenderChar(const std::string& fontName, std::uint16_t charCode,
                           const CharMatrix& matrix, double deviceDpi, GlyphBitmap& out);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pclxl_render
