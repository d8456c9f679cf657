// Sessions and pages on hand-made streams: orientation, page selection and copies, the default
// colour space, bitmap characters at the cursor, and what stops the rendering (where, and with
// which message).
#include <gtest/gtest.h>

#include "pclxl_dump/listing.h"
#include "pclxl_dump/pclxl_names.h"
#include "pclxl_dump/spool_reader.h"
#include "tools/soft_font_records.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kLandscape = 1, kReversePortrait = 2;

XlStreamBuilder& Mark(XlStreamBuilder& s) {
    return s.UByte(attr::kNullPen, 0)
        .Op(op::kSetPenSource)
        .Box(attr::kBoundingBox, 0, 0, 2, 1)
        .Op(op::kRectangle);
}

TEST(PclXlRenderPages, OrientationsShapeAndTurnThePage) {
    XlStreamBuilder landscape;
    Mark(landscape.Page(10, 20, 100, kLandscape)).EndPage();
    auto run = RenderStream(landscape.Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    EXPECT_EQ(run.pages[0].width, 20);
    EXPECT_EQ(run.pages[0].height, 10);
    EXPECT_EQ(run.pages[0].At(1, 0), 0u);

    XlStreamBuilder reverse;
    Mark(reverse.Page(10, 20, 100, kReversePortrait)).EndPage();
    run = RenderStream(reverse.Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    EXPECT_EQ(run.pages[0].width, 10);
    EXPECT_EQ(run.pages[0].At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(run.pages[0].At(8, 19), 0u);
    EXPECT_EQ(run.pages[0].At(9, 19), 0u);
    EXPECT_EQ(run.pages[0].At(7, 19), 0xFFFFFFu);
}

TEST(PclXlRenderPages, OnlySelectedPagesAreDrawnWithTheirCopiesAndGrayIsTheStartingSpace) {
    XlStreamBuilder s;
    s.Page(4, 4, 100).Op(op::kEndPage);
    for (int page = 2; page <= 3; ++page) {
        s.UByte(attr::kMediaSize, 2).Op(op::kBeginPage);
        s.UByte(attr::kGrayLevel, page * 0x10).Op(op::kSetBrushSource);
        Mark(s).UInt16(attr::kPageCopies, page).Op(op::kEndPage);
    }
    const auto run = RenderStream(s.Op(op::kEndSession).Stream(), 100, 2, 3);
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    ASSERT_EQ(run.pages.size(), 2u);
    EXPECT_EQ(run.pages[0].width, 827) << "A4 at 100 dpi";
    EXPECT_EQ(run.pages[0].At(0, 0), 0x202020u);
    EXPECT_EQ(run.pages[1].At(0, 0), 0x303030u);
    EXPECT_EQ(run.pages[1].copies, 3);
}

// A page on which soft font "Mark" holds character 'M' as `record`, set at CharSize 20 and
// `angle` degrees and drawn in a dark gray brush with the pen at (5, 16).
std::string OneCharacterPage(const xlrender::testing::Bytes& header,
                             const xlrender::testing::Bytes& record, double angle = 0) {
    XlStreamBuilder s;
    s.Page(30, 20, 100)
        .Text(attr::kFontName, "Mark")
        .UByte(attr::kFontFormat, 0)
        .Op(op::kBeginFontHeader)
        .UInt16(0xA7, static_cast<std::uint16_t>(header.size()))
        .Op(op::kReadFontHeader)
        .Data(header)
        .Op(op::kEndFontHeader)
        .Text(attr::kFontName, "Mark")
        .Op(op::kBeginChar)
        .UInt16(attr::kCharCode, 'M')
        .UInt16(attr::kCharDataSize, static_cast<std::uint16_t>(record.size()))
        .Op(op::kReadChar)
        .Data(record)
        .Op(op::kEndChar)
        .Text(attr::kFontName, "Mark")
        .Real(attr::kCharSize, 20)
        .UInt16(attr::kSymbolSet, 277)
        .Op(op::kSetFont)
        .Real(attr::kCharAngle, angle)
        .Op(op::kSetCharAngle)
        .UByte(attr::kGrayLevel, 0x60)
        .Op(op::kSetBrushSource)
        .XY(attr::kPoint, 5, 16)
        .Op(op::kSetCursor)
        .Text(attr::kTextData, "M")
        .Op(op::kText);
    return s.EndPage().Stream();
}

TEST(PclXlRenderText, ABitmapCharacterLandsAtTheCursorInTheBrush) {
    using namespace xlrender::testing;
    // An 8 x 2 character whose top row is 2 dots above the baseline, 1 dot right of the pen.
    const auto run = RenderStream(
        OneCharacterPage(BitmapFontHeader(100), BitmapCharRecord(1, 2, 8, 2, {0xF0, 0x0F})));
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    const auto& page = run.pages[0];
    EXPECT_EQ(page.At(6, 14), 0x606060u);
    EXPECT_EQ(page.At(9, 14), 0x606060u);
    EXPECT_EQ(page.At(10, 14), 0xFFFFFFu);
    EXPECT_EQ(page.At(10, 15), 0x606060u);
    EXPECT_EQ(page.At(13, 15), 0x606060u);
    EXPECT_EQ(page.At(6, 15), 0xFFFFFFu);
    EXPECT_EQ(page.At(5, 14), 0xFFFFFFu);
    EXPECT_EQ(page.At(6, 16), 0xFFFFFFu);
}

TEST(PclXlRenderText, ATrueTypeCharacterStandsOnTheBaselineAtTheCursor) {
    using namespace xlrender::testing;
    // A square of half an em (10 pixels at CharSize 20) from the pen up and to the right.
    const auto run = RenderStream(
        OneCharacterPage(Concat({FontDescription(1), SquareFontTables(), kNullSegment}),
                         TrueTypeCharRecord(0, SquareGlyph())));
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    const auto& page = run.pages[0];
    EXPECT_EQ(page.At(6, 7), 0x606060u);
    EXPECT_EQ(page.At(14, 15), 0x606060u);
    EXPECT_EQ(page.At(10, 10), 0x606060u);
    EXPECT_EQ(page.At(3, 10), 0xFFFFFFu) << "left of the pen";
    EXPECT_EQ(page.At(17, 10), 0xFFFFFFu) << "past half an em";
    EXPECT_EQ(page.At(10, 17), 0xFFFFFFu) << "below the baseline";
    EXPECT_EQ(page.At(10, 4), 0xFFFFFFu) << "above half an em";

    // A positive character angle turns the character counter-clockwise on paper, as the
    // baseline of rotated text runs: the square now rises from the pen to its left.
    const auto turned = RenderStream(
        OneCharacterPage(Concat({FontDescription(1), SquareFontTables(), kNullSegment}),
                         TrueTypeCharRecord(0, SquareGlyph()), 90));
    ASSERT_TRUE(turned.outcome.succeeded) << turned.outcome.failure;
    EXPECT_EQ(turned.pages[0].At(2, 10), 0x606060u);
    EXPECT_EQ(turned.pages[0].At(10, 10), 0xFFFFFFu);
    EXPECT_EQ(turned.pages[0].At(8, 18), 0xFFFFFFu);
}

TEST(PclXlRenderRefusals, NameTheOperatorAndStopWhereStrictDumpStops) {
    // An operator the preview does not draw.
    XlStreamBuilder substitution;
    substitution.Page(4, 4, 100);
    const std::size_t substitutionAt = substitution.Size();
    substitution.Op(0x81).EndPage();
    auto run = RenderStream(substitution.Stream());
    EXPECT_EQ(run.outcome.failureOffset, substitutionAt);
    EXPECT_EQ(run.outcome.failure, "SetCharSubMode: the preview does not draw this operator");

    // A page the page buffer cannot hold.
    XlStreamBuilder huge;
    huge.XY(attr::kUnitsPerMeasure, 600, 600).UByte(attr::kMeasure, 0).Op(op::kBeginSession);
    huge.RealXY(attr::kCustomMediaSize, 99, 99)
        .UByte(attr::kCustomMediaSizeUnits, 0)
        .Op(op::kBeginPage);
    run = RenderStream(huge.Stream(), 1200);
    EXPECT_EQ(run.outcome.failure,
              "BeginPage: a page of 118800 x 118800 pixels needs more than the 1024 MB a page "
              "may take; choose a lower resolution");

    // Drawing outside a page, and a malformed stream: the same spot and words as the dump.
    XlStreamBuilder outside;
    outside.XY(attr::kUnitsPerMeasure, 600, 600).UByte(attr::kMeasure, 0).Op(op::kBeginSession);
    outside.Op(op::kNewPath);
    run = RenderStream(outside.Stream());
    EXPECT_EQ(run.outcome.failure, "NewPath: only allowed between BeginPage and EndPage");

    XlStreamBuilder unbalanced;
    unbalanced.Page(4, 4, 100).Op(op::kPopGS).EndPage();
    run = RenderStream(unbalanced.Stream());
    const std::string& stream = unbalanced.Stream();
    const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(
        {reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()}, true);
    ASSERT_NE(listing.FirstProblem(), nullptr);
    EXPECT_FALSE(run.outcome.succeeded);
    EXPECT_EQ(run.outcome.failureOffset, listing.FirstProblem()->offset);
    EXPECT_EQ(run.outcome.failure, listing.FirstProblem()->text);
    EXPECT_TRUE(run.pages.empty());
}

}  // namespace
