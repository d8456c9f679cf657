// The PCL XL output stream: a fixed byte buffer that the encoders append to and that is handed
// to a flush callback whenever the next value does not fit and after every operator. A stream
// lives for one host call; once anything fails it stays failed and ignores further output, so
// callers can write a whole sequence and look at `error` once at the end.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win32_api.h"

namespace xlrender {

// The buffer size every user of the stream asks for.
constexpr LONG XL_STREAM_BUFFER_SIZE = 4096;
// The largest unit an encoder appends in one piece (a 32-bit value or a real32): the smallest
// buffer that can hold every unit.
constexpr LONG kXlLargestUnitBytes = 4;

// Values of XlStream::error. The gaps (-1, -6) were never used and stay free.
enum XlStreamError : SHORT {
    kXlHealthy = 0,
    kXlRefusedOperator = -2,
    kXlRefusedAttribute = -3,
    kXlBufferAllocationFailed = -4,
    // Capacity below the largest single unit: a 32-bit value could not fit in the buffer.
    kXlCapacityTooSmall = -5,
    kXlSpoolWriteFailed = -7,
    kXlNoFlushCallback = -8,
    // An array longer than its 16-bit element count can declare.
    kXlArrayTooLong = -9,
};

struct XlStream;

// Hands `length` bytes of `buffer` on; returns the host's write result (0 = failed).
using XlFlushCallback = DWORD (*)(XlStream* stream, void* context, BYTE* buffer, LONG length);

struct XlStream {
    BYTE* buffer;           // `capacity` bytes, owned
    LONG capacity;
    LONG length;            // bytes waiting in `buffer`, 0..capacity
    LONG total;             // bytes appended over the stream's life; a flush does not reset it
    SHORT error;            // XlStreamError of the first failure, sticky
    SHORT errorCount;       // failures recorded
    DEVOBJ* device;         // set by the creator right after XlStreamCreate
    XlFlushCallback flush;
    void* context;          // passed unchanged to `flush`
};
static_assert(std::is_standard_layout_v<XlStream> && std::is_trivially_copyable_v<XlStream>);
static_assert(offsetof(XlStream, buffer) == 0);
static_assert(offsetof(XlStream, capacity) == sizeof(void*));
static_assert(offsetof(XlStream, length) == offsetof(XlStream, capacity) + 4);
static_assert(offsetof(XlStream, total) == offsetof(XlStream, length) + 4);
static_assert(offsetof(XlStream, error) == offsetof(XlStream, total) + 4);
static_assert(offsetof(XlStream, errorCount) == offsetof(XlStream, error) + 2);
static_assert(offsetof(XlStream, device) ==
              (offsetof(XlStream, errorCount) + 2 + alignof(void*) - 1) / alignof(void*) *
                  alignof(void*));
static_assert(offsetof(XlStream, flush) == offsetof(XlStream, device) + sizeof(void*));
static_assert(offsetof(XlStream, context) == offsetof(XlStream, flush) + sizeof(void*));

// The library's identification text, kept with the code that carries its name.
extern const char kXlStreamIdentification[];

// A stream with an empty buffer of `capacity` bytes, or null when `flush` is null, `capacity`
// is smaller than the largest unit or memory runs out. The caller sets `device` afterwards.
XlStream* XlStreamCreate(LONG capacity, XlFlushCallback flush, void* context);

// Hands what is buffered to `flush` (also on a failed stream, so bytes buffered before a
// failure still go out), frees the stream and returns `total`. A null stream returns 0.
LONG XlStreamDestroy(XlStream* stream);

// Hands the buffered bytes to `flush` now, also on a failed stream.
void XlStreamFlush(XlStream* stream);

// Records a failure: the first code sticks, every failure counts.
void XlStreamFail(XlStream* stream, XlStreamError code);

// Appends one unit of `count` bytes (a tag, a 16- or 32-bit value, or a single data byte),
// flushing first when fewer than `count` bytes are free, so that no multi-byte value is split
// across two spool writes. Does nothing on a failed stream.
void XlAppendUnit(XlStream* stream, const BYTE* unit, LONG count);

// Appends `count` data bytes, each its own unit: the buffer fills to the last byte before
// every flush.
void XlAppendBytes(XlStream* stream, const BYTE* bytes, DWORD count);

}  // namespace xlrender
