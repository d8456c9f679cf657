// Every hook passes the caller's own arguments to Unidrv and returns Unidrv's answer.
#include <gtest/gtest.h>

#include "frame/ddi_hooks.h"
#include "frame/hook_table.h"
#include "frame/oem_pdev.h"
#include "platform/function_cast.h"
#include "settings/devmode_identity.h"
#include "support/plugin_fixture.h"
#include "world.h"

namespace xlrender {
namespace {

using sim::unidrv::Device;
using Words = std::vector<std::uintptr_t>;

template <typename Pointer>
std::uintptr_t Word(Pointer pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

class PassThrough : public testing::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        EnableOrFail(device);
    }
    void TearDown() override {
        plugin->DisablePDEV(device.devobj());
        PluginTest::TearDown();
    }

    const sim::RecordedCall& OnlyCall() {
        const auto& calls = sim::TheWorld().ddiCalls;
        EXPECT_EQ(calls.size(), 1u);
        return calls.back();
    }

    Device device{kPrivateDevmodeSize};
    SURFOBJ* pso = device.surface();
    SURFOBJ source{};
    SURFOBJ mask{};
    CLIPOBJ clip{};
    XLATEOBJ translate{};
    RECTL rectangle{};
    RECTL sourceRectangle{};
    POINTL point{};
    POINTL maskPoint{};
    POINTL brushOrigin{};
    BRUSHOBJ brush{};
    COLORADJUSTMENT colours{};
    STROBJ text{};
    FONTOBJ font{};
};

TEST_F(PassThrough, BlitHooksHandOnEveryArgument) {
    sim::TheWorld().ddiResults["DrvBitBlt"] = FALSE;
    EXPECT_EQ(DrvBitBlt(pso, &source, &mask, &clip, &translate, &rectangle, &point, &maskPoint,
                        &brush, &brushOrigin, 0xCCAA),
              FALSE);
    EXPECT_EQ(OnlyCall().function, "DrvBitBlt");
    EXPECT_EQ(OnlyCall().arguments,
              (Words{Word(pso), Word(&source), Word(&mask), Word(&clip), Word(&translate),
                     Word(&rectangle), Word(&point), Word(&maskPoint), Word(&brush),
                     Word(&brushOrigin), 0xCCAA}));

    sim::TheWorld().ddiCalls.clear();
    EXPECT_EQ(DrvCopyBits(pso, &source, &clip, &translate, &rectangle, &point), TRUE);
    EXPECT_EQ(OnlyCall().arguments, (Words{Word(pso), Word(&source), Word(&clip),
                                           Word(&translate), Word(&rectangle), Word(&point)}));

    sim::TheWorld().ddiCalls.clear();
    EXPECT_EQ(DrvStretchBlt(pso, &source, &mask, &clip, &translate, &colours, &brushOrigin,
                            &rectangle, &sourceRectangle, &maskPoint, 3),
              TRUE);
    EXPECT_EQ(OnlyCall().function, "DrvStretchBlt");
    EXPECT_EQ(OnlyCall().arguments.back(), 3u);

    sim::TheWorld().ddiCalls.clear();
    EXPECT_EQ(DrvStretchBltROP(pso, &source, &mask, &clip, &translate, &colours, &brushOrigin,
                               &rectangle, &sourceRectangle, &maskPoint, 4, &brush, 0xF0F0),
              TRUE);
    EXPECT_EQ(OnlyCall().function, "DrvStretchBltROP");
    EXPECT_EQ(OnlyCall().arguments[11], Word(&brush));
    EXPECT_EQ(OnlyCall().arguments[12], 0xF0F0u);
}

TEST_F(PassThrough, ReadBackCopyFindsTheDeviceThroughItsSource) {
    SURFOBJ engineBitmap{};
    EXPECT_EQ(DrvCopyBits(&engineBitmap, pso, &clip, &translate, &rectangle, &point), TRUE);
    EXPECT_EQ(OnlyCall().arguments[1], Word(pso));
}

TEST_F(PassThrough, DocumentPageAndEscapeHooksHandOnEveryArgument) {
    WCHAR name[] = W("report");
    sim::TheWorld().ddiResults["DrvEscape"] = 1234;
    EXPECT_EQ(DrvEscape(pso, 4000, 5, &rectangle, 6, &point), 1234u);
    EXPECT_EQ(OnlyCall().arguments,
              (Words{Word(pso), 4000, 5, Word(&rectangle), 6, Word(&point)}));

    auto& calls = sim::TheWorld().ddiCalls;
    calls.clear();
    EXPECT_EQ(DrvStartDoc(pso, name, 77), TRUE);
    EXPECT_EQ(DrvStartPage(pso), TRUE);
    EXPECT_EQ(DrvStartBanding(pso, &point), TRUE);
    EXPECT_EQ(DrvNextBand(pso, &point), TRUE);
    EXPECT_EQ(DrvSendPage(pso), TRUE);
    EXPECT_EQ(DrvTextOut(pso, &text, &font, &clip, &rectangle, nullptr, &brush, nullptr, &point,
                         0x0D0D),
              TRUE);
    EXPECT_EQ(DrvEndDoc(pso, 8), TRUE);
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].arguments, (Words{Word(pso), Word(name), 77}));
    EXPECT_EQ(calls[1].function, "DrvStartPage");
    EXPECT_EQ(calls[2].arguments, (Words{Word(pso), Word(&point)}));
    EXPECT_EQ(calls[3].function, "DrvNextBand");
    EXPECT_EQ(calls[4].function, "DrvSendPage");
    EXPECT_EQ(calls[5].arguments, (Words{Word(pso), Word(&text), Word(&font), Word(&clip),
                                         Word(&rectangle), 0, Word(&brush), 0, Word(&point),
                                         0x0D0D}));
    EXPECT_EQ(calls[6].arguments, (Words{Word(pso), 8}));
}

TEST_F(PassThrough, PlgBltEndsInTheEngine) {
    POINTFIX corners[3]{};
    sim::TheWorld().ddiResults["EngPlgBlt"] = FALSE;
    EXPECT_EQ(DrvPlgBlt(pso, &source, &mask, &clip, &translate, &colours, &brushOrigin, corners,
                        &rectangle, &point, 4),
              FALSE);
    EXPECT_EQ(OnlyCall().function, "EngPlgBlt");
    EXPECT_EQ(OnlyCall().arguments[7], Word(corners));
}

TEST_F(PassThrough, AMissingUnidrvFunctionFailsInsteadOfCallingNull) {
    static_cast<OemPdev*>(device.devobj()->pdevOEM)->UnidrvHooks[kHookStartBanding] = nullptr;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(DrvStartBanding(pso, &point), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
}

TEST_F(PassThrough, ASurfaceWithoutDeviceStateFailsWithInvalidData) {
    SURFOBJ stranger{};
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(DrvSendPage(&stranger), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(DrvEscape(nullptr, 1, 0, nullptr, 0, nullptr), 0u);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
}

}  // namespace
}  // namespace xlrender
