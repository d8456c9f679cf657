// A device context whose blits the image path looks at ("JPEGEnable" "Maximum", colour), with
// photographs to blit and the spool read back as a listing.
#pragma once

#include <string>
#include <vector>

#include "frame/ddi_hooks.h"
#include "frame/hook_fixture.h"
#include "gdi/engine_state.h"
#include "pclxl_dump/spool_reader.h"
#include "support/engine_picture.h"
#include "support/jpeg_decode.h"

namespace xlrender::testing {

class ImageHookTest : public HookTest {
protected:
    void SetUp() override {
        HookTest::SetUp();
        device.SelectOption("JPEGEnable", "Maximum");
        EnableDevice();
        Devmode().Grayscale = 0;
        pso->sizlBitmap = {4760, 6816};  // an A4 page's printable area at 600 dpi
    }

    // The operators the plug-in wrote, one line each, read by the independent spool reader.
    std::vector<std::string> Listing() {
        const std::string file = "@PJL ENTER LANGUAGE=PCLXL\n) HP-PCL XL;2;1\n" + Spooled();
        const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(
            {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, true);
        std::vector<std::string> lines;
        for (std::size_t i = 2; i < listing.lines.size(); ++i) {
            lines.push_back((listing.lines[i].problem ? "!! " : "") + listing.lines[i].text);
        }
        return lines;
    }

    // The first JPEG stream in the spool, decoded.
    DecodedJpeg SpooledJpeg() {
        const std::string spool = Spooled();
        const std::size_t start = spool.find("\xFF\xD8\xFF");
        const std::size_t end = spool.find("\xFF\xD9", start);
        EXPECT_NE(end, std::string::npos);
        return DecodeJpeg(spool.substr(start, end + 2 - start));
    }

    // DrvBitBlt of `picture`'s top left corner onto `destination` with `rop4`.
    BOOL BitBlt(const EnginePicture& picture, RECTL destination, ROP4 rop4 = 0xCCCC,
                CLIPOBJ* clip = nullptr) {
        POINTL origin{0, 0};
        return DrvBitBlt(pso, picture.surface(), nullptr, clip, nullptr, &destination, &origin,
                         nullptr, nullptr, nullptr, rop4);
    }

    bool UnidrvCalled() const { return !sim::TheWorld().ddiCalls.empty(); }

    EnginePicture photo{200, 100, BMF_TOPDOWN, Gradient};
    // Engine objects a test must leave as it found them (the photograph's among them).
    const std::size_t engineObjects = sim::LiveEngineObjects();
};

}  // namespace xlrender::testing
