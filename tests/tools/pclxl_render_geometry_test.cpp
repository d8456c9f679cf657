// The drawing model's geometry on hand-made streams, checked against shapes computed here from
// their definitions: ellipses, pies, chords and rounded rectangles by area and position; caps,
// joins, miter limits and dashes by where ink lands; the page transformation's rotation,
// origin and scale; clips made from curved paths and restored by PopGS.
#include <gtest/gtest.h>

#include <cmath>

#include "pclxl_dump/pclxl_names.h"
#include "tools/soft_font_records.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderedRgb;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

// Codes the reader passes through by number.
constexpr std::uint8_t kSetPathToClip = 0x80, kTextPath = 0xA9, kSetLineDash = 0x70, kSetLineCap = 0x71,
                       kSetLineJoin = 0x72, kSetMiterLimit = 0x73, kArcPath = 0x91, kChord = 0x96,
                       kEllipse = 0x98, kEllipsePath = 0x99, kPie = 0x9E, kRoundRectangle = 0xA2;
constexpr std::uint8_t kArcDirection = 0x41, kDashOffset = 0x43, kEllipseDimension = 0x44,
                       kLineCapStyle = 0x47, kLineJoinStyle = 0x48, kMiterLength = 0x49,
                       kLineDashStyle = 0x4A, kSolidLine = 0x4E, kStartPoint = 0x4F;
constexpr std::uint8_t kClockwise = 0, kInterior = 0;
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
constexpr int kSide = 200;
// Paths known only as the pixels they cover have no outline for a pen.
constexpr const char* kPixelPathStrokeRefusal =
    "PaintPath: the preview does not stroke a path it knows only as pixels (TextPath characters, "
    "SetPathToClip)";

// A page of 200 x 200 pixels, one user unit a pixel.
XlStreamBuilder Page() {
    XlStreamBuilder s;
    s.Page(kSide, kSide, 100);
    return s;
}

XlStreamBuilder& NoPen(XlStreamBuilder& s) {
    return s.UByte(attr::kNullPen, 0).Op(op::kSetPenSource);
}

XlStreamBuilder& NoBrush(XlStreamBuilder& s) {
    return s.UByte(attr::kNullBrush, 0).Op(op::kSetBrushSource);
}

XlStreamBuilder& Line(XlStreamBuilder& s, std::vector<std::pair<int, int>> points) {
    s.Op(op::kNewPath)
        .XY(attr::kPoint, static_cast<std::int16_t>(points[0].first),
            static_cast<std::int16_t>(points[0].second))
        .Op(op::kSetCursor);
    for (std::size_t i = 1; i < points.size(); ++i) {
        s.XY(attr::kEndPoint, static_cast<std::int16_t>(points[i].first),
             static_cast<std::int16_t>(points[i].second))
            .Op(op::kLinePath);
    }
    return s;
}

RenderedRgb Render(XlStreamBuilder& s) {
    const auto run = RenderStream(s.EndPage().Stream());
    EXPECT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    return run.pages.empty()
               ? RenderedRgb{kSide, kSide, 1, std::vector<std::uint8_t>(kSide * kSide * 3, 0xFF)}
               : run.pages[0];
}

struct Ink {
    int count = 0;
    int left = kSide, top = kSide, right = -1, bottom = -1;  // inclusive bounds
};

// The black pixels of rows [y0, y1) and columns [x0, x1).
Ink InkOf(const RenderedRgb& page, int x0 = 0, int y0 = 0, int x1 = kSide, int y1 = kSide) {
    Ink ink;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (page.At(x, y) == kBlack) {
                ++ink.count;
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

TEST(PclXlRenderGeometry, ShapesCoverTheAreaTheirDefinitionGivesInsideTheirBox) {
    // The ellipse of the box 20..180 x 40..160: centre (100, 100), a = 80, b = 60.
    const double ellipse = M_PI * 80 * 60;
    struct Case {
        const char* name;
        std::uint8_t code;
        std::pair<int, int> start, end;  // for arcs
        bool clockwise;
        double area;
        // Ink allowed only at x >= 100 and y <= 100 (the upper right quarter), or y <= 100.
        bool upperRightOnly, upperOnly;
    };
    const Case cases[] = {
        {"ellipse", kEllipse, {}, {}, false, ellipse, false, false},
        // From the ray to the right to the ray upwards: counter-clockwise, a quarter.
        {"pie", kPie, {190, 100}, {100, 0}, false, ellipse / 4, true, true},
        {"clockwise pie", kPie, {190, 100}, {100, 0}, true, ellipse * 3 / 4, false, false},
        // Rays need not meet the ellipse: only their direction counts.
        {"chord", kChord, {101, 100}, {0, 100}, false, ellipse / 2, false, true},
        // An arc's path closes with the chord when filled.
        {"arc", kArcPath, {150, 100}, {100, 70}, false, ellipse / 4 - 80 * 60 / 2, true, true},
        // Corner ellipses 40 x 30: the box less four corners of (4 - pi) * 20 * 15 / 4.
        {"round rectangle",
         kRoundRectangle,
         {},
         {},
         false,
         160 * 120 - (4 - M_PI) * 20 * 15,
         false,
         false},
    };
    for (const Case& c : cases) {
        XlStreamBuilder s = Page();
        NoPen(s).Op(op::kNewPath).Box(attr::kBoundingBox, 20, 40, 180, 160);
        if (c.code == kRoundRectangle) {
            s.XY(kEllipseDimension, 40, 30);
        }
        if (c.code == kPie || c.code == kChord || c.code == kArcPath) {
            s.XY(kStartPoint, static_cast<std::int16_t>(c.start.first),
                 static_cast<std::int16_t>(c.start.second))
                .XY(attr::kEndPoint, static_cast<std::int16_t>(c.end.first),
                    static_cast<std::int16_t>(c.end.second));
            if (c.clockwise) {
                s.UByte(kArcDirection, kClockwise);
            }
        }
        s.Op(c.code);
        if (c.code == kArcPath) {
            s.Op(op::kPaintPath);
        }
        const RenderedRgb page = Render(s);
        const Ink ink = InkOf(page);
        EXPECT_NEAR(ink.count, c.area, c.area * 0.01) << c.name;
        EXPECT_GE(ink.left, 20) << c.name;
        EXPECT_LE(ink.right, 179) << c.name;
        EXPECT_GE(ink.top, 40) << c.name;
        EXPECT_LE(ink.bottom, 159) << c.name;
        if (c.upperRightOnly) {
            EXPECT_GE(ink.left, 99) << c.name;
        }
        if (c.upperOnly) {
            EXPECT_LE(ink.bottom, 100) << c.name;
        }
    }
}

TEST(PclXlRenderGeometry, CapsExtendOpenEndsAsTheirShapeSays) {
    // A line from x 50 to 150 along y 100, 20 wide: caps reach 10 beyond its ends.
    struct Case {
        std::uint8_t cap;
        int leftmost;               // on the centre row
        std::uint32_t atCapCorner;  // (42, 92): in a square cap's corner, outside a round one
        std::uint32_t atCapSide;    // (45, 93): outside a triangle's sloping side
    };
    const Case cases[] = {{0, 50, kWhite, kWhite},
                          {1, 40, kWhite, kBlack},
                          {2, 40, kBlack, kBlack},
                          {3, 40, kWhite, kWhite}};
    for (const Case& c : cases) {
        XlStreamBuilder s = Page();
        NoBrush(s).UByte(attr::kPenWidth, 20).Op(op::kSetPenWidth);
        s.UByte(kLineCapStyle, c.cap).Op(kSetLineCap);
        Line(s, {{50, 100}, {150, 100}}).Op(op::kPaintPath);
        const RenderedRgb page = Render(s);
        const Ink row = InkOf(page, 0, 100, kSide, 101);
        // A triangle's tip falls between pixel centres: one pixel either way.
        EXPECT_NEAR(row.left, c.leftmost, 1) << int{c.cap};
        EXPECT_NEAR(row.right, 199 - c.leftmost, 1) << int{c.cap};
        EXPECT_EQ(page.At(42, 92), c.atCapCorner) << int{c.cap};
        EXPECT_EQ(page.At(45, 93), c.atCapSide) << int{c.cap};
        EXPECT_EQ(InkOf(page).top, 90) << int{c.cap};
    }
}

TEST(PclXlRenderGeometry, JoinsAndTheMiterLimitShapeASharpCorner) {
    // A V with its point at (100, 50), pen 10 wide. Half the corner's angle has sine
    // 1 / sqrt(5), so its miter reaches 5 * sqrt(5) = 11.2 above the point (to y 38.8); a
    // bevel stops at 5 / sqrt(5) = 2.2 above it, a round join at 5.
    struct Case {
        std::uint8_t join;
        double limit;  // 0 keeps the default of 10
        int top;
    };
    const Case cases[] = {{0, 0, 39}, {0, 3, 39}, {0, 2, 48}, {1, 0, 45}, {2, 0, 48}};
    for (const Case& c : cases) {
        XlStreamBuilder s = Page();
        NoBrush(s).UByte(attr::kPenWidth, 10).Op(op::kSetPenWidth);
        s.UByte(kLineJoinStyle, c.join).Op(kSetLineJoin);
        if (c.limit > 0) {
            s.Real(kMiterLength, static_cast<float>(c.limit)).Op(kSetMiterLimit);
        }
        Line(s, {{50, 150}, {100, 50}, {150, 150}}).Op(op::kPaintPath);
        EXPECT_NEAR(InkOf(Render(s)).top, c.top, 1) << int{c.join} << " limit " << c.limit;
    }
}

TEST(PclXlRenderGeometry, DashesCutTheLineInUserUnitsFromTheirOffset) {
    // A line 4 wide from x 0 to 160 along y 100.
    struct Case {
        std::vector<std::uint8_t> pattern;  // empty: SolidLine
        int offset;
        int scale;       // SetPageScale, both ways
        double share;    // of the line's length inked
        int firstWhite;  // on the centre row
    };
    const Case cases[] = {
        {{10, 30}, 0, 1, 0.25, 10}, {{10, 30}, 5, 1, 0.25, 5},
        {{10, 30}, 0, 2, 0.25, 20},  // lengths scale with the page
        {{10}, 0, 1, 0.5, 10},       // an odd pattern alternates with itself
        {{}, 0, 1, 1.0, 160},
    };
    for (const Case& c : cases) {
        XlStreamBuilder s = Page();
        NoBrush(s).UByte(attr::kPenWidth, 4).Op(op::kSetPenWidth);
        s.RealXY(attr::kPageScale, c.scale, c.scale).Op(op::kSetPageScale);
        // A dash first, so that the solid case also shows the pattern being reset.
        s.Bytes(kLineDashStyle, {3, 3}).Op(kSetLineDash);
        if (c.pattern.empty()) {
            s.UByte(kSolidLine, 0);
        } else {
            s.Bytes(kLineDashStyle, c.pattern).UByte(kDashOffset, c.offset);
        }
        s.Op(kSetLineDash);
        const int end = 160 / c.scale;
        Line(s, {{0, 100 / c.scale}, {end, 100 / c.scale}}).Op(op::kPaintPath);
        const RenderedRgb page = Render(s);
        const Ink row = InkOf(page, 0, 100, kSide, 101);
        EXPECT_NEAR(row.count, 160 * c.share, 2) << c.pattern.size() << " offset " << c.offset;
        int firstWhite = 0;
        while (firstWhite < kSide && page.At(firstWhite, 100) == kBlack) {
            ++firstWhite;
        }
        EXPECT_EQ(firstWhite, c.firstWhite) << c.pattern.size() << " offset " << c.offset;
    }
}

TEST(PclXlRenderGeometry, ThePenStretchesWithAnUnevenPageScale) {
    // Four times wider than high: a pen 5 units wide is 20 pixels across a vertical line and
    // 5 pixels across a horizontal one.
    XlStreamBuilder s = Page();
    NoBrush(s).RealXY(attr::kPageScale, 4, 1).Op(op::kSetPageScale);
    s.UByte(attr::kPenWidth, 5).Op(op::kSetPenWidth);
    Line(s, {{25, 20}, {25, 80}, {45, 80}}).Op(op::kPaintPath);
    const RenderedRgb page = Render(s);
    EXPECT_EQ(InkOf(page, 0, 50, kSide, 51).count, 20);
    EXPECT_EQ(InkOf(page, 150, 0, 151, kSide).count, 5);
}

TEST(PclXlRenderGeometry, RotationOriginAndScaleComposeInTheOrderGiven) {
    // Origin at (100, 100), then a quarter turn counter-clockwise on the page (user x points
    // up the sheet, user y to the right), then x doubled: the user box 0..20 x 0..20 covers
    // page x 100..120 and y 60..100. An image of the same box lands on the same pixels.
    for (const bool image : {false, true}) {
        XlStreamBuilder s = Page();
        NoPen(s).XY(attr::kPageOrigin, 100, 100).Op(op::kSetPageOrigin);
        s.UByte(attr::kPageAngle, 90).Op(op::kSetPageRotation);
        s.RealXY(attr::kPageScale, 2, 1).Op(op::kSetPageScale);
        if (image) {
            s.XY(attr::kPoint, 0, 0)
                .Op(op::kSetCursor)
                .UByte(attr::kColorSpace, 1)
                .Op(op::kSetColorSpace)
                .UByte(attr::kROP3, 0xCC)
                .Op(op::kSetROP)
                .UByte(attr::kColorMapping, 0)
                .UByte(attr::kColorDepth, 2)
                .UInt16(attr::kSourceWidth, 1)
                .UInt16(attr::kSourceHeight, 1)
                .XY(attr::kDestinationSize, 20, 20)
                .Op(op::kBeginImage)
                .UInt16(attr::kStartLine, 0)
                .UInt16(attr::kBlockHeight, 1)
                .UByte(attr::kCompressMode, 0)
                .Op(op::kReadImage)
                .Data({0x00, 0x00, 0x00, 0x00})
                .Op(op::kEndImage);
        } else {
            s.Box(attr::kBoundingBox, 0, 0, 20, 20).Op(op::kRectangle);
        }
        const Ink ink = InkOf(Render(s));
        EXPECT_EQ(ink.count, 20 * 40) << image;
        EXPECT_EQ(ink.left, 100) << image;
        EXPECT_EQ(ink.right, 119) << image;
        EXPECT_EQ(ink.top, 60) << image;
        EXPECT_EQ(ink.bottom, 99) << image;
    }
}

TEST(PclXlRenderGeometry, ACurvedClipHoldsUntilPopGSRestoresTheOneBefore) {
    // Inside PushGS the clip becomes an ellipse path; the first fill shows the ellipse. After
    // PopGS the whole page is back: the second fill covers everything.
    XlStreamBuilder s = Page();
    NoPen(s).Op(op::kPushGS).Op(op::kNewPath).Box(attr::kBoundingBox, 20, 40, 180, 160);
    s.Op(kEllipsePath).UByte(attr::kClipRegion, kInterior).Op(op::kSetClipReplace);
    s.Box(attr::kBoundingBox, 0, 0, kSide, kSide).Op(op::kRectangle);
    XlStreamBuilder clippedOnly = s;
    const Ink clipped = InkOf(Render(clippedOnly.Op(op::kPopGS)));
    EXPECT_NEAR(clipped.count, M_PI * 80 * 60, M_PI * 80 * 60 * 0.01);
    EXPECT_EQ(clipped.left, 20);
    EXPECT_EQ(clipped.top, 40);
    s.Op(op::kPopGS).Box(attr::kBoundingBox, 0, 0, kSide, kSide).Op(op::kRectangle);
    EXPECT_EQ(InkOf(Render(s)).count, kSide * kSide);
}

TEST(PclXlRenderGeometry, SetPathToClipFillsExactlyTheClipButIsNotStroked) {
    // An ellipse clip becomes the path; with the clip back to the whole page, filling that path
    // inks the very pixels a fill through the ellipse clip inked.
    const auto clipAsPath = [](bool withPen) {
        XlStreamBuilder s = Page();
        if (!withPen) {
            NoPen(s);
        }
        s.Op(op::kNewPath).Box(attr::kBoundingBox, 20, 40, 180, 160).Op(kEllipsePath);
        s.UByte(attr::kClipRegion, kInterior).Op(op::kSetClipReplace);
        s.Op(kSetPathToClip).Op(op::kSetClipToPage).Op(op::kPaintPath);
        return RenderStream(s.EndPage().Stream());
    };
    XlStreamBuilder clipped = Page();
    NoPen(clipped).Op(op::kNewPath).Box(attr::kBoundingBox, 20, 40, 180, 160).Op(kEllipsePath);
    clipped.UByte(attr::kClipRegion, kInterior).Op(op::kSetClipReplace);
    clipped.Box(attr::kBoundingBox, 0, 0, kSide, kSide).Op(op::kRectangle);
    const RenderedRgb expected = Render(clipped);
    const auto filled = clipAsPath(false);
    ASSERT_TRUE(filled.outcome.succeeded) << filled.outcome.failure;
    EXPECT_EQ(filled.pages[0].rgb, expected.rgb);
    EXPECT_NEAR(InkOf(expected).count, M_PI * 80 * 60, M_PI * 80 * 60 * 0.01);
    EXPECT_EQ(clipAsPath(true).outcome.failure, kPixelPathStrokeRefusal);
}

TEST(PclXlRenderGeometry, PaintingShapeOperatorsLeaveThePathEmpty) {
    // A gray rectangle, then PaintPath with a black brush: nothing is left to paint again.
    XlStreamBuilder s = Page();
    NoPen(s).UByte(attr::kGrayLevel, 0x80).Op(op::kSetBrushSource);
    s.Box(attr::kBoundingBox, 150, 150, 50, 50).Op(op::kRectangle);
    s.UByte(attr::kGrayLevel, 0).Op(op::kSetBrushSource).Op(op::kPaintPath);
    const RenderedRgb page = Render(s);
    EXPECT_EQ(page.At(100, 100), 0x808080u);
    EXPECT_EQ(page.At(49, 100), kWhite);
}

TEST(PclXlRenderGeometry, TextPathFillsAndClipsToTheCharactersButIsNotStroked) {
    // A bitmap character of two rows, 4 pixels each: (6..9, 14) and (10..13, 15) with the
    // cursor at (5, 16), as Text draws it.
    using xlrender::testing::BitmapCharRecord;
    using xlrender::testing::BitmapFontHeader;
    const auto textPathPage = [](bool asClip, bool withPen) {
        const auto header = BitmapFontHeader(100);
        const auto record = BitmapCharRecord(1, 2, 8, 2, {0xF0, 0x0F});
        XlStreamBuilder s;
        s.Page(30, 20, 100).Text(attr::kFontName, "Mark").UByte(attr::kFontFormat, 0);
        s.Op(op::kBeginFontHeader).UInt16(0xA7, static_cast<std::uint16_t>(header.size()));
        s.Op(op::kReadFontHeader).Data(header).Op(op::kEndFontHeader);
        s.Text(attr::kFontName, "Mark").Op(op::kBeginChar).UInt16(attr::kCharCode, 'M');
        s.UInt16(attr::kCharDataSize, static_cast<std::uint16_t>(record.size()));
        s.Op(op::kReadChar).Data(record).Op(op::kEndChar);
        s.Text(attr::kFontName, "Mark").Real(attr::kCharSize, 20).UInt16(attr::kSymbolSet, 277);
        s.Op(op::kSetFont);
        if (!withPen) {
            NoPen(s);
        }
        s.Op(op::kNewPath).XY(attr::kPoint, 5, 16).Op(op::kSetCursor);
        s.Text(attr::kTextData, "M").Op(kTextPath);
        if (asClip) {
            s.UByte(attr::kClipRegion, kInterior).Op(op::kSetClipReplace);
            s.Box(attr::kBoundingBox, 0, 0, 30, 20).Op(op::kRectangle);
        } else {
            s.Op(op::kPaintPath);
        }
        return RenderStream(s.EndPage().Stream());
    };
    for (const bool asClip : {false, true}) {
        const auto run = textPathPage(asClip, false);
        ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
        const RenderedRgb& page = run.pages[0];
        int black = 0;
        for (int y = 0; y < page.height; ++y) {
            for (int x = 0; x < page.width; ++x) {
                black += page.At(x, y) == kBlack;
            }
        }
        EXPECT_EQ(black, 8) << asClip;
        EXPECT_EQ(page.At(6, 14), kBlack) << asClip;
        EXPECT_EQ(page.At(13, 15), kBlack) << asClip;
    }
    const auto stroked = textPathPage(false, true);
    EXPECT_EQ(stroked.outcome.failure, kPixelPathStrokeRefusal);
}

}  // namespace
