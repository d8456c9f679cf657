// Graphics state, colour, raster operation and clipping operators.
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

// The operators whose one attribute is a single ubyte.
void PutUByteOperator(XlStream* stream, BYTE value, WORD attribute, WORD code) {
    XlPutUByte(stream, value);
    XlPutAttribute(stream, attribute);
    XlPutOperator(stream, code);
}

}  // namespace

void XlSetNullPen(XlStream* stream) {
    PutUByteOperator(stream, 0, kXlAttrNullPen, kXlOpSetPenSource);
}

void XlSetBrushGray(XlStream* stream, FLOAT level) {
    XlPutReal32(stream, level);
    XlPutAttribute(stream, kXlAttrGrayLevel);
    XlPutOperator(stream, kXlOpSetBrushSource);
}

void XlSetBrushPattern(XlStream* stream, SHORT patternId) {
    XlPutSInt16(stream, patternId);
    XlPutAttribute(stream, kXlAttrPatternSelectID);
    XlPutOperator(stream, kXlOpSetBrushSource);
}

void XlSetColorSpace(XlStream* stream, BYTE space) {
    PutUByteOperator(stream, space, kXlAttrColorSpace, kXlOpSetColorSpace);
}

void XlSetColorSpacePalette(XlStream* stream, BYTE space, BYTE paletteDepth,
                            const BYTE* palette, WORD paletteLength) {
    XlPutUByte(stream, space);
    XlPutAttribute(stream, kXlAttrColorSpace);
    XlPutUByte(stream, paletteDepth);
    XlPutAttribute(stream, kXlAttrPaletteDepth);
    XlPutUByteArray(stream, palette, paletteLength);
    XlPutAttribute(stream, kXlAttrPaletteData);
    XlPutOperator(stream, kXlOpSetColorSpace);
}

void XlSetROP(XlStream* stream, BYTE rop) {
    PutUByteOperator(stream, rop, kXlAttrROP3, kXlOpSetROP);
}

void XlSetPaintTxMode(XlStream* stream, BYTE mode) {
    PutUByteOperator(stream, mode, kXlAttrTxMode, kXlOpSetPaintTxMode);
}

void XlSetSourceTxMode(XlStream* stream, BYTE mode) {
    PutUByteOperator(stream, mode, kXlAttrTxMode, kXlOpSetSourceTxMode);
}

void XlSetClipMode(XlStream* stream, BYTE mode) {
    PutUByteOperator(stream, mode, kXlAttrClipMode, kXlOpSetClipMode);
}

void XlSetClipRectangle(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2,
                        BYTE region) {
    XlPutSInt16Box(stream, x1, y1, x2, y2);
    XlPutAttribute(stream, kXlAttrBoundingBox);
    PutUByteOperator(stream, region, kXlAttrClipRegion, kXlOpSetClipRectangle);
}

void XlSetClipReplace(XlStream* stream, BYTE region) {
    PutUByteOperator(stream, region, kXlAttrClipRegion, kXlOpSetClipReplace);
}

void XlSetClipToPage(XlStream* stream) { XlPutOperator(stream, kXlOpSetClipToPage); }

void XlSetPageDefaultCTM(XlStream* stream) { XlPutOperator(stream, kXlOpSetPageDefaultCTM); }

void XlPushGS(XlStream* stream) { XlPutOperator(stream, kXlOpPushGS); }

void XlPopGS(XlStream* stream) { XlPutOperator(stream, kXlOpPopGS); }

}  // namespace xlrender
