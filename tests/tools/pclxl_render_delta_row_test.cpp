// eDeltaRowCompression on hand-made 8-bit gray images: each case's rows, decoded and drawn one
// device pixel per image pixel, must equal the rows written out by hand from the definition.
#include <gtest/gtest.h>

#include <vector>

#include "pclxl_dump/pclxl_names.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kGray = 1, kDirectPixel = 0, k8Bit = 2, kDeltaRow = 3;
using Bytes = std::vector<std::uint8_t>;

struct Block {
    int startLine;
    int rows;
    Bytes data;
};

struct DeltaRowCase {
    const char* name;
    int width;
    std::vector<Block> blocks;
    std::vector<Bytes> expected;  // the decoded rows
    const char* failure;          // empty when the image draws
};

// A row of `width` zero bytes with `value` at `at`.
Bytes RowWith(int width, std::size_t at, std::uint8_t value) {
    Bytes row(static_cast<std::size_t>(width), 0);
    row[at] = value;
    return row;
}

const DeltaRowCase kCases[] = {
    // Command 0x21: 2 bytes after keeping 1 of the all-zero seed row.
    {"replaces bytes of the zero seed row", 6, {{0, 1, {3, 0, 0x21, 0xAA, 0xBB}}},
     {{0, 0xAA, 0xBB, 0, 0, 0}}, ""},
    // Row 1 keeps row 0 and replaces byte 4; row 2 has no commands and repeats row 1.
    {"keeps the previous row and repeats it for an empty row", 6,
     {{0, 3, {4, 0, 0x40, 0x11, 0x22, 0x33, 2, 0, 0x04, 0x44, 0, 0}}},
     {{0x11, 0x22, 0x33, 0, 0, 0}, {0x11, 0x22, 0x33, 0, 0x44, 0}, {0x11, 0x22, 0x33, 0, 0x44, 0}},
     ""},
    // Offset 31 goes on in the next bytes while they are 255: 31 + 255 + 3 = 289.
    {"extends offset 31 with the bytes after it", 300, {{0, 1, {4, 0, 0x1F, 0xFF, 0x03, 0x77}}},
     {RowWith(300, 289, 0x77)}, ""},
    // The second ReadImage block's seed is the first block's last row.
    {"carries the seed row across ReadImage blocks", 6,
     {{0, 1, {2, 0, 0x00, 0x55}}, {1, 1, {2, 0, 0x05, 0x66}}},
     {{0x55, 0, 0, 0, 0, 0}, {0x55, 0, 0, 0, 0, 0x66}}, ""},
    {"refuses bytes past the row's end", 6, {{0, 1, {3, 0, 0x26, 0x01, 0x02}}}, {},
     "ReadImage: a delta row replaces bytes past the row's 6"},
    {"refuses commands past the row's byte count", 6, {{0, 1, {2, 0, 0x20, 0x01, 0x02}}}, {},
     "ReadImage: a delta row's commands run past its byte count or the data"},
};

TEST(PclXlRenderDeltaRow, DecodedRowsMatchTheDefinition) {
    for (const DeltaRowCase& c : kCases) {
        const int height = static_cast<int>(c.expected.empty() ? 1 : c.expected.size());
        XlStreamBuilder s;
        s.Page(c.width, height, 100).UByte(attr::kColorSpace, kGray).Op(op::kSetColorSpace);
        s.XY(attr::kPoint, 0, 0).Op(op::kSetCursor).UByte(attr::kROP3, 0xCC).Op(op::kSetROP);
        s.UByte(attr::kColorMapping, kDirectPixel)
            .UByte(attr::kColorDepth, k8Bit)
            .UInt16(attr::kSourceWidth, c.width)
            .UInt16(attr::kSourceHeight, height)
            .XY(attr::kDestinationSize, c.width, height)
            .Op(op::kBeginImage);
        for (const Block& block : c.blocks) {
            s.UInt16(attr::kStartLine, block.startLine)
                .UInt16(attr::kBlockHeight, block.rows)
                .UByte(attr::kCompressMode, kDeltaRow)
                .Op(op::kReadImage)
                .Data(block.data);
        }
        const auto run = RenderStream(s.Op(op::kEndImage).EndPage().Stream());
        if (*c.failure != '\0') {
            EXPECT_EQ(run.outcome.failure, c.failure) << c.name;
            continue;
        }
        ASSERT_TRUE(run.outcome.succeeded) << c.name << ": " << run.outcome.failure;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t level = c.expected[static_cast<std::size_t>(y)][x];
                ASSERT_EQ(run.pages[0].At(x, y), level * 0x010101u)
                    << c.name << " at " << x << ", " << y;
            }
        }
    }
}

}  // namespace
