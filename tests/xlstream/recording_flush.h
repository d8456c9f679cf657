// A flush callback for stream tests: records every hand-over and empties the buffer as the
// spool flush does, or fails on request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xlstream/xl_stream.h"

namespace xlrender::testing {

struct RecordingFlush {
    std::vector<std::string> writes;  // what each flush was handed, in order
    bool failing = false;             // fail (and mark the stream) instead of taking bytes

    static DWORD Callback(XlStream* stream, void* context, BYTE* buffer, LONG length) {
        auto* self = static_cast<RecordingFlush*>(context);
        self->writes.emplace_back(reinterpret_cast<const char*>(buffer),
                                  static_cast<std::size_t>(length));
        if (self->failing) {
            XlStreamFail(stream, kXlSpoolWriteFailed);
            return 0;
        }
        stream->length = 0;
        return static_cast<DWORD>(length);
    }

    XlStream* Create(LONG capacity = XL_STREAM_BUFFER_SIZE) {
        return XlStreamCreate(capacity, &Callback, this);
    }
};

// The bytes waiting in the stream's buffer.
inline std::string Buffered(const XlStream* stream) {
    return std::string(reinterpret_cast<const char*>(stream->buffer),
                       static_cast<std::size_t>(stream->length));
}

// Bytes from hex text such as "C1 34 12".
inline std::string HexBytes(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return bytes;
}

}  // namespace xlrender::testing
