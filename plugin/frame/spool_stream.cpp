#include "frame/spool_stream.h"

#include "xlstream/xl_spool_flush.h"

namespace xlrender {

XlStream* CreateSpoolStream(DEVOBJ* device) {
    if (device == nullptr) {
        return nullptr;
    }
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &XlSpoolFlush, nullptr);
    if (stream != nullptr) {
        stream->device = device;
    }
    return stream;
}

}  // namespace xlrender
