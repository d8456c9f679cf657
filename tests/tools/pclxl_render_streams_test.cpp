// What Ghostscript never writes, on hand-made streams: user-defined streams replayed (and
// their nesting bound), scan lines, PassThrough skipped with a warning, and the printer
// settings and the eSRGB colour space that change nothing on the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pclxl_dump/listing.h"
#include "pclxl_dump/pclxl_names.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kExecStream = 0x5E, kRemoveStream = 0x5F, kSetColorTreatment = 0x58,
                       kSetNeutralAxis = 0x7E, kSetHalftoneMethod = 0x6D;
constexpr std::uint8_t kStreamName = 0x8B, kStreamDataLength = 0x8C, kNumberOfScanLines = 0x73,
                       kColorTreatment = 0x78, kTextObjects = 0x1E, kDeviceMatrix = 0x21;
constexpr std::uint8_t kRgb = 2, kSRgb = 6;
constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// BeginStream / ReadStream / EndStream storing `content` (a whole stream, header first).
XlStreamBuilder& DefineStream(XlStreamBuilder& s, const std::string& name,
                              const std::string& content) {
    return s.Text(kStreamName, name)
        .Op(op::kBeginStream)
        .UInt16(kStreamDataLength, static_cast<std::uint16_t>(content.size()))
        .Op(op::kReadStream)
        .Data(std::vector<std::uint8_t>(content.begin(), content.end()))
        .Op(op::kEndStream);
}

XlStreamBuilder& Exec(XlStreamBuilder& s, const std::string& name) {
    return s.Text(kStreamName, name).Op(kExecStream);
}

// A page of 12 x 8 pixels with the stream defined on it.
XlStreamBuilder PageWithStream(const std::string& name, const std::string& content) {
    XlStreamBuilder s;
    s.Page(12, 8, 100);
    DefineStream(s, name, content);
    return s;
}

TEST(PclXlRenderStreams, AStoredStreamIsReplayedWhereverItIsExecutedUntilRemoved) {
    XlStreamBuilder box;
    box.Box(attr::kBoundingBox, 1, 1, 3, 3).Op(op::kRectangle);
    XlStreamBuilder s = PageWithStream("box", box.Stream());
    Exec(s, "box");
    s.XY(attr::kPageOrigin, 6, 4).Op(op::kSetPageOrigin);
    Exec(s, "box");
    const auto drawn = RenderStream(s.EndPage().Stream());
    ASSERT_TRUE(drawn.outcome.succeeded) << drawn.outcome.failure;
    const auto& page = drawn.pages[0];
    EXPECT_EQ(page.At(1, 1), kBlack);
    EXPECT_EQ(page.At(2, 2), kBlack);
    EXPECT_EQ(page.At(7, 5), kBlack);  // the second replay, moved with the origin
    EXPECT_EQ(page.At(4, 2), kWhite);

    XlStreamBuilder removed = PageWithStream("box", box.Stream());
    removed.Text(kStreamName, "box").Op(kRemoveStream);
    const std::size_t execAt = removed.Size();
    Exec(removed, "box");
    const auto refused = RenderStream(removed.EndPage().Stream());
    EXPECT_FALSE(refused.outcome.succeeded);
    EXPECT_EQ(refused.outcome.failureOffset, execAt);
    EXPECT_EQ(refused.outcome.failure, "ExecStream: no stream \"box\" is defined");
}

TEST(PclXlRenderStreams, FailuresInsideAReplayNameTheStreamAndTheirOffsetInIt) {
    XlStreamBuilder loop;
    const std::size_t innerExecAt = loop.Size();
    Exec(loop, "loop");
    XlStreamBuilder s = PageWithStream("loop", loop.Stream());
    const std::size_t execAt = s.Size();
    Exec(s, "loop");
    const auto run = RenderStream(s.EndPage().Stream());
    EXPECT_FALSE(run.outcome.succeeded);
    EXPECT_EQ(run.outcome.failureOffset, execAt);
    EXPECT_EQ(run.outcome.failure, "ExecStream: in stream \"loop\" at byte " +
                                       pclxl_dump::DescribeOffset(innerExecAt) +
                                       ": ExecStream: streams nest more than 32 deep");
}

TEST(PclXlRenderStreams, ScanLinesPaintTheirRunsWithTheBrush) {
    // Line at y 1 from x 1: pairs (skip 1, paint 2), (skip 2, paint 1) as ubytes: runs [2, 4)
    // and [6, 7). Line at y 3 from x 0: one uint16 pair (skip 3, paint 4): run [3, 7).
    const std::vector<std::uint8_t> data = {
        3,                                               // eSInt16 start points
        1, 0, 1, 0, 2, 0, 0, 1, 2, 2, 1,                 // x 1, y 1, 2 pairs, eUByte
        0, 0, 3, 0, 1, 0, 2, 3, 0, 4, 0,                 // x 0, y 3, 1 pair, eUInt16
    };
    XlStreamBuilder s;
    s.Page(10, 5, 100).Op(op::kBeginScan).UInt16(kNumberOfScanLines, 2).Op(op::kScanLineRel);
    s.Data(data).Op(op::kEndScan);
    const auto run = RenderStream(s.EndPage().Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    const auto inRun = [](int x, int y) {
        return (y == 1 && ((x >= 2 && x < 4) || x == 6)) || (y == 3 && x >= 3 && x < 7);
    };
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(run.pages[0].At(x, y), inRun(x, y) ? kBlack : kWhite) << x << ", " << y;
        }
    }

}

TEST(PclXlRenderStreams, PassThroughIsSkippedWithAWarningAndThePageStillDrawn) {
    XlStreamBuilder s;
    s.Page(10, 5, 100);
    const std::size_t passAt = s.Size();
    s.Op(op::kPassThrough).Data({0x1B, 'E', 0x1B, '&', 'l', '0', 'O'});
    s.Box(attr::kBoundingBox, 2, 2, 4, 4).Op(op::kRectangle).EndPage();
    std::vector<std::string> warnings;
    const auto run = RenderStream(s.Stream(), 100, 1, 1 << 30, [&](const std::string& warning) {
        warnings.push_back(warning);
    });
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    EXPECT_EQ(run.pages[0].At(3, 3), kBlack);
    EXPECT_EQ(warnings, std::vector<std::string>{
                            "at byte " + pclxl_dump::DescribeOffset(passAt) +
                            ": PassThrough: 7 bytes of embedded PCL 5 are not drawn"});
}

TEST(PclXlRenderStreams, PrinterSettingsAndTheSRgbColourSpaceChangeNothingDrawn) {
    const auto page = [](bool withSettings) {
        XlStreamBuilder s;
        s.Page(10, 5, 100).UByte(attr::kColorSpace, withSettings ? kSRgb : kRgb);
        s.Op(op::kSetColorSpace);
        if (withSettings) {
            s.UByte(kColorTreatment, 2).Op(kSetColorTreatment);
            s.UByte(kTextObjects, 1).Op(kSetNeutralAxis);
            s.UByte(kDeviceMatrix, 0).Op(kSetHalftoneMethod);
        }
        s.Bytes(attr::kRGBColor, {0x20, 0x80, 0xC0}).Op(op::kSetBrushSource);
        s.Box(attr::kBoundingBox, 1, 1, 6, 4).Op(op::kRectangle).EndPage();
        return RenderStream(s.Stream());
    };
    const auto plain = page(false);
    const auto set = page(true);
    ASSERT_TRUE(set.outcome.succeeded) << set.outcome.failure;
    EXPECT_EQ(set.pages[0].rgb, plain.pages[0].rgb);
    EXPECT_EQ(set.pages[0].At(2, 2), 0x2080C0u);

    XlStreamBuilder unknown;
    unknown.Page(10, 5, 100).UByte(kColorTreatment, 7).Op(kSetColorTreatment);
    EXPECT_EQ(RenderStream(unknown.Stream()).outcome.failure,
              "SetColorTreatment: ColorTreatment 7 is not known");
}

}  // namespace
