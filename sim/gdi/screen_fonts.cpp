// The screen DC and font objects of the stand-in, and the font file behind a font.
#include <algorithm>
#include <cstring>

#include "gdi/screen_font_objects.h"
#include "world.h"

namespace sim::gdi {
namespace {

struct ScreenDc {
    HGDIOBJ selected;
};

// The font every new screen DC starts with; it has no file and cannot be deleted.
int stockFontObject;
HGDIOBJ StockFont() {
    return &stockFontObject;
}

constexpr LONG kBoldFrom = 600;
constexpr DWORD kCollectionTable = 0x66637474;  // "ttcf" as GDI takes a tag: first byte lowest

std::size_t BigEndian32(const std::uint8_t* bytes) {
    return static_cast<std::size_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

ScreenDc* DcOf(HDC dc) {
    return TheWorld().screenFonts.liveDcs.count(dc) != 0 ? reinterpret_cast<ScreenDc*>(dc)
                                                         : nullptr;
}

bool IsLiveFont(HGDIOBJ object) {
    return TheWorld().screenFonts.liveFonts.count(object) != 0;
}

// The bytes GetFontData serves for `table`: the file from the face's offset table on for 0 (for
// a face in a collection that is not a whole font: its table offsets count from the start of
// the collection, as on Windows), the whole collection for "ttcf", one table otherwise.
bool TableBytes(const LoadedFace& face, DWORD table, const std::uint8_t*& bytes,
                std::size_t& length) {
    const std::vector<std::uint8_t>& file = face.file;
    if (table == 0) {
        bytes = file.data() + face.faceOffset;
        length = file.size() - face.faceOffset;
        return true;
    }
    if (table == kCollectionTable) {
        bytes = file.data();
        length = file.size();
        return face.inCollection;
    }
    // GDI takes a tag with its first character in the low byte.
    const std::size_t base = face.faceOffset;
    if (base + 12 > file.size()) {
        return false;
    }
    const std::size_t tables = static_cast<std::size_t>(file[base + 4]) << 8 | file[base + 5];
    for (std::size_t i = 0; i < tables && base + 12 + 16 * (i + 1) <= file.size(); ++i) {
        const std::uint8_t* entry = file.data() + base + 12 + 16 * i;
        DWORD entryTag = 0;
        std::memcpy(&entryTag, entry, sizeof entryTag);
        if (entryTag == table) {
            const std::size_t offset = BigEndian32(entry + 8);
            length = BigEndian32(entry + 12);
            bytes = file.data() + offset;
            return offset <= file.size() && length <= file.size() - offset;
        }
    }
    return false;
}

}  // namespace

bool CallFails(const char* function) {
    ScreenFontState& state = TheWorld().screenFonts;
    ++state.calls[function];
    auto countdown = state.failAfter.find(function);
    if (countdown == state.failAfter.end() || countdown->second == 0) {
        return false;
    }
    return --countdown->second == 0;
}

const ScreenFont* SelectedFont(HDC dc) {
    const ScreenDc* screen = DcOf(dc);
    if (screen == nullptr || !IsLiveFont(screen->selected)) {
        return nullptr;
    }
    return static_cast<const ScreenFont*>(screen->selected);
}

}  // namespace sim::gdi

using namespace sim;
using namespace sim::gdi;

extern "C" {

HDC WINAPI GetDC(HWND hWnd) {
    if (hWnd != nullptr || CallFails("GetDC")) {
        return nullptr;
    }
    auto* dc = reinterpret_cast<HDC>(new ScreenDc{StockFont()});
    TheWorld().screenFonts.liveDcs.insert(dc);
    return dc;
}

int WINAPI ReleaseDC(HWND /*hWnd*/, HDC hDC) {
    ScreenDc* dc = DcOf(hDC);
    if (dc == nullptr) {
        return 0;
    }
    TheWorld().screenFonts.liveDcs.erase(hDC);
    delete dc;
    return 1;
}

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf) {
    if (lplf == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (CallFails("CreateFontIndirectW")) {
        return nullptr;
    }
    auto* font = new ScreenFont{*lplf, nullptr};
    // The face name need not be terminated within its 32 units.
    font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    std::memcpy(font->logFont.lfFaceName, lplf->lfFaceName, sizeof(WCHAR) * (LF_FACESIZE - 1));
    WCHAR face[LF_FACESIZE];
    std::memcpy(face, lplf->lfFaceName, sizeof face);
    font->face = ResolveFace(face, lplf->lfWeight >= kBoldFrom, lplf->lfItalic != 0);
    TheWorld().screenFonts.liveFonts.insert(font);
    return reinterpret_cast<HFONT>(font);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    ScreenDc* dc = DcOf(hdc);
    if (dc == nullptr || (h != StockFont() && !IsLiveFont(h))) {
        return nullptr;
    }
    HGDIOBJ previous = dc->selected;
    dc->selected = h;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    ScreenFontState& state = TheWorld().screenFonts;
    if (!IsLiveFont(ho)) {
        return FALSE;
    }
    // Deleting a font still selected into a DC would leave the DC with a dangling font; the
    // stand-in refuses so the mistake shows in tests.
    for (HDC dc : state.liveDcs) {
        if (reinterpret_cast<ScreenDc*>(dc)->selected == ho) {
            return FALSE;
        }
    }
    state.liveFonts.erase(ho);
    delete static_cast<ScreenFont*>(ho);
    return TRUE;
}

DWORD WINAPI GetFontData(HDC hdc, DWORD dwTable, DWORD dwOffset, PVOID pvBuffer, DWORD cjBuffer) {
    const ScreenFont* font = SelectedFont(hdc);
    if (font == nullptr || font->face == nullptr || CallFails("GetFontData")) {
        return GDI_ERROR;
    }
    const std::uint8_t* bytes = nullptr;
    std::size_t length = 0;
    if (!TableBytes(*font->face, dwTable, bytes, length) || dwOffset > length) {
        return GDI_ERROR;
    }
    const std::size_t available = length - dwOffset;
    if (pvBuffer == nullptr || cjBuffer == 0) {
        return static_cast<DWORD>(available);
    }
    const std::size_t copied = std::min<std::size_t>(available, cjBuffer);
    std::memcpy(pvBuffer, bytes + dwOffset, copied);
    return static_cast<DWORD>(copied);
}

}  // extern "C"
