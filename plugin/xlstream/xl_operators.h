// PCL XL operators: the checked operator writer, and one helper per operator use in the
// plug-in, each writing its fixed attribute list (value, then id, in order) and its operator.
// Every operator ends a spool write. Data that an operator expects after it (image rows, path
// points, font blocks) are appended by the caller with the data writers of xl_encoders.h.
#pragma once

#include "xlstream/xl_stream.h"

namespace xlrender {

// Appends `code` and hands the whole buffer to the stream's flush. A code outside the accepted
// table fails the stream (kXlRefusedOperator) and writes nothing.
void XlPutOperator(XlStream* stream, WORD code);

// Soft fonts and text.
void XlBeginFontHeader(XlStream* stream, const BYTE* fontName, WORD nameLength, BYTE format);
void XlReadFontHeader(XlStream* stream, WORD length);
void XlEndFontHeader(XlStream* stream);
void XlBeginChar(XlStream* stream, const BYTE* fontName, WORD nameLength);
void XlReadChar(XlStream* stream, WORD code, DWORD size);
void XlEndChar(XlStream* stream);
void XlSetFont(XlStream* stream, const BYTE* fontName, WORD nameLength, FLOAT size,
               WORD symbolSet);
void XlSetCharAngle(XlStream* stream, FLOAT angle);
void XlSetCharScale(XlStream* stream, FLOAT x, FLOAT y);
void XlSetCharShear(XlStream* stream, SHORT x, SHORT y);
void XlSetCharBoldValue(XlStream* stream, FLOAT value);
// Horizontal spacing goes as the smaller ubyte array when every value lies in 0..255.
void XlText(XlStream* stream, const BYTE* text, WORD length, const SHORT* xSpacing,
            DWORD xCount);
void XlTextXY(XlStream* stream, const BYTE* text, WORD length, const SHORT* xSpacing,
              DWORD xCount, const SHORT* ySpacing, DWORD yCount);

// Paths.
void XlSetCursor(XlStream* stream, SHORT x, SHORT y);
void XlNewPath(XlStream* stream);
void XlRectanglePath(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2);
void XlLinePath(XlStream* stream, WORD pointCount, BYTE pointType);
void XlBezierPath(XlStream* stream, WORD pointCount, BYTE pointType);
void XlCloseSubPath(XlStream* stream);
void XlPaintPath(XlStream* stream);

// Graphics state, colour and clipping.
void XlSetNullPen(XlStream* stream);
void XlSetBrushGray(XlStream* stream, FLOAT level);
void XlSetBrushPattern(XlStream* stream, SHORT patternId);
void XlSetColorSpace(XlStream* stream, BYTE space);
void XlSetColorSpacePalette(XlStream* stream, BYTE space, BYTE paletteDepth,
                            const BYTE* palette, WORD paletteLength);
void XlSetROP(XlStream* stream, BYTE rop);
void XlSetPaintTxMode(XlStream* stream, BYTE mode);
void XlSetSourceTxMode(XlStream* stream, BYTE mode);
void XlSetClipMode(XlStream* stream, BYTE mode);
void XlSetClipRectangle(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2, BYTE region);
void XlSetClipReplace(XlStream* stream, BYTE region);
void XlSetClipToPage(XlStream* stream);
void XlSetPageDefaultCTM(XlStream* stream);
void XlPushGS(XlStream* stream);
void XlPopGS(XlStream* stream);

// Images and raster patterns.
void XlBeginImage(XlStream* stream, BYTE colorMapping, BYTE colorDepth, WORD sourceWidth,
                  WORD sourceHeight, WORD destinationWidth, WORD destinationHeight);
void XlReadImage(XlStream* stream, WORD startLine, WORD blockHeight, BYTE compressMode);
void XlEndImage(XlStream* stream);
void XlBeginRastPattern(XlStream* stream, BYTE colorMapping, BYTE colorDepth, WORD sourceWidth,
                        WORD sourceHeight, WORD destinationWidth, WORD destinationHeight,
                        SHORT patternId, BYTE persistence);
void XlReadRastPattern(XlStream* stream, WORD startLine, WORD blockHeight, BYTE compressMode);
void XlEndRastPattern(XlStream* stream);

// Page end and pass-through.
void XlEndPage(XlStream* stream);
void XlEndPageCopies(XlStream* stream, WORD copies);
// The operator, then `data` as embedded data. When the operator's write fails the operator is
// taken back out of the buffer: it never reaches the spool without its data.
void XlPassThrough(XlStream* stream, const BYTE* data, DWORD length);

}  // namespace xlrender
