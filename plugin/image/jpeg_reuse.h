// The JPEG streams of one page kept for the page's later bands. On a banded page GDI calls the
// blit once per band the picture crosses, each time with the same picture and the clip cut to
// the band; compressing it once and sending the same bytes each time saves all but one
// compression. A stream is found again only by the picture's pixels themselves (its size and a
// byte-for-byte comparison of every row with a copy kept beside the stream), never by where
// the source surface lives, since GDI may hand the next band another bitmap at the same address
// or the same picture in another one. Plain data inside OemPdev: the blocks come from the
// plug-in's allocator and go at the page's end, on failures, and with the device context.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

struct KeptJpeg {
    BYTE* stream;  // null: the slot is free
    DWORD streamLength;
    BYTE* pixels;  // the picture's rows, top first, 3 * width bytes each
    LONG width;
    LONG height;
};

constexpr int kKeptJpegSlots = 4;

struct JpegReuseCache {
    KeptJpeg slots[kKeptJpegSlots];
    DWORD nextSlot;  // the slot the next stream goes to, round robin
};

// The kept stream of the `rect` of `surface` (a 24-bit surface holding it), or null.
const KeptJpeg* FindKeptJpeg(const JpegReuseCache& cache, const SURFOBJ& surface,
                             const RECTL& rect);

// Keeps a copy of `length` bytes of `stream` for the `rect` of `surface`; false, with nothing
// kept, when memory runs short.
bool KeepJpeg(JpegReuseCache& cache, const SURFOBJ& surface, const RECTL& rect, const BYTE* stream,
              DWORD length);

// Frees every kept stream.
void ForgetKeptJpegs(JpegReuseCache& cache);

}  // namespace xlrender
