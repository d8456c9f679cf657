// Option keywords of the GPD features whose options stand for small integers: the position of a
// keyword in its table is the value the settings store. Matching is exact (case-sensitive).
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

struct KeywordTable {
    const WCHAR* const* keywords;
    DWORD count;
};

// Feature KZPrinterCode → PrinterCode. Position 0: model not needed.
extern const KeywordTable kPrinterCodeTable;
// Feature KZColorMode → ColorMode: 0 invalid, 1 monochrome, 2 colour.
extern const KeywordTable kColorModeTable;
// Feature KZPosterPrintingOption → PosterOption; position 0 is the real option "POSTER_2".
extern const KeywordTable kPosterTable;
// Feature KZPDLType → PdlType: 0 invalid, 1 PCL5, 2 PCL6, 3 PostScript, 4 PCL3.
extern const KeywordTable kPdlTable;
// Feature KZMaxResolution → MaxResolution: 0 invalid, 1 150, 2 300, 3 600, 4 1200 dpi.
extern const KeywordTable kMaxResolutionTable;
// Feature KZJobAccounting → JobAccountingKind: 1 accounting, 2 time stamp, 3 both.
extern const KeywordTable kJobAccountingTable;
// Feature KZPJLEncoding → PjlEncodingKind: 1 UTF-8, 2 7-bit, 3 8-bit, 4 UTF-8 subset. The PJL
// writer also indexes it by value to get the keyword back.
extern const KeywordTable kEncodingTable;

// The printer model whose proof-and-hold command differs from the others.
constexpr DWORD kPrinterCodeR6100 = 4;

enum ColorModeValue : DWORD {
    kColorModeInvalid = 0,
    kColorModeMonochrome = 1,
    kColorModeColor = 2
};
enum PdlTypeValue : DWORD {
    kPdlInvalid = 0,
    kPdlPcl5 = 1,
    kPdlPcl6 = 2,
    kPdlPostScript = 3,
    kPdlPcl3 = 4
};

}  // namespace xlrender
