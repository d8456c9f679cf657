// Cursor and path operators.
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

// The point-list form of a path operator: the points follow as data.
void PutPointList(XlStream* stream, WORD pointCount, BYTE pointType, WORD code) {
    XlPutUInt16(stream, pointCount);
    XlPutAttribute(stream, kXlAttrNumberOfPoints);
    XlPutUByte(stream, pointType);
    XlPutAttribute(stream, kXlAttrPointType);
    XlPutOperator(stream, code);
}

}  // namespace

void XlSetCursor(XlStream* stream, SHORT x, SHORT y) {
    XlPutSInt16XY(stream, x, y);
    XlPutAttribute(stream, kXlAttrPoint);
    XlPutOperator(stream, kXlOpSetCursor);
}

void XlNewPath(XlStream* stream) { XlPutOperator(stream, kXlOpNewPath); }

void XlRectanglePath(XlStream* stream, SHORT x1, SHORT y1, SHORT x2, SHORT y2) {
    XlPutSInt16Box(stream, x1, y1, x2, y2);
    XlPutAttribute(stream, kXlAttrBoundingBox);
    XlPutOperator(stream, kXlOpRectanglePath);
}

void XlLinePath(XlStream* stream, WORD pointCount, BYTE pointType) {
    PutPointList(stream, pointCount, pointType, kXlOpLinePath);
}

void XlBezierPath(XlStream* stream, WORD pointCount, BYTE pointType) {
    PutPointList(stream, pointCount, pointType, kXlOpBezierPath);
}

void XlCloseSubPath(XlStream* stream) { XlPutOperator(stream, kXlOpCloseSubPath); }

void XlPaintPath(XlStream* stream) { XlPutOperator(stream, kXlOpPaintPath); }

}  // namespace xlrender
