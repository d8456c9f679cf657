// Any bytes as the font file of a watermark face: the reader and the scalable download must
// read only inside the file, end, and leave a well-formed stream or none.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fonts/font_file.h"
#include "fonts/font_tables.h"
#include "fonts/truetype_download.h"
#include "platform/memory.h"
#include "xlstream/xl_stream.h"

namespace {

using namespace xlrender;

DWORD DiscardFlush(XlStream* stream, void*, BYTE*, LONG length) {
    stream->length = 0;
    return static_cast<DWORD>(length);
}

constexpr BYTE kText[] = "CONFIDENTIAL {}|~";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy on the heap, so that any read past the end is caught.
    std::vector<BYTE> file(data, data + size);
    const FontFile font = {file.data(), static_cast<DWORD>(file.size())};
    const WORD glyphs = CountGlyphs(font);
    DWORD length = 0;
    for (WORD index : {WORD{0}, WORD{1}, static_cast<WORD>(glyphs - 1), glyphs, WORD{0xFFFF}}) {
        const BYTE* glyph = LocateGlyph(font, index, length);
        if (glyph != nullptr && length != 0) {
            volatile BYTE last = glyph[length - 1];
            (void)last;
        }
    }
    TrueTypeDownload download{};
    download.charCount = glyphs;
    std::strcpy(download.fontName, "FuzzKZ_WM");
    BuildCodeToGlyphTable(font, download);
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &DiscardFlush, nullptr);
    if (stream != nullptr && DownloadTrueTypeHeader(stream, font, download)) {
        DownloadTextGlyphs(stream, font, download, kText, sizeof kText - 1);
    }
    XlStreamDestroy(stream);
    return 0;
}
