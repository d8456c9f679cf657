// The stand-in's GDI engine: bitmaps in both row orders, clip and path enumeration, and blits
// that really draw.
#include <gtest/gtest.h>

#include <cstring>

#include "gdi/clip_region.h"
#include "gdi/engine_bitmap.h"
#include "gdi/engine_path.h"
#include "gdi/engine_state.h"
#include "gdi/surface_pixels.h"
#include "world.h"

namespace sim::gdi {
namespace {

constexpr ULONG kRed = 0xFF0000;

// A locked engine bitmap that the test releases at the end.
struct Bitmap {
    Bitmap(LONG width, LONG height, ULONG format, FLONG flags) {
        handle = reinterpret_cast<HSURF>(
            EngCreateBitmap({width, height}, static_cast<LONG>(ScanlineBytesFor(format, width)),
                            format, flags, nullptr));
        surface = EngLockSurface(handle);
    }
    ~Bitmap() {
        EngUnlockSurface(surface);
        EngDeleteSurface(handle);
    }
    HSURF handle;
    SURFOBJ* surface;
};

TEST(EngineBitmaps, RowOrderDecidesWhereRowsStartButPixelsStayBlueGreenRed) {
    Bitmap topDown(5, 3, BMF_24BPP, BMF_TOPDOWN);
    Bitmap bottomUp(5, 3, BMF_24BPP, 0);
    ASSERT_NE(topDown.surface, nullptr);
    ASSERT_NE(bottomUp.surface, nullptr);
    EXPECT_EQ(topDown.surface->pvScan0, topDown.surface->pvBits);
    EXPECT_EQ(topDown.surface->lDelta, 16);
    EXPECT_EQ(bottomUp.surface->lDelta, -16);
    EXPECT_EQ(static_cast<BYTE*>(bottomUp.surface->pvScan0),
              static_cast<BYTE*>(bottomUp.surface->pvBits) + 32);
    EXPECT_EQ(bottomUp.surface->cjBits, 48u);
    for (const Bitmap* bitmap : {&topDown, &bottomUp}) {
        WriteRgb(*bitmap->surface, 1, 0, kRed);
        const BYTE* pixel = static_cast<const BYTE*>(bitmap->surface->pvScan0) + 3;
        EXPECT_EQ(pixel[0], 0);
        EXPECT_EQ(pixel[2], 0xFF);
    }
    // The top row of a bottom-up bitmap is the last in memory.
    EXPECT_EQ(static_cast<const BYTE*>(bottomUp.surface->pvBits)[32 + 5], 0xFF);
    EXPECT_EQ(LiveEngineObjects(), 4u);
}

TEST(EngineBitmaps, UninitialisedBitsArePoisonedAndEveryObjectIsCounted) {
    {
        Bitmap poisoned(4, 2, BMF_8BPP, BMF_NOZEROINIT);
        Bitmap zeroed(4, 2, BMF_8BPP, 0);
        EXPECT_EQ(static_cast<BYTE*>(poisoned.surface->pvBits)[7], kUninitialisedFill);
        EXPECT_EQ(static_cast<BYTE*>(zeroed.surface->pvBits)[7], 0);
        // Deleting a locked surface is refused: it is still in use.
        EXPECT_EQ(EngDeleteSurface(poisoned.handle), FALSE);
    }
    EXPECT_EQ(LiveEngineObjects(), 0u);
    EXPECT_EQ(EngCreateBitmap({4, 2}, 11, BMF_24BPP, 0, nullptr), nullptr);  // stride too small
    EXPECT_EQ(EngCreateBitmap({4, 2}, 16, 99, 0, nullptr), nullptr);
    EXPECT_EQ(EngCreateBitmap({0, 2}, 16, BMF_24BPP, 0, nullptr), nullptr);
    TheWorld().engine.failOnCall["EngLockSurface"] = 2;
    const auto handle = reinterpret_cast<HSURF>(EngCreateBitmap({4, 2}, 12, BMF_24BPP, 0, nullptr));
    EXPECT_NE(EngLockSurface(handle), nullptr);
    EXPECT_EQ(EngLockSurface(handle), nullptr);
    EXPECT_EQ(EngAssociateSurface(handle, nullptr, 0), FALSE);
    EngUnlockSurface(EngLockSurface(handle));
    EXPECT_EQ(LiveEngineObjects(), 2u);  // the bitmap and the first lock
}

TEST(EngineClips, RectanglesComeOneByOneUpToTheLimitTheLastWithFalse) {
    ClipRegion clip(RegionFromRectangles({{0, 0, 10, 10}, {5, 5, 20, 20}}), TC_RECTANGLES);
    // Overlapping rectangles become disjoint bands: [0,5) one, [5,10) merged, [10,20) one.
    ASSERT_EQ(clip.region().size(), 3u);
    EXPECT_EQ(clip.object()->iDComplexity, DC_COMPLEX);
    EXPECT_EQ(clip.object()->rclBounds.right, 20);
    EXPECT_EQ(CLIPOBJ_cEnumStart(clip.object(), FALSE, CT_RECTANGLES, CD_ANY, 2), 0xFFFFFFFFu);
    EXPECT_EQ(CLIPOBJ_cEnumStart(clip.object(), FALSE, CT_RECTANGLES, CD_ANY, 3), 3u);
    ENUMRECTS list{};
    std::vector<BOOL> more;
    std::vector<LONG> rights;
    do {
        more.push_back(CLIPOBJ_bEnum(clip.object(), sizeof list, reinterpret_cast<ULONG*>(&list)));
        ASSERT_EQ(list.c, 1u);
        rights.push_back(list.arcl[0].right);
    } while (more.back());
    EXPECT_EQ(more, (std::vector<BOOL>{TRUE, TRUE, FALSE}));
    EXPECT_EQ(rights, (std::vector<LONG>{10, 20, 20}));

    CLIPOBJ stranger{};
    EXPECT_EQ(CLIPOBJ_cEnumStart(&stranger, FALSE, CT_RECTANGLES, CD_ANY, 0), 0u);
    EXPECT_EQ(CLIPOBJ_bEnum(&stranger, sizeof list, reinterpret_cast<ULONG*>(&list)), FALSE);
    EXPECT_EQ(list.c, 0u);
    EXPECT_EQ(CLIPOBJ_ppoGetPath(&stranger), nullptr);
}

LONG Area(const Region& region) {
    LONG area = 0;
    for (const RECTL& r : region) {
        area += (r.right - r.left) * (r.bottom - r.top);
    }
    return area;
}

TEST(EngineClips, PolygonsAndEllipsesCoverThePixelsWhoseCentresTheyHold) {
    // A right triangle with legs of 100 covers half of the square, to a pixel per row.
    EXPECT_NEAR(Area(RegionFromPolygon({{0, 0}, {100, 0}, {0, 100}}, {0, 0, 100, 100})), 5000, 100);
    const Region ellipse = RegionFromEllipse({0, 0, 200, 100});
    EXPECT_NEAR(Area(ellipse), 3.14159 * 100 * 50, 200);
    EXPECT_EQ(RegionBounds(ellipse).right, 200);
    EXPECT_EQ(Area(IntersectRegion(ellipse, {0, 0, 200, 50})), Area(ellipse) / 2);
}

TEST(EnginePaths, AClipOutlineEndsWithFalseAndEveryPathIsFreed) {
    ClipRegion clip({{1, 2, 3, 4}, {5, 6, 7, 8}}, TC_PATHOBJ);
    PATHOBJ* path = CLIPOBJ_ppoGetPath(clip.object());
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(LiveEngineObjects(), 1u);
    PATHOBJ_vEnumStart(path);
    PATHDATA data{};
    EXPECT_EQ(PATHOBJ_bEnum(path, &data), TRUE);
    EXPECT_EQ(data.flags, PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE);
    ASSERT_EQ(data.count, 4u);
    EXPECT_EQ(data.pptfx[2].x, 3 * 16);
    EXPECT_EQ(data.pptfx[2].y, 4 * 16);
    EXPECT_EQ(PATHOBJ_bEnum(path, &data), FALSE);
    EXPECT_EQ(data.pptfx[0].x, 5 * 16);
    EXPECT_EQ(PATHOBJ_bEnum(path, &data), FALSE);
    EXPECT_EQ(data.count, 0u);
    EngDeletePath(path);
    EXPECT_EQ(LiveEngineObjects(), 0u);
    TheWorld().engine.failOnCall["CLIPOBJ_ppoGetPath"] = 1;
    EXPECT_EQ(CLIPOBJ_ppoGetPath(clip.object()), nullptr);
}

// A 4 x 2 picture whose pixel (x, y) has red x, green y, blue 9.
void Fill(const SURFOBJ& surface) {
    for (LONG y = 0; y < surface.sizlBitmap.cy; ++y) {
        for (LONG x = 0; x < surface.sizlBitmap.cx; ++x) {
            WriteRgb(surface, x, y, static_cast<ULONG>(x << 16 | y << 8 | 9));
        }
    }
}

TEST(EngineBlits, StretchScalesMirrorsAndClips) {
    Bitmap source(4, 2, BMF_24BPP, 0);
    Bitmap target(8, 4, BMF_24BPP, BMF_TOPDOWN);
    Fill(*source.surface);
    RECTL whole{0, 0, 4, 2};
    RECTL doubled{0, 0, 8, 4};
    ASSERT_EQ(EngStretchBlt(target.surface, source.surface, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &doubled, &whole, nullptr, 0),
              TRUE);
    EXPECT_EQ(ReadRgb(*target.surface, 7, 3, nullptr), 0x030109u);
    EXPECT_EQ(ReadRgb(*target.surface, 2, 1, nullptr), 0x010009u);

    RECTL mirrored{4, 0, 0, 2};
    ClipRegion clip({{0, 0, 2, 2}}, TC_RECTANGLES);
    WriteRgb(*target.surface, 3, 0, 0);
    ASSERT_EQ(EngStretchBlt(target.surface, source.surface, nullptr, clip.object(), nullptr,
                            nullptr, nullptr, &mirrored, &whole, nullptr, 0),
              TRUE);
    EXPECT_EQ(ReadRgb(*target.surface, 0, 0, nullptr), 0x030009u);
    EXPECT_EQ(ReadRgb(*target.surface, 3, 0, nullptr), 0u);  // outside the clip

    RECTL outside{2, 0, 6, 2};
    EXPECT_EQ(EngStretchBlt(target.surface, source.surface, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &doubled, &outside, nullptr, 0),
              FALSE);
    TheWorld().engine.failOnCall["EngStretchBlt"] = 1;
    EXPECT_EQ(EngStretchBlt(target.surface, source.surface, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &doubled, &whole, nullptr, 0),
              FALSE);
}

TEST(EngineBlits, QuarterTurnsLandEveryPixelExactly) {
    Bitmap source(4, 2, BMF_8BPP, 0);
    for (LONG y = 0; y < 2; ++y) {
        for (LONG x = 0; x < 4; ++x) {
            static_cast<BYTE*>(source.surface->pvScan0)[y * source.surface->lDelta + x] =
                static_cast<BYTE>(10 * y + x);
        }
    }
    Bitmap target(2, 4, BMF_24BPP, BMF_TOPDOWN);
    // A clockwise quarter turn: the top left corner goes to the top right.
    POINTFIX corners[3] = {{2 * 16, 0}, {2 * 16, 4 * 16}, {0, 0}};
    RECTL whole{0, 0, 4, 2};
    Translation palette = GreyPalette();
    ASSERT_EQ(EngPlgBlt(target.surface, source.surface, nullptr, nullptr, &palette.object, nullptr,
                        nullptr, corners, &whole, nullptr, 0),
              TRUE);
    for (LONG y = 0; y < 2; ++y) {
        for (LONG x = 0; x < 4; ++x) {
            EXPECT_EQ(ReadRgb(*target.surface, 1 - y, x, nullptr),
                      static_cast<ULONG>(10 * y + x) * 0x010101u);
        }
    }
}

BOOL APIENTRY RecordingCopyBits(SURFOBJ*, SURFOBJ* source, CLIPOBJ* clip, XLATEOBJ*,
                                RECTL* destination, POINTL*) {
    auto& calls = TheWorld().ddiCalls;
    calls.push_back({"DrvCopyBits",
                     {static_cast<std::uintptr_t>(destination->left),
                      static_cast<std::uintptr_t>(destination->right),
                      static_cast<std::uintptr_t>(clip->iDComplexity),
                      static_cast<std::uintptr_t>(ReadRgb(*source, 0, 0, nullptr))}});
    return TRUE;
}

TEST(EngineBlits, ADeviceTargetGetsTheDrawnPictureThroughTheDriversCopyBits) {
    SURFOBJ device{};
    device.iType = STYPE_DEVICE;
    device.sizlBitmap = {1000, 1000};
    TheWorld().engine.deviceCopyBits[&device] = &RecordingCopyBits;
    Bitmap source(4, 2, BMF_24BPP, BMF_TOPDOWN);
    Fill(*source.surface);
    RECTL whole{0, 0, 4, 2};
    RECTL destination{100, 50, 108, 54};
    ClipRegion clip({{104, 0, 200, 200}}, TC_RECTANGLES);
    ASSERT_EQ(EngStretchBlt(&device, source.surface, nullptr, clip.object(), nullptr, nullptr,
                            nullptr, &destination, &whole, nullptr, 0),
              TRUE);
    const auto& calls = TheWorld().ddiCalls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].function, "EngStretchBlt");
    EXPECT_EQ(calls[1].arguments, (std::vector<std::uintptr_t>{100, 108, DC_RECT, 0xFFFFFF}));

    ClipRegion elsewhere({{0, 0, 10, 10}}, TC_RECTANGLES);
    EngStretchBlt(&device, source.surface, nullptr, elsewhere.object(), nullptr, nullptr, nullptr,
                  &destination, &whole, nullptr, 0);
    EXPECT_EQ(calls.size(), 3u);  // nothing visible: the driver is not called
}

TEST(EngineDebugOutput, KeepsEveryString) {
    OutputDebugStringW(u"one");
    OutputDebugStringW(nullptr);
    EXPECT_EQ(TheWorld().engine.debugOutput, (std::vector<std::u16string>{u"one"}));
}

}  // namespace
}  // namespace sim::gdi
