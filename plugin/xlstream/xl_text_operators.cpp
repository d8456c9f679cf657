// Soft-font download and text operators.
#include <algorithm>

#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

void PutFontName(XlStream* stream, const BYTE* fontName, WORD nameLength) {
    XlPutUByteArray(stream, fontName, nameLength);
    XlPutAttribute(stream, kXlAttrFontName);
}

void PutTextData(XlStream* stream, const BYTE* text, WORD length) {
    XlPutUByteArray(stream, text, length);
    XlPutAttribute(stream, kXlAttrTextData);
}

bool FitsUByte(SHORT value) { return value >= 0 && value <= 0xFF; }

}  // namespace

void XlBeginFontHeader(XlStream* stream, const BYTE* fontName, WORD nameLength, BYTE format) {
    PutFontName(stream, fontName, nameLength);
    XlPutUByte(stream, format);
    XlPutAttribute(stream, kXlAttrFontFormat);
    XlPutOperator(stream, kXlOpBeginFontHeader);
}

void XlReadFontHeader(XlStream* stream, WORD length) {
    XlPutUInt16(stream, length);
    XlPutAttribute(stream, kXlAttrFontHeaderLength);
    XlPutOperator(stream, kXlOpReadFontHeader);
}

void XlEndFontHeader(XlStream* stream) { XlPutOperator(stream, kXlOpEndFontHeader); }

void XlBeginChar(XlStream* stream, const BYTE* fontName, WORD nameLength) {
    PutFontName(stream, fontName, nameLength);
    XlPutOperator(stream, kXlOpBeginChar);
}

void XlReadChar(XlStream* stream, WORD code, DWORD size) {
    XlPutUInt16(stream, code);
    XlPutAttribute(stream, kXlAttrCharCode);
    XlPutUInt32(stream, size);
    XlPutAttribute(stream, kXlAttrCharDataSize);
    XlPutOperator(stream, kXlOpReadChar);
}

void XlEndChar(XlStream* stream) { XlPutOperator(stream, kXlOpEndChar); }

void XlSetFont(XlStream* stream, const BYTE* fontName, WORD nameLength, FLOAT size,
               WORD symbolSet) {
    PutFontName(stream, fontName, nameLength);
    XlPutReal32(stream, size);
    XlPutAttribute(stream, kXlAttrCharSize);
    XlPutUInt16(stream, symbolSet);
    XlPutAttribute(stream, kXlAttrSymbolSet);
    XlPutOperator(stream, kXlOpSetFont);
}

void XlSetCharAngle(XlStream* stream, FLOAT angle) {
    XlPutReal32(stream, angle);
    XlPutAttribute(stream, kXlAttrCharAngle);
    XlPutOperator(stream, kXlOpSetCharAngle);
}

void XlSetCharScale(XlStream* stream, FLOAT x, FLOAT y) {
    XlPutReal32XY(stream, x, y);
    XlPutAttribute(stream, kXlAttrCharScale);
    XlPutOperator(stream, kXlOpSetCharScale);
}

void XlSetCharShear(XlStream* stream, SHORT x, SHORT y) {
    XlPutSInt16XY(stream, x, y);
    XlPutAttribute(stream, kXlAttrCharShear);
    XlPutOperator(stream, kXlOpSetCharShear);
}

void XlSetCharBoldValue(XlStream* stream, FLOAT value) {
    XlPutReal32(stream, value);
    XlPutAttribute(stream, kXlAttrCharBoldValue);
    XlPutOperator(stream, kXlOpSetCharBoldValue);
}

void XlText(XlStream* stream, const BYTE* text, WORD length, const SHORT* xSpacing,
            DWORD xCount) {
    PutTextData(stream, text, length);
    if (std::all_of(xSpacing, xSpacing + xCount, FitsUByte)) {
        // Same 16-bit values read unsigned: only their low bytes are written.
        XlPutUByteArrayFrom16(stream, reinterpret_cast<const WORD*>(xSpacing), xCount);
    } else {
        XlPutSInt16Array(stream, xSpacing, xCount);
    }
    XlPutAttribute(stream, kXlAttrXSpacingData);
    XlPutOperator(stream, kXlOpText);
}

void XlTextXY(XlStream* stream, const BYTE* text, WORD length, const SHORT* xSpacing,
              DWORD xCount, const SHORT* ySpacing, DWORD yCount) {
    PutTextData(stream, text, length);
    XlPutSInt16Array(stream, xSpacing, xCount);
    XlPutAttribute(stream, kXlAttrXSpacingData);
    XlPutSInt16Array(stream, ySpacing, yCount);
    XlPutAttribute(stream, kXlAttrYSpacingData);
    XlPutOperator(stream, kXlOpText);
}

}  // namespace xlrender
