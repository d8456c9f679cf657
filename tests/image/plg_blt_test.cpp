// DrvPlgBlt: quarter turns through a temporary bitmap, everything else to the engine.
#include <gtest/gtest.h>

#include "gdi/engine_state.h"
#include "gdi/surface_pixels.h"
#include "image/image_hook_fixture.h"
#include "image/quarter_turn.h"

namespace xlrender {
namespace {

using Lines = std::vector<std::string>;
using Messages = std::vector<std::u16string>;

class QuarterTurns : public testing::ImageHookTest {
protected:
    void SetUp() override {
        ImageHookTest::SetUp();
        // The engine draws onto the page through the driver's own DrvCopyBits: the plug-in's.
        sim::TheWorld().engine.deviceCopyBits[pso] = &DrvCopyBits;
    }
    static POINTFIX Fix(LONG x, LONG y) { return {x * 16, y * 16}; }
    BOOL PlgBlt(POINTFIX* corners, SURFOBJ* mask = nullptr, SURFOBJ* source = nullptr) {
        RECTL whole{0, 0, 200, 100};
        return DrvPlgBlt(pso, source != nullptr ? source : photo.surface(), mask, nullptr, nullptr,
                         nullptr, nullptr, corners, &whole, nullptr, 3);
    }
    const Messages& DebugOutput() { return sim::TheWorld().engine.debugOutput; }
};

TEST_F(QuarterTurns, ATurnedPhotographLandsTurnedAsJpeg) {
    // Clockwise: the source's top edge runs down the right side of (1000, 500)-(1100, 700).
    POINTFIX clockwise[3] = {Fix(1100, 500), Fix(1100, 700), Fix(1000, 500)};
    ASSERT_EQ(PlgBlt(clockwise), TRUE);
    EXPECT_EQ(DebugOutput(), (Messages{u"PlgBlt Entry Called", u"PlgBlt Exit Called"}));
    const Lines lines = Listing();
    EXPECT_EQ(lines[2], "SetCursor Point=(1000, 500)");
    EXPECT_EQ(lines[7],
              "BeginImage ColorMapping=eDirectPixel ColorDepth=e8Bit SourceWidth=100 "
              "SourceHeight=200 DestinationSize=(100, 200)");
    const testing::DecodedJpeg image = SpooledJpeg();
    int worst = 0;
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 100; x += 7) {
            const ULONG rgb = sim::gdi::ReadRgb(*photo.surface(), y, 99 - x, nullptr);
            worst = std::max(worst, std::abs(image.At(x, y, 0) - static_cast<int>(rgb >> 16)));
        }
    }
    EXPECT_LE(worst, 6);
    EXPECT_EQ(sim::LiveEngineObjects(), engineObjects);

    device.spool().Clear();
    POINTFIX counterClockwise[3] = {Fix(1000, 700), Fix(1000, 500), Fix(1100, 700)};
    ASSERT_EQ(PlgBlt(counterClockwise), TRUE);
    EXPECT_EQ(Listing()[2], "SetCursor Point=(1000, 500)");
    const ULONG corner = sim::gdi::ReadRgb(*photo.surface(), 199, 0, nullptr);
    EXPECT_NEAR(SpooledJpeg().At(0, 0, 0), static_cast<int>(corner >> 16), 6);
}

TEST_F(QuarterTurns, AnythingElseGoesStraightToTheEngineWithTheCallersArguments) {
    POINTFIX slanted[3] = {Fix(100, 0), Fix(200, 100), Fix(0, 100)};
    POINTFIX mirrored[3] = {Fix(1100, 700), Fix(1100, 500), Fix(1000, 700)};
    POINTFIX clockwise[3] = {Fix(1100, 500), Fix(1100, 700), Fix(1000, 500)};
    SURFOBJ mask{};
    testing::EnginePicture grey(200, 100, BMF_TOPDOWN, testing::Gradient, BMF_8BPP);
    struct Case {
        const char* what;
        POINTFIX* corners;
        SURFOBJ* mask;
        SURFOBJ* source;
    } cases[] = {{"45 degrees", slanted, nullptr, nullptr},
                 {"mirrored", mirrored, nullptr, nullptr},
                 {"with a mask", clockwise, &mask, nullptr},
                 {"another format", clockwise, nullptr, grey.surface()}};
    for (const Case& c : cases) {
        sim::TheWorld().ddiCalls.clear();
        sim::TheWorld().engine.debugOutput.clear();
        sim::TheWorld().ddiResults["EngPlgBlt"] = 9;
        EXPECT_EQ(PlgBlt(c.corners, c.mask, c.source), 9) << c.what;
        ASSERT_EQ(sim::TheWorld().ddiCalls.size(), 1u) << c.what;
        EXPECT_EQ(sim::TheWorld().ddiCalls[0].arguments[7],
                  reinterpret_cast<std::uintptr_t>(c.corners))
            << c.what;
        EXPECT_EQ(DebugOutput(), Messages{u"PlgBlt Entry Called"}) << c.what;
    }
    RECTL empty{0, 0, 0, 100};
    sim::TheWorld().ddiCalls.clear();
    EXPECT_EQ(DrvPlgBlt(pso, photo.surface(), nullptr, nullptr, nullptr, nullptr, nullptr,
                        clockwise, &empty, nullptr, 3),
              9);
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 1u) << "an empty source: the engine's";
    sim::TheWorld().ddiCalls.clear();
    sim::TheWorld().engine.failOnCall["EngCreateBitmap"] = 1;
    EXPECT_EQ(PlgBlt(clockwise), 9);
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 1u) << "no temporary bitmap: the engine's";
    EXPECT_EQ(sim::LiveEngineObjects(), engineObjects + 2);  // the photograph and `grey`
}

TEST_F(QuarterTurns, ScanlineBytesAreDwordAligned) {
    EXPECT_EQ(ScanlineBytes(BMF_24BPP, 41), 124u);
    EXPECT_EQ(ScanlineBytes(BMF_1BPP, 33), 8u);
    EXPECT_EQ(ScanlineBytes(BMF_32BPP, 1), 4u);
    EXPECT_EQ(ScanlineBytes(99, 10), 0u);
    EXPECT_EQ(ScanlineBytes(BMF_32BPP, 0x7FFFFFFF), 0u);
}

}  // namespace
}  // namespace xlrender
