// The screen DC's fonts as the watermark uses them: choosing DejaVu Sans (the font file both
// platforms are given), reading its file and tables back, measuring it, and rendering glyphs as
// bitmaps upright and turned by the font's escapement.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "contract.h"
#include "font_collection.h"

namespace {

using contract::Text;

// DejaVu Sans's design units: its em, the OS/2 Windows ascent and descent, and the advance
// widths of a few letters (from its hmtx table).
constexpr int kUnitsPerEm = 2048;
constexpr int kWinAscent = 1901;
constexpr int kWinDescent = 483;
struct Advance {
    WCHAR letter;
    int units;
};
constexpr Advance kAdvances[] = {{u'A', 1401}, {u'V', 1401}, {u'T', 1251},
                                 {u'L', 1141}, {u'i', 569},  {u'W', 2025}};

constexpr LONG kEmPixels = 100;
constexpr LONG kQuarterTurn = 900;  // tenths of a degree, counter-clockwise
// GDI takes a table's tag with its first character in the lowest byte.
constexpr DWORD Tag(char a, char b, char c, char d) {
    return static_cast<DWORD>(a) | static_cast<DWORD>(b) << 8 | static_cast<DWORD>(c) << 16 |
           static_cast<DWORD>(d) << 24;
}

DWORD BigEndian32(const std::string& bytes, std::size_t at) {
    return static_cast<DWORD>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<unsigned char>(bytes[at + 1]) << 16 |
           static_cast<unsigned char>(bytes[at + 2]) << 8 |
           static_cast<unsigned char>(bytes[at + 3]);
}

// The bytes of `table` of the face whose offset table starts at `face` in `file`, or empty.
std::string TableOf(const std::string& file, DWORD table, std::size_t face = 0) {
    const std::size_t tables = static_cast<unsigned char>(file[face + 4]) << 8 |
                               static_cast<unsigned char>(file[face + 5]);
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t entry = face + 12 + 16 * i;
        if (Tag(file[entry], file[entry + 1], file[entry + 2], file[entry + 3]) == table) {
            return file.substr(BigEndian32(file, entry + 8), BigEndian32(file, entry + 12));
        }
    }
    return {};
}

// A screen DC with `face` selected, `emPixels` high, turned by `escapement`.
class SelectedFace {
public:
    SelectedFace(const Text& face, LONG emPixels, LONG escapement) : dc_(GetDC(nullptr)) {
        LOGFONTW logFont{};
        logFont.lfHeight = -emPixels;
        logFont.lfEscapement = escapement;
        logFont.lfOrientation = escapement;
        logFont.lfWeight = FW_NORMAL;
        logFont.lfOutPrecision = OUT_TT_PRECIS;
        face.copy(logFont.lfFaceName, face.size());
        font_ = CreateFontIndirectW(&logFont);
        CONTRACT_CHECK(dc_ != nullptr && font_ != nullptr);
        previous_ = SelectObject(dc_, font_);
        CONTRACT_CHECK(previous_ != nullptr);
    }
    ~SelectedFace() {
        CONTRACT_CHECK(SelectObject(dc_, previous_) == font_);
        CONTRACT_EQ(DeleteObject(font_), TRUE);
        CONTRACT_EQ(ReleaseDC(nullptr, dc_), 1);
    }
    SelectedFace(const SelectedFace&) = delete;
    SelectedFace& operator=(const SelectedFace&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CONTRACT_GROUP(FontDataIsTheFileAndItsTables) {
    const std::string file = ReadFile(environment.textFontFile);
    CONTRACT_CHECK(file.size() > 12);
    if (file.size() <= 12) {
        return;
    }
    const SelectedFace face(W(CONTRACT_TEXT_FACE), kEmPixels, 0);
    CONTRACT_EQ(GetFontData(face.dc(), 0, 0, nullptr, 0), file.size());
    std::string whole(file.size(), '\0');
    CONTRACT_EQ(GetFontData(face.dc(), 0, 0, whole.data(), static_cast<DWORD>(whole.size())),
                file.size());
    CONTRACT_CHECK(whole == file);
    char piece[16];
    CONTRACT_EQ(GetFontData(face.dc(), 0, 100, piece, sizeof piece), sizeof piece);
    CONTRACT_BYTES(piece, sizeof piece, file.substr(100, sizeof piece));
    for (const DWORD table :
         {Tag('h', 'e', 'a', 'd'), Tag('O', 'S', '/', '2'), Tag('g', 'l', 'y', 'f')}) {
        const contract::CaseLabel label("table " + contract::Hex(table));
        const std::string expected = TableOf(file, table);
        CONTRACT_EQ(GetFontData(face.dc(), table, 0, nullptr, 0), expected.size());
        std::string bytes(expected.size(), '\0');
        CONTRACT_EQ(
            GetFontData(face.dc(), table, 0, bytes.data(), static_cast<DWORD>(bytes.size())),
            expected.size());
        CONTRACT_CHECK(bytes == expected);
    }
    CONTRACT_EQ(GetFontData(face.dc(), Tag('z', 'z', 'z', 'z'), 0, nullptr, 0), GDI_ERROR);
    CONTRACT_EQ(GetFontData(face.dc(), Tag('t', 't', 'c', 'f'), 0, nullptr, 0), GDI_ERROR);
}

// A face inside a collection: "ttcf" serves the whole file, table 0 the face from its offset
// table on (its table offsets still count from the collection's start), named tables as ever.
CONTRACT_GROUP(FontDataOfAFaceInACollection) {
    const std::string file = ReadFile(environment.collectionFontFile);
    CONTRACT_CHECK(file.size() > contract::kCollectionFaceOffset + 12);
    if (file.size() <= contract::kCollectionFaceOffset + 12) {
        return;
    }
    const SelectedFace face(W(CONTRACT_COLLECTION_FACE), kEmPixels, 0);
    const DWORD collection = Tag('t', 't', 'c', 'f');
    CONTRACT_EQ(GetFontData(face.dc(), collection, 0, nullptr, 0), file.size());
    std::string bytes(file.size(), '\0');
    CONTRACT_EQ(
        GetFontData(face.dc(), collection, 0, bytes.data(), static_cast<DWORD>(file.size())),
        file.size());
    CONTRACT_CHECK(bytes == file);
    const std::string own = file.substr(contract::kCollectionFaceOffset);
    if (environment.platform == contract::Platform::kWine) {
        contract::NoteKnownDifference(
            "GetFontData table 0 of a face in a collection gives the collection's size, though "
            "it serves (and reads only) the face's data from its offset table on");
        CONTRACT_EQ(GetFontData(face.dc(), 0, 0, nullptr, 0), file.size());
    } else {
        CONTRACT_EQ(GetFontData(face.dc(), 0, 0, nullptr, 0), own.size());
    }
    bytes.assign(own.size(), '\0');
    CONTRACT_EQ(GetFontData(face.dc(), 0, 0, bytes.data(), static_cast<DWORD>(own.size())),
                own.size());
    CONTRACT_CHECK(bytes == own);
    const DWORD head = Tag('h', 'e', 'a', 'd');
    const std::string table = TableOf(file, head, contract::kCollectionFaceOffset);
    CONTRACT_CHECK(!table.empty());
    bytes.assign(table.size(), '\0');
    CONTRACT_EQ(GetFontData(face.dc(), head, 0, bytes.data(), static_cast<DWORD>(table.size())),
                table.size());
    CONTRACT_CHECK(bytes == table);
}

// Widths are the design advances scaled to the em (hinting may move them a pixel); the extent
// adds them up and is one cell (Windows ascent plus descent) high.
CONTRACT_GROUP(WidthsAndExtents) {
    const SelectedFace face(W(CONTRACT_TEXT_FACE), kEmPixels, 0);
    for (const Advance& advance : kAdvances) {
        const contract::CaseLabel label(std::string(1, static_cast<char>(advance.letter)));
        INT width = 0;
        CONTRACT_EQ(GetCharWidth32W(face.dc(), advance.letter, advance.letter, &width), TRUE);
        const int scaled = (advance.units * kEmPixels + kUnitsPerEm / 2) / kUnitsPerEm;
        CONTRACT_CHECK(std::abs(width - scaled) <= 1);
    }
    INT widths[3] = {};
    CONTRACT_EQ(GetCharWidth32W(face.dc(), u'A', u'C', widths), TRUE);
    SIZE extent{};
    CONTRACT_EQ(GetTextExtentPoint32W(face.dc(), W("ABCA"), 4, &extent), TRUE);
    CONTRACT_EQ(extent.cx, widths[0] + widths[1] + widths[2] + widths[0]);
    const int cell = ((kWinAscent + kWinDescent) * kEmPixels + kUnitsPerEm / 2) / kUnitsPerEm;
    CONTRACT_CHECK(std::abs(extent.cy - cell) <= 1);
}

struct Glyph {
    GLYPHMETRICS metrics{};
    std::vector<BYTE> bits;
    int stride = 0;  // bytes per row: rows are padded to 32 bits
    bool Ink(int x, int y) const {
        return x >= 0 && y >= 0 && x < static_cast<int>(metrics.gmBlackBoxX) &&
               y < static_cast<int>(metrics.gmBlackBoxY) &&
               (bits[y * stride + x / 8] & (0x80 >> (x % 8))) != 0;
    }
};

Glyph Render(HDC dc, WCHAR letter) {
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    Glyph glyph;
    const DWORD size =
        GetGlyphOutlineW(dc, letter, GGO_BITMAP, &glyph.metrics, 0, nullptr, &identity);
    glyph.stride = static_cast<int>((glyph.metrics.gmBlackBoxX + 31) / 32 * 4);
    CONTRACT_EQ(size, glyph.stride * glyph.metrics.gmBlackBoxY);
    glyph.bits.resize(size);
    CONTRACT_EQ(GetGlyphOutlineW(dc, letter, GGO_BITMAP, &glyph.metrics, size, glyph.bits.data(),
                                 &identity),
                size);
    return glyph;
}

int InkCount(const Glyph& glyph) {
    int ink = 0;
    for (int y = 0; y < static_cast<int>(glyph.metrics.gmBlackBoxY); ++y) {
        for (int x = 0; x < static_cast<int>(glyph.metrics.gmBlackBoxX); ++x) {
            ink += glyph.Ink(x, y);
        }
    }
    return ink;
}

// FNV-1a of a glyph's bits as returned (rows top down, each padded to 32 bits).
std::uint32_t BitsHash(const Glyph& glyph) {
    std::uint32_t hash = 2166136261u;
    for (const BYTE byte : glyph.bits) {
        hash = (hash ^ byte) * 16777619u;
    }
    return hash;
}

// A quarter turn counter-clockwise: the box turns, the origin moves with it, the advance points
// up the device (negative y), and the turned bits are the upright ones turned. The stand-in and
// Wine both rasterise with FreeType's monochrome renderer, so there the upright bits are known
// exactly and the turned ones match them pixel for pixel; Windows' own rasteriser may round the
// outline's edges apart, within kPixelTolerance and kInkTolerancePercent of the ink.
CONTRACT_GROUP(GlyphBitmapsUprightAndTurned) {
    constexpr int kPixelTolerance = 1;
    constexpr int kInkTolerancePercent = 4;
    const bool freeType = environment.platform != contract::Platform::kWindows;
    struct Case {
        WCHAR letter;
        std::uint32_t freeTypeHash;
    };
    const Case cases[] = {{u'L', 0xFBA9727Au}, {u'W', 0x5CABBCBCu}};
    const SelectedFace upright(W(CONTRACT_TEXT_FACE), kEmPixels, 0);
    const SelectedFace turned(W(CONTRACT_TEXT_FACE), kEmPixels, kQuarterTurn);
    for (const Case& c : cases) {
        const WCHAR letter = c.letter;
        const contract::CaseLabel label(std::string(1, static_cast<char>(letter)));
        const Glyph up = Render(upright.dc(), letter);
        const Glyph side = Render(turned.dc(), letter);
        INT width = 0;
        GetCharWidth32W(upright.dc(), letter, letter, &width);
        CONTRACT_EQ(up.metrics.gmCellIncX, width);
        CONTRACT_EQ(up.metrics.gmCellIncY, 0);
        CONTRACT_CHECK(std::abs(side.metrics.gmCellIncX) <= kPixelTolerance);
        CONTRACT_CHECK(std::abs(side.metrics.gmCellIncY + width) <= kPixelTolerance);
        const GLYPHMETRICS& u = up.metrics;
        const GLYPHMETRICS& s = side.metrics;
        CONTRACT_CHECK(std::abs(static_cast<int>(s.gmBlackBoxX) -
                                static_cast<int>(u.gmBlackBoxY)) <= kPixelTolerance);
        CONTRACT_CHECK(std::abs(static_cast<int>(s.gmBlackBoxY) -
                                static_cast<int>(u.gmBlackBoxX)) <= kPixelTolerance);
        CONTRACT_CHECK(std::abs(s.gmptGlyphOrigin.x + u.gmptGlyphOrigin.y) <= kPixelTolerance);
        CONTRACT_CHECK(std::abs(s.gmptGlyphOrigin.y -
                                (u.gmptGlyphOrigin.x + static_cast<int>(u.gmBlackBoxX))) <=
                       kPixelTolerance);
        // Upright (x, y) from the box's top left lands at (y, width - 1 - x) in the turned box.
        int differing = 0;
        for (int y = 0; y < static_cast<int>(u.gmBlackBoxY); ++y) {
            for (int x = 0; x < static_cast<int>(u.gmBlackBoxX); ++x) {
                differing += up.Ink(x, y) != side.Ink(y, static_cast<int>(u.gmBlackBoxX) - 1 - x);
            }
        }
        const int ink = InkCount(up);
        CONTRACT_CHECK(ink > 0);
        if (freeType) {
            CONTRACT_EQ(BitsHash(up), c.freeTypeHash);
            CONTRACT_EQ(differing, 0);
        }
        CONTRACT_CHECK(differing * 100 <= ink * kInkTolerancePercent);
        CONTRACT_CHECK(std::abs(InkCount(side) - ink) * 100 <= ink * kInkTolerancePercent);
    }
}

}  // namespace
