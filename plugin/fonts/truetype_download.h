// The watermark's soft font in its scalable form: the font file's global tables as a PCL XL font
// header, and each character of the watermark text as its TrueType outline.
#pragma once

#include <type_traits>

#include "fonts/font_file.h"
#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

constexpr int kCodeCount = 256;
// Face name (at most 32 ANSI bytes), the suffix and room for a generation number.
constexpr int kSoftFontNameBytes = 64;

// One job's download record.
struct TrueTypeDownload {
    DWORD charCount;  // characters announced in the font header
    char fontName[kSoftFontNameBytes];
    // The glyph index of each 8-bit text code. The text codes themselves are the character
    // codes of the soft font, so indices above 255 print as they should.
    DWORD codeToGlyph[kCodeCount];
    WORD cmapFormat;  // format of the last `cmap` subtable looked at
};
static_assert(std::is_trivially_copyable_v<TrueTypeDownload>);

// Maps every 8-bit code through the font's format 4 `cmap` subtable: the Unicode one (platform
// 3 encoding 1, or platform 0) when the font has it, otherwise a symbol one, whose codes are
// 0xF000 + code. Codes the font does not map keep their own value; without a usable subtable
// the whole table is the identity.
void BuildCodeToGlyphTable(const FontFile& font, TrueTypeDownload& download);

// The font header: the directory of the tables the printer needs to scale outlines (`cvt `,
// `fpgm`, `head`, `hhea`, `hmtx`, `maxp`, `prep`) and their bytes. Everything is checked and
// allocated before the first byte goes out, so a refusal (false) leaves no open header in the
// stream.
bool DownloadTrueTypeHeader(XlStream* stream, const FontFile& font, TrueTypeDownload& download);

// One character record per byte of `text` (repeats included), each under its own code, with
// the components of composite glyphs sent first as glyph-only records.
void DownloadTextGlyphs(XlStream* stream, const FontFile& font, const TrueTypeDownload& download,
                        const BYTE* text, DWORD length);

// The record of glyph `glyphIndex` under character code `code`; a glyph the font cannot give
// goes down empty.
void DownloadTrueTypeChar(XlStream* stream, const FontFile& font, WORD code, WORD glyphIndex);

}  // namespace xlrender
