// The clip of a blit taken over: one rectangle, rectangle lists, paths, and clips that cannot
// be sent.
#include "image/clip_output.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gdi/clip_region.h"
#include "gdi/engine_state.h"
#include "image/image_hook_fixture.h"

namespace xlrender {
namespace {

using Lines = std::vector<std::string>;
using sim::gdi::ClipRegion;
using sim::gdi::PathRecord;

class ClipOutput : public testing::ImageHookTest {
protected:
    std::size_t Count(const Lines& lines, const std::string& start) {
        return static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(),
                          [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
    }
    // Thin rectangles one above the other, each a row apart.
    static sim::gdi::Region Stripes(int count) {
        sim::gdi::Region stripes;
        for (LONG i = 0; i < count; ++i) {
            stripes.push_back({0, 2 * i, 150, 2 * i + 1});
        }
        return stripes;
    }
    static POINTFIX Fix(LONG x, LONG y) { return {x * 16, y * 16}; }
};

TEST_F(ClipOutput, OneRectangleReplacesTheClip) {
    ClipRegion clip({{10, 20, 150, 90}}, TC_RECTANGLES);
    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, clip.object()), TRUE);
    const Lines lines = Listing();
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 5),
              (Lines{"SetClipMode ClipMode=eEvenOdd", "NewPath",
                     "RectanglePath BoundingBox=(10, 20, 150, 90)",
                     "SetClipReplace ClipRegion=eInterior"}));
}

TEST_F(ClipOutput, UpTo256RectanglesGoAsRectanglesMoreAsThePath) {
    ClipRegion listed(Stripes(256), TC_RECTANGLES);
    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, listed.object()), TRUE);
    Lines lines = Listing();
    EXPECT_EQ(lines[2], "NewPath");
    EXPECT_EQ(lines[3], "SetCursor Point=(0, 0)");
    EXPECT_EQ(lines[4], "RectanglePath BoundingBox=(0, 0, 150, 1)");
    EXPECT_EQ(Count(lines, "RectanglePath"), 256u);
    EXPECT_EQ(lines[4 + 256], "SetClipReplace ClipRegion=eInterior");

    device.spool().Clear();
    ClipRegion many(Stripes(300), TC_RECTANGLES);
    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, many.object()), TRUE);
    lines = Listing();
    EXPECT_EQ(Count(lines, "RectanglePath"), 0u);
    EXPECT_EQ(Count(lines, "LinePath NumberOfPoints=3 PointType=eSInt16"), 300u);
    EXPECT_EQ(Count(lines, "CloseSubPath"), 300u);
    EXPECT_EQ(lines[3], "SetCursor Point=(0, 0)");
    EXPECT_EQ(sim::LiveEngineObjects(), engineObjects);
}

TEST_F(ClipOutput, PathsKeepTheirCurvesAndLongRunsAreSplit) {
    ClipRegion clip({{0, 0, 150, 90}, {0, 95, 10, 100}}, TC_PATHOBJ);
    PathRecord lines{PD_BEGINSUBPATH, {Fix(-5, 7)}};
    for (LONG i = 0; i < 20000; ++i) {
        lines.points.push_back(Fix(i % 1000, i / 1000));
    }
    clip.outline = {lines,
                    {PD_BEZIERS | PD_ENDSUBPATH | PD_CLOSEFIGURE,
                     {Fix(1, 2), Fix(3, 4), Fix(5, 6), Fix(7, 8), Fix(9, 10), Fix(11, 12)}}};
    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, clip.object()), TRUE);
    const Lines written = Listing();
    EXPECT_EQ(Lines(written.begin() + 1, written.begin() + 4),
              (Lines{"SetClipMode ClipMode=eEvenOdd", "NewPath", "SetCursor Point=(-5, 7)"}));
    EXPECT_EQ(written[4], "LinePath NumberOfPoints=16383 PointType=eSInt16");
    EXPECT_EQ(written[5], "  data: 65532 bytes");
    EXPECT_EQ(written[6], "LinePath NumberOfPoints=3617 PointType=eSInt16");
    EXPECT_EQ(written[8], "BezierPath NumberOfPoints=6 PointType=eSInt16");
    EXPECT_EQ(written[10], "CloseSubPath");
    EXPECT_EQ(written[11], "SetClipReplace ClipRegion=eInterior");
    EXPECT_EQ(sim::LiveEngineObjects(), engineObjects);
}

TEST_F(ClipOutput, AClipThatCannotBeSentDeclinesTheBlitWithoutATrace) {
    const auto declined = [&](ClipRegion& clip, const char* what) {
        sim::TheWorld().ddiCalls.clear();
        BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, clip.object());
        EXPECT_TRUE(UnidrvCalled()) << what;
        EXPECT_EQ(Spooled(), "") << what;
        EXPECT_EQ(sim::LiveEngineObjects(), engineObjects) << what;
    };
    ClipRegion wide({{0, 0, 40000, 90}}, TC_RECTANGLES);
    declined(wide, "rectangle beyond 16 bits");
    ClipRegion wideList({{0, 0, 10, 10}, {0, 20, 40000, 30}}, TC_RECTANGLES);
    declined(wideList, "listed rectangle beyond 16 bits");
    ClipRegion farPoint({{0, 0, 10, 10}, {0, 20, 10, 30}}, TC_PATHOBJ);
    farPoint.outline = {{PD_BEGINSUBPATH, {Fix(0, 0), Fix(-40000, 0)}}};
    declined(farPoint, "path point beyond 16 bits");
    ClipRegion brokenCurve({{0, 0, 10, 10}, {0, 20, 10, 30}}, TC_PATHOBJ);
    brokenCurve.outline = {{PD_BEGINSUBPATH | PD_BEZIERS, {Fix(0, 0), Fix(1, 1), Fix(2, 2)}}};
    declined(brokenCurve, "Bezier points that are not whole curves");
    ClipRegion noStart({{0, 0, 10, 10}, {0, 20, 10, 30}}, TC_PATHOBJ);
    noStart.outline = {{0, {Fix(1, 1)}}};
    declined(noStart, "a figure without a start");
    ClipRegion refused({{0, 0, 10, 10}, {0, 20, 10, 30}}, TC_PATHOBJ);
    sim::TheWorld().engine.failOnCall["CLIPOBJ_ppoGetPath"] = 1;
    declined(refused, "no path from the engine");
}

TEST_F(ClipOutput, AnEmptyClipDrawsNothingAndWritesNothing) {
    ClipRegion empty(sim::gdi::Region{}, TC_PATHOBJ);
    EXPECT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, empty.object()), TRUE);
    ClipRegion emptyList(sim::gdi::Region{}, TC_RECTANGLES);
    EXPECT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xCCCC, emptyList.object()), TRUE);
    EXPECT_FALSE(UnidrvCalled());
    EXPECT_EQ(Spooled(), "");
    EXPECT_EQ(sim::LiveEngineObjects(), engineObjects);
}

}  // namespace
}  // namespace xlrender
