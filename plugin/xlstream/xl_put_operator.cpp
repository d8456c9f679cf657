#include "xlstream/xl_code_tables.h"
#include "xlstream/xl_operators.h"

namespace xlrender {

void XlPutOperator(XlStream* stream, WORD code) {
    if (stream->error != kXlHealthy) {
        return;
    }
    const BYTE accepted = XlAcceptedOperator(code);
    if (accepted == 0) {
        XlStreamFail(stream, kXlRefusedOperator);
        return;
    }
    XlAppendUnit(stream, &accepted, 1);
    // Every operator ends a spool write, even when the room flush for it failed: the bytes
    // still buffered get their chance, and the stream's state already tells the caller.
    XlStreamFlush(stream);
}

}  // namespace xlrender
