#include "xlstream/xl_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/memory.h"

namespace xlrender {

const char kXlStreamIdentification[] =
    "PCL XL Stream Creator Library.  Revision p$Revision: 4.0 $";

XlStream* XlStreamCreate(LONG capacity, XlFlushCallback flush, void* context) {
    XlStream* stream = CreateObject<XlStream>();
    if (stream == nullptr) {
        return nullptr;
    }
    // The failure code is recorded as the stream would keep it, though the record goes with
    // it: a caller only ever sees null.
    if (flush == nullptr) {
        XlStreamFail(stream, kXlNoFlushCallback);
    } else if (capacity < kXlLargestUnitBytes) {
        XlStreamFail(stream, kXlCapacityTooSmall);
    } else {
        stream->capacity = capacity;
        stream->buffer = static_cast<BYTE*>(AllocateZeroed(static_cast<std::size_t>(capacity)));
        if (stream->buffer == nullptr) {
            XlStreamFail(stream, kXlBufferAllocationFailed);
        }
    }
    if (stream->error != kXlHealthy) {
        DestroyObject(stream);
        return nullptr;
    }
    stream->flush = flush;
    stream->context = context;
    stream->length = 0;
    stream->total = 0;
    return stream;
}

LONG XlStreamDestroy(XlStream* stream) {
    if (stream == nullptr) {
        return 0;
    }
    XlStreamFlush(stream);
    const LONG total = stream->total;
    FreeBlock(stream->buffer);
    DestroyObject(stream);
    return total;
}

void XlStreamFlush(XlStream* stream) {
    if (stream != nullptr && stream->flush != nullptr) {
        stream->flush(stream, stream->context, stream->buffer, stream->length);
    }
}

void XlStreamFail(XlStream* stream, XlStreamError code) {
    if (stream->error == kXlHealthy) {
        stream->error = code;
    }
    ++stream->errorCount;
}

namespace {

// Adds to the running total; wraps rather than overflowing on streams past 2 GiB.
void CountAppended(XlStream* stream, DWORD count) {
    stream->total = static_cast<LONG>(static_cast<DWORD>(stream->total) + count);
}

// Makes room for `count` bytes: flushes when fewer are free and empties the buffer whether or
// not the flush worked. False when the stream is (or has just become) failed.
bool MakeRoom(XlStream* stream, LONG count) {
    if (stream->error != kXlHealthy) {
        return false;
    }
    if (stream->capacity - stream->length < count) {
        XlStreamFlush(stream);
        stream->length = 0;
    }
    return stream->error == kXlHealthy;
}

}  // namespace

void XlAppendUnit(XlStream* stream, const BYTE* unit, LONG count) {
    if (!MakeRoom(stream, count)) {
        return;
    }
    std::memcpy(stream->buffer + stream->length, unit, static_cast<std::size_t>(count));
    stream->length += count;
    CountAppended(stream, static_cast<DWORD>(count));
}

void XlAppendBytes(XlStream* stream, const BYTE* bytes, DWORD count) {
    // One-byte units flush only when the buffer is full, so copying whatever fits at once
    // gives the same spool writes as appending byte by byte.
    while (count > 0) {
        if (!MakeRoom(stream, 1)) {
            return;
        }
        const DWORD free = static_cast<DWORD>(stream->capacity - stream->length);
        const DWORD chunk = std::min(count, free);
        std::memcpy(stream->buffer + stream->length, bytes, chunk);
        stream->length += static_cast<LONG>(chunk);
        CountAppended(stream, chunk);
        bytes += chunk;
        count -= chunk;
    }
}

}  // namespace xlrender
