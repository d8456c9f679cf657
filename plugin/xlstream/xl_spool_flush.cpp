#include "xlstream/xl_spool_flush.h"

#include <cstring>

#include "host/unidrv_host.h"

namespace xlrender {
namespace {

// Writes what the stream holds. The bytes Unidrv took leave the buffer at once, so that no
// later flush sends them again; a write that took less than everything fails the stream and
// leaves the rest buffered. Returns how many bytes were taken.
DWORD SpoolBuffered(XlStream* stream) {
    const DWORD offered = static_cast<DWORD>(stream->length);
    const DWORD written = WriteSpoolBytes(stream->device, stream->buffer, offered);
    if (written != 0) {
        std::memmove(stream->buffer, stream->buffer + written, offered - written);
        stream->length -= static_cast<LONG>(written);
    }
    if (written != offered) {
        XlStreamFail(stream, kXlSpoolWriteFailed);
    }
    return written;
}

}  // namespace

DWORD XlSpoolFlush(XlStream* stream, void* /*context*/, BYTE* /*buffer*/, LONG /*length*/) {
    // An operator that closes a sequence leaves the buffer empty, and callers flush once more
    // before they destroy the stream: such a flush has nothing to write and must not read as a
    // failed spool write.
    if (stream->length <= 0) {
        return 0;
    }
    return SpoolBuffered(stream);
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
        SpoolBuffered(stream);
    }
    // A stream that failed earlier lost bytes before these, so they did not all arrive.
    return stream->error == kXlHealthy ? TRUE : FALSE;
}

}  // namespace xlrender
