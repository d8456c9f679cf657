#include "xlstream/xl_spool_flush.h"

#include "host/unidrv_host.h"

namespace xlrender {

DWORD XlSpoolFlush(XlStream* stream, void* /*context*/, BYTE* /*buffer*/, LONG /*length*/) {
    // An operator that closes a sequence leaves the buffer empty, and callers flush once more
    // before they destroy the stream: such a flush has nothing to write and must not read as a
    // failed spool write.
    if (stream->length <= 0) {
        return 0;
    }
    const DWORD written =
        WriteSpoolBytes(stream->device, stream->buffer, static_cast<DWORD>(stream->length));
    if (written != 0) {
        stream->length = 0;
    } else {
        XlStreamFail(stream, kXlSpoolWriteFailed);
    }
    return written;
}

XlStream* XlSpoolStreamCreate(DEVOBJ* device) {
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &XlSpoolFlush, nullptr);
    if (stream != nullptr) {
        stream->device = device;
    }
    return stream;
}

BOOL XlDrainToSpool(XlStream* stream) {
    if (stream->length > 0) {
        if (WriteSpoolBytes(stream->device, stream->buffer,
                            static_cast<DWORD>(stream->length)) == 0) {
            XlStreamFail(stream, kXlSpoolWriteFailed);
        } else {
            stream->length = 0;
        }
    }
    // A stream that failed earlier lost bytes before these, so they did not all arrive.
    return stream->error == kXlHealthy ? TRUE : FALSE;
}

}  // namespace xlrender
