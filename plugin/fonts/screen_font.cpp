#include "fonts/screen_font.h"

namespace xlrender {
namespace {

// GDI takes a table tag with its first character in the low byte.
constexpr DWORD kCollectionTable = 'f' << 24 | 'c' << 16 | 't' << 8 | 't';

}  // namespace

ScreenFontSelection::ScreenFontSelection(const LOGFONTW& logFont) {
    dc_ = GetDC(nullptr);
    if (dc_ == nullptr) {
        return;
    }
    font_ = CreateFontIndirectW(&logFont);
    if (font_ != nullptr) {
        previous_ = SelectObject(dc_, font_);
    }
}

ScreenFontSelection::~ScreenFontSelection() {
    if (previous_ != nullptr) {
        SelectObject(dc_, previous_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    if (dc_ != nullptr) {
        ReleaseDC(nullptr, dc_);
    }
}

DWORD FontFileSize(HDC dc) {
    const DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
    return size == GDI_ERROR ? 0 : size;
}

bool ReadFontFile(HDC dc, BYTE* file, DWORD size) {
    return GetFontData(dc, 0, 0, file, size) == size;
}

bool IsFaceOfCollection(HDC dc) {
    return GetFontData(dc, kCollectionTable, 0, nullptr, 0) != GDI_ERROR;
}

}  // namespace xlrender
