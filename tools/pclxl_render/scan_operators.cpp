// Scan lines: each ScanLineRel (between BeginScan and EndScan, which draw nothing) paints runs
// of rows with the brush. Its data is a coordinate type byte (eSInt16), then per scan line a start point (x, y:
// sint16), the number of x pairs (uint16), their type (eUByte or eUInt16) and the pairs. Each
// pair moves the running x on by its first value and paints the run of its second value's
// length from there, one unit tall at y, the run being [x, x + length) x [y, y + 1) in user
// units.
#include <string>

#include "interpreter.h"
#include "operator_codes.h"
#include "pclxl_dump/byte_cursor.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

using pclxl_dump::XlOperator;

constexpr std::uint32_t kUByte = 0, kUInt16 = 2, kSInt16 = 3;  // PointType values
constexpr std::size_t kScanLineHeadBytes = 7;

std::uint32_t ReadOrThrow(pclxl_dump::ByteCursor& cursor, std::size_t size, const char* what) {
    std::uint32_t value = 0;
    if (!cursor.ReadLittle(size, value)) {
        throw RenderError(std::string("the data ends inside ") + what + " at data byte " +
                          std::to_string(cursor.position()));
    }
    return value;
}

double Signed16(std::uint32_t bits) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
}

}  // namespace

void Interpreter::ScanLineRel(const XlOperator& op, const Attributes& attributes) {
    const std::uint32_t lines = attributes.IntegerOr(attr_code::kNumberOfScanLines, 1);
    pclxl_dump::ByteCursor cursor(op.data);
    const std::uint32_t startType = ReadOrThrow(cursor, 1, "the coordinate type");
    if (startType != kSInt16) {
        throw RenderError("scan line starts of type " + std::to_string(startType) +
                          " are not drawn (eSInt16 is)");
    }
    std::vector<Polygon> runs;
    for (std::uint32_t line = 0; line < lines; ++line) {
        if (!cursor.Has(kScanLineHeadBytes)) {
            throw RenderError("the data holds " + std::to_string(line) + " of " +
                              std::to_string(lines) + " scan lines");
        }
        double x = Signed16(ReadOrThrow(cursor, 2, "a start point"));
        const double y = Signed16(ReadOrThrow(cursor, 2, "a start point"));
        const std::uint32_t pairs = ReadOrThrow(cursor, 2, "a scan line");
        const std::uint32_t pairType = ReadOrThrow(cursor, 1, "a scan line");
        if (pairType != kUByte && pairType != kUInt16) {
            throw RenderError("x pairs of type " + std::to_string(pairType) +
                              " are not drawn (eUByte and eUInt16 are)");
        }
        const std::size_t size = pairType == kUByte ? 1 : 2;
        for (std::uint32_t pair = 0; pair < pairs; ++pair) {
            x += ReadOrThrow(cursor, size, "an x pair");
            const double length = ReadOrThrow(cursor, size, "an x pair");
            if (length > 0) {
                runs.push_back({state_.ctm.Apply({x, y}), state_.ctm.Apply({x + length, y}),
                                state_.ctm.Apply({x + length, y + 1}),
                                state_.ctm.Apply({x, y + 1})});
            }
            x += length;
        }
    }
    if (Drawing() && state_.brush.kind != Paint::Kind::kNone) {
        PaintRegion(FillPolygons(runs, FillRule::kNonZeroWinding, pageWidth_, pageHeight_),
                    state_.brush);
    }
}

}  // namespace pclxl_render
