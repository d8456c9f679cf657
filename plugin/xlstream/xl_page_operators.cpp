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
    const LONG appendedBefore = stream->total;
    XlPutOperator(stream, kXlOpPassThrough);
    if (stream->error != kXlHealthy) {
        // The operator's write failed, so its data will not follow. Withdraw the operator, still
        // the last byte buffered, or the flush at destroy would send it bare and the printer
        // would read whatever comes next as its data.
        if (stream->total != appendedBefore && stream->length > 0) {
            --stream->length;
        }
        return;
    }
    XlPutEmbeddedData(stream, data, length);
}

}  // namespace xlrender
