// The character records of the scalable download.
#include "fonts/truetype_download.h"
#include "platform/text.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr BYTE kCharFormatTrueType = 1;
constexpr BYTE kCharClass = 0;
constexpr DWORD kRecordHeadBytes = 6;
// The record's own size field counts everything after itself.
constexpr DWORD kSizeFieldCovers = 4;
constexpr DWORD kLargestGlyph = 0xFFFF - kSizeFieldCovers;
constexpr WORD kGlyphOnlyCode = 0xFFFF;

// Composite glyph layout.
constexpr DWORD kGlyphHeaderBytes = 10;
constexpr WORD kArgumentsAreWords = 0x0001;
constexpr WORD kHasScale = 0x0008;
constexpr WORD kMoreComponents = 0x0020;
constexpr WORD kHasXyScale = 0x0040;
constexpr WORD kHasTwoByTwo = 0x0080;
// A composite chain that does not end (a glyph naming itself, directly or through others) is
// cut off here; real fonts nest two or three levels.
constexpr int kMaxCompositeDepth = 4;
constexpr int kMaxComponentRecords = 64;

struct Glyph {
    const BYTE* bytes;
    DWORD length;
};

Glyph GlyphOf(const FontFile& font, WORD glyphIndex) {
    DWORD length = 0;
    const BYTE* bytes = LocateGlyph(font, glyphIndex, length);
    // A glyph the font cannot give, or one too long for a record, goes down empty.
    if (bytes == nullptr || length > kLargestGlyph) {
        return {nullptr, 0};
    }
    return {bytes, length};
}

void SendRecord(XlStream* stream, WORD code, WORD glyphIndex, const Glyph& glyph) {
    BYTE head[kRecordHeadBytes] = {kCharFormatTrueType, kCharClass};
    WriteBigEndian16(head + 2, static_cast<WORD>(glyph.length + kSizeFieldCovers));
    WriteBigEndian16(head + 4, glyphIndex);
    const DWORD recordBytes = kRecordHeadBytes + glyph.length;
    XlReadChar(stream, code, recordBytes);
    XlPutDataLength32(stream, recordBytes);
    XlPutRawBytes(stream, head, kRecordHeadBytes);
    XlPutRawBytes(stream, glyph.bytes, glyph.length);
}

DWORD ComponentRecordBytes(WORD flags) {
    DWORD bytes = 4 + ((flags & kArgumentsAreWords) != 0 ? 4 : 2);
    if ((flags & kHasScale) != 0) {
        bytes += 2;
    } else if ((flags & kHasXyScale) != 0) {
        bytes += 4;
    } else if ((flags & kHasTwoByTwo) != 0) {
        bytes += 8;
    }
    return bytes;
}

bool IsComposite(const Glyph& glyph) {
    return glyph.length >= kGlyphHeaderBytes && (glyph.bytes[0] & 0x80) != 0;
}

// Sends the components of a composite glyph (and theirs) as glyph-only records, reading only
// inside the glyph's bytes.
void SendComponents(XlStream* stream, const FontFile& font, const Glyph& glyph, int depth,
                    int& records) {
    if (!IsComposite(glyph) || depth >= kMaxCompositeDepth) {
        return;
    }
    DWORD at = kGlyphHeaderBytes;
    WORD flags = kMoreComponents;
    while ((flags & kMoreComponents) != 0 && glyph.length - at >= 4 &&
           records < kMaxComponentRecords) {
        flags = ReadBigEndian16(glyph.bytes + at);
        const WORD componentIndex = ReadBigEndian16(glyph.bytes + at + 2);
        const Glyph component = GlyphOf(font, componentIndex);
        ++records;
        SendComponents(stream, font, component, depth + 1, records);
        SendRecord(stream, kGlyphOnlyCode, componentIndex, component);
        const DWORD step = ComponentRecordBytes(flags);
        if (step > glyph.length - at) {
            break;
        }
        at += step;
    }
}

}  // namespace

void DownloadTrueTypeChar(XlStream* stream, const FontFile& font, WORD code, WORD glyphIndex) {
    const Glyph glyph = GlyphOf(font, glyphIndex);
    int records = 0;
    SendComponents(stream, font, glyph, 0, records);
    SendRecord(stream, code, glyphIndex, glyph);
}

void DownloadTextGlyphs(XlStream* stream, const FontFile& font, const TrueTypeDownload& download,
                        const BYTE* text, DWORD length) {
    const auto* name = reinterpret_cast<const BYTE*>(download.fontName);
    XlBeginChar(stream, name, static_cast<WORD>(TextLength(download.fontName)));
    for (DWORD i = 0; i < length; ++i) {
        const BYTE code = text[i];
        DownloadTrueTypeChar(stream, font, code, static_cast<WORD>(download.codeToGlyph[code]));
    }
    XlEndChar(stream);
}

}  // namespace xlrender
