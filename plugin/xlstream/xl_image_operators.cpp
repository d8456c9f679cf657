// Image and raster pattern operators.
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

// The attributes that describe a raster: shared by images and raster patterns.
void PutRasterDescription(XlStream* stream, BYTE colorMapping, BYTE colorDepth,
                          WORD sourceWidth, WORD sourceHeight, WORD destinationWidth,
                          WORD destinationHeight) {
    XlPutUByte(stream, colorMapping);
    XlPutAttribute(stream, kXlAttrColorMapping);
    XlPutUByte(stream, colorDepth);
    XlPutAttribute(stream, kXlAttrColorDepth);
    XlPutUInt16(stream, sourceWidth);
    XlPutAttribute(stream, kXlAttrSourceWidth);
    XlPutUInt16(stream, sourceHeight);
    XlPutAttribute(stream, kXlAttrSourceHeight);
    XlPutUInt16XY(stream, destinationWidth, destinationHeight);
    XlPutAttribute(stream, kXlAttrDestinationSize);
}

// The attributes of one block of raster rows: shared by ReadImage and ReadRastPattern.
void PutRasterBlock(XlStream* stream, WORD startLine, WORD blockHeight, BYTE compressMode,
                    WORD code) {
    XlPutUInt16(stream, startLine);
    XlPutAttribute(stream, kXlAttrStartLine);
    XlPutUInt16(stream, blockHeight);
    XlPutAttribute(stream, kXlAttrBlockHeight);
    XlPutUByte(stream, compressMode);
    XlPutAttribute(stream, kXlAttrCompressMode);
    XlPutOperator(stream, code);
}

}  // namespace

void XlBeginImage(XlStream* stream, BYTE colorMapping, BYTE colorDepth, WORD sourceWidth,
                  WORD sourceHeight, WORD destinationWidth, WORD destinationHeight) {
    PutRasterDescription(stream, colorMapping, colorDepth, sourceWidth, sourceHeight,
                         destinationWidth, destinationHeight);
    XlPutOperator(stream, kXlOpBeginImage);
}

void XlReadImage(XlStream* stream, WORD startLine, WORD blockHeight, BYTE compressMode) {
    PutRasterBlock(stream, startLine, blockHeight, compressMode, kXlOpReadImage);
}

void XlEndImage(XlStream* stream) { XlPutOperator(stream, kXlOpEndImage); }

void XlBeginRastPattern(XlStream* stream, BYTE colorMapping, BYTE colorDepth, WORD sourceWidth,
                        WORD sourceHeight, WORD destinationWidth, WORD destinationHeight,
                        SHORT patternId, BYTE persistence) {
    PutRasterDescription(stream, colorMapping, colorDepth, sourceWidth, sourceHeight,
                         destinationWidth, destinationHeight);
    XlPutSInt16(stream, patternId);
    XlPutAttribute(stream, kXlAttrPatternDefineID);
    XlPutUByte(stream, persistence);
    XlPutAttribute(stream, kXlAttrPatternPersistence);
    XlPutOperator(stream, kXlOpBeginRastPattern);
}

void XlReadRastPattern(XlStream* stream, WORD startLine, WORD blockHeight, BYTE compressMode) {
    PutRasterBlock(stream, startLine, blockHeight, compressMode, kXlOpReadRastPattern);
}

void XlEndRastPattern(XlStream* stream) { XlPutOperator(stream, kXlOpEndRastPattern); }

}  // namespace xlrender
