// The watermark's font selected into a screen DC for the length of one drawing: measured,
// rendered and read from there.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

class ScreenFontSelection {
public:
    explicit ScreenFontSelection(const LOGFONTW& logFont);
    // Restores the DC's font, deletes the font and releases the DC.
    ~ScreenFontSelection();
    ScreenFontSelection(const ScreenFontSelection&) = delete;
    ScreenFontSelection& operator=(const ScreenFontSelection&) = delete;

    bool ok() const { return previous_ != nullptr; }
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The size of the font file behind the selected font; 0 when GDI cannot give it.
DWORD FontFileSize(HDC dc);

// Reads the whole file into `file` (`size` bytes, from FontFileSize).
bool ReadFontFile(HDC dc, BYTE* file, DWORD size);

// True for a face of a collection file, whose data GDI serves with table offsets counted from
// the collection's start: not a font file the download can read.
bool IsFaceOfCollection(HDC dc);

}  // namespace xlrender
