// Page end and pass-through operators.
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {

void XlEndPage(XlStream* stream) { XlPutOperator(stream, kXlOpEndPage); }

void XlEndPageCopies(XlStream* stream, WORD copies) {
    XlPutUInt16(stream, copies);
    XlPutAttribute(stream, kXlAttrPageCopies);
    XlPutOperator(stream, kXlOpEndPage);
}

void XlPassThrough(XlStream* stream, const BYTE* data, DWORD length) {
    XlPutOperator(stream, kXlOpPassThrough);
    XlPutEmbeddedData(stream, data, length);
}

}  // namespace xlrender
