// The stream's way into the job: the flush callback that writes to the spool, and the drain
// that a caller uses when it must know whether its last bytes arrived.
#pragma once

#include "xlstream/xl_stream.h"

namespace xlrender {

// The flush callback every user installs: writes the stream's buffered bytes to the spool of
// the stream's `device` and returns how many Unidrv took. Those leave the buffer; when Unidrv
// did not take them all the stream is marked failed (kXlSpoolWriteFailed) and the rest stays
// buffered, so a later flush sends each byte at most once. `context` is not used; `buffer` and `length` are the
// stream's own. An empty buffer is not written and is not a failure.
DWORD XlSpoolFlush(XlStream* stream, void* context, BYTE* buffer, LONG length);

// A stream of XL_STREAM_BUFFER_SIZE bytes that flushes into the spool of `device`, or null when
// memory runs out. The caller destroys it (which flushes it) before its host call returns.
XlStream* XlSpoolStreamCreate(DEVOBJ* device);

// Writes the buffered bytes to the spool directly instead of through `flush`; what Unidrv took
// leaves the buffer, and a write that did not take everything marks the stream failed. Returns TRUE only when everything the stream
// was given reached the spool. The caller destroys the stream afterwards as usual.
BOOL XlDrainToSpool(XlStream* stream);

}  // namespace xlrender
