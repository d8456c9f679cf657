// The blit hooks with the image path: what is taken over, how it is written, and what goes to
// Unidrv untouched.
#include <gtest/gtest.h>

#include <cmath>

#include "gdi/clip_region.h"
#include "gdi/engine_state.h"
#include "gdi/surface_pixels.h"
#include "image/blit_rules.h"
#include "image/image_hook_fixture.h"

namespace xlrender {
namespace {

using Lines = std::vector<std::string>;
using testing::EnginePicture;

class ImageHooks : public testing::ImageHookTest {};

double Psnr(const testing::DecodedJpeg& image, const SURFOBJ& source) {
    double squares = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const ULONG rgb = sim::gdi::ReadRgb(source, x, y, nullptr);
            for (int c = 0; c < 3; ++c) {
                const double d = image.At(x, y, c) - static_cast<int>((rgb >> (16 - 8 * c)) & 0xFF);
                squares += d * d;
            }
        }
    }
    return 10 * std::log10(255.0 * 255.0 / (squares / (image.width * image.height * 3.0)));
}

TEST_F(ImageHooks, APhotographGoesOutAsOneJpegImageAndUnidrvIsNotCalled) {
    const std::size_t blocks = sim::LiveHeapBlocks();
    ASSERT_EQ(BitBlt(photo, {100, 200, 300, 300}), TRUE);
    EXPECT_FALSE(UnidrvCalled());
    const Lines lines = Listing();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "PushGS");
    EXPECT_EQ(lines[1], "SetClipToPage");
    EXPECT_EQ(lines[2], "SetCursor Point=(100, 200)");
    EXPECT_EQ(lines[3], "SetPaintTxMode TxMode=eOpaque");
    EXPECT_EQ(lines[4], "SetSourceTxMode TxMode=eOpaque");
    EXPECT_EQ(lines[5], "SetROP ROP3=0xCC");
    EXPECT_EQ(lines[6], "SetColorSpace ColorSpace=eRGB");
    EXPECT_EQ(lines[7],
              "BeginImage ColorMapping=eDirectPixel ColorDepth=e8Bit SourceWidth=200 "
              "SourceHeight=100 DestinationSize=(200, 100)");
    EXPECT_EQ(lines[8], "ReadImage StartLine=0 BlockHeight=100 CompressMode=eJPEGCompression");
    EXPECT_EQ(lines[10], "EndImage");
    EXPECT_EQ(lines[11], "PopGS");
    EXPECT_GE(Psnr(SpooledJpeg(), *photo.surface()), 45.0);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocks) << "the output area is freed";
}

// On a banded page GDI calls once per band with the clip cut to the band: the later bands send
// the first band's stream without compressing again, a change of the pixels at the same
// address is compressed afresh, and nothing stays kept after the page or a failure.
TEST_F(ImageHooks, BandsOfAPageShareOneCompressionOfTheSamePixels) {
    const std::size_t blocks = sim::LiveHeapBlocks();
    const RECTL destination{100, 100, 260, 180};  // a part of the photograph: 160 x 80
    sim::gdi::ClipRegion upper({{0, 0, 4760, 150}}, TC_RECTANGLES);
    sim::gdi::ClipRegion lower({{0, 150, 4760, 300}}, TC_RECTANGLES);
    const auto band = [&](sim::gdi::ClipRegion& clip) {
        device.spool().Clear();
        sim::TheWorld().heap.largestRequest = 0;
        EXPECT_EQ(BitBlt(photo, destination, 0xCCCC, clip.object()), TRUE);
        const std::string spool = Spooled();
        const std::size_t start = spool.find("\xFF\xD8\xFF");
        return spool.substr(start, spool.find("\xFF\xD9", start) + 2 - start);
    };
    // A compression asks for an output area of the source bitmap's size.
    const std::size_t compressionArea = photo.surface()->cjBits;
    const std::string first = band(upper);
    EXPECT_GE(sim::TheWorld().heap.largestRequest, compressionArea);
    EXPECT_EQ(band(lower), first);
    EXPECT_LT(sim::TheWorld().heap.largestRequest, compressionArea) << "compressed again";
    sim::gdi::WriteRgb(*photo.surface(), 159, 79, 0x0000FF);  // the last pixel of the part
    const std::string changed = band(lower);
    EXPECT_GE(sim::TheWorld().heap.largestRequest, compressionArea) << "a stale stream was sent";
    EXPECT_NE(changed, first);
    DrvSendPage(pso);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocks) << "kept streams outlive the page";
    band(upper);
    sim::TheWorld().heap.failAfter = 1;  // the next band's spool stream
    sim::TheWorld().ddiResults["DrvBitBlt"] = 7;
    EXPECT_EQ(BitBlt(photo, destination, 0xCCCC, lower.object()), 7) << "not declined";
    EXPECT_EQ(sim::LiveHeapBlocks(), blocks) << "kept streams outlive a failure";
}

TEST_F(ImageHooks, EveryBlitHookTakesPhotographs) {
    RECTL destination{0, 0, 400, 200};
    RECTL source{0, 0, 200, 100};
    POINTL origin{0, 0};
    EXPECT_EQ(DrvStretchBlt(pso, photo.surface(), nullptr, nullptr, nullptr, nullptr, nullptr,
                            &destination, &source, nullptr, 3),
              TRUE);
    EXPECT_EQ(DrvStretchBltROP(pso, photo.surface(), nullptr, nullptr, nullptr, nullptr, nullptr,
                               &destination, &source, nullptr, 3, nullptr, 0x6666),
              TRUE);
    RECTL copy{10, 10, 210, 110};
    sim::gdi::Translation unchanged = sim::gdi::TrivialTranslation();
    EXPECT_EQ(DrvCopyBits(pso, photo.surface(), nullptr, &unchanged.object, &copy, &origin), TRUE);
    XLATEOBJ withoutTable{};  // not trivial, but with no palette entries to look up
    EXPECT_EQ(DrvCopyBits(pso, photo.surface(), nullptr, &withoutTable, &copy, &origin), TRUE);
    EXPECT_FALSE(UnidrvCalled());
    std::size_t images = 0;
    for (const std::string& line : Listing()) {
        images += line.rfind("BeginImage", 0) == 0 ? 1 : 0;
        EXPECT_EQ(line.find("!!"), std::string::npos) << line;
    }
    EXPECT_EQ(images, 4u);
}

TEST_F(ImageHooks, DeclinedBlitsReachUnidrvAndLeaveNoTrace) {
    const auto alternating = [](LONG x, LONG) { return x % 2 == 0 ? 0u : 0xFFFFFFu; };
    EnginePicture lineArt(200, 100, BMF_TOPDOWN, alternating);
    EnginePicture tooSmall(41, 59, BMF_TOPDOWN, testing::Gradient);
    EnginePicture palette(200, 100, BMF_TOPDOWN, testing::Gradient, BMF_8BPP);
    SURFOBJ mask{};
    sim::gdi::Translation table = sim::gdi::GreyPalette();
    RECTL destination{0, 0, 200, 100};
    POINTL origin{0, 0};
    POINTL outside{50, 0};
    const auto bitBlt = [&](SURFOBJ* source, SURFOBJ* maskSurface, XLATEOBJ* translation,
                            RECTL target, POINTL* from, ROP4 rop4) {
        return DrvBitBlt(pso, source, maskSurface, nullptr, translation, &target, from, nullptr,
                         nullptr, nullptr, rop4);
    };
    struct Case {
        const char* what;
        std::function<BOOL()> blit;
    } cases[] = {
        {"brush ROP",
         [&] { return bitBlt(photo.surface(), nullptr, nullptr, destination, &origin, 0xB8B8); }},
        {"destination only",
         [&] { return bitBlt(photo.surface(), nullptr, nullptr, destination, &origin, 0x5555); }},
        {"mask surface",
         [&] { return bitBlt(photo.surface(), &mask, nullptr, destination, &origin, 0xCCCC); }},
        {"mask byte",
         [&] { return bitBlt(photo.surface(), nullptr, nullptr, destination, &origin, 0xCC00); }},
        {"palette translation",
         [&] {
             return bitBlt(photo.surface(), nullptr, &table.object, destination, &origin, 0xCCCC);
         }},
        {"8 bits per pixel",
         [&] { return bitBlt(palette.surface(), nullptr, nullptr, destination, &origin, 0xCCCC); }},
        {"line art",
         [&] { return bitBlt(lineArt.surface(), nullptr, nullptr, destination, &origin, 0xCCCC); }},
        {"41 x 59",
         [&] {
             return bitBlt(tooSmall.surface(), nullptr, nullptr, {0, 0, 41, 59}, &origin, 0xCCCC);
         }},
        {"source beyond the surface",
         [&] { return bitBlt(photo.surface(), nullptr, nullptr, destination, &outside, 0xCCCC); }},
        {"no source point",
         [&] { return bitBlt(photo.surface(), nullptr, nullptr, destination, nullptr, 0xCCCC); }},
        {"mirrored",
         [&] {
             return bitBlt(photo.surface(), nullptr, nullptr, {200, 0, 0, 100}, &origin, 0xCCCC);
         }},
        {"beyond 16 bits",
         [&] {
             return bitBlt(photo.surface(), nullptr, nullptr, {40000, 0, 40200, 100}, &origin,
                           0xCCCC);
         }},
    };
    for (const Case& c : cases) {
        sim::TheWorld().ddiCalls.clear();
        sim::TheWorld().ddiResults["DrvBitBlt"] = 7;
        EXPECT_EQ(c.blit(), 7) << c.what;
        ASSERT_EQ(sim::TheWorld().ddiCalls.size(), 1u) << c.what;
        EXPECT_EQ(sim::TheWorld().ddiCalls[0].function, "DrvBitBlt") << c.what;
    }
    RECTL mirrored{200, 0, 0, 100};
    RECTL source{0, 0, 200, 100};
    sim::TheWorld().ddiCalls.clear();
    DrvStretchBlt(pso, photo.surface(), nullptr, nullptr, nullptr, nullptr, nullptr, &mirrored,
                  &source, nullptr, 3);
    // GDI's own rectangle reaches Unidrv as GDI gave it.
    EXPECT_EQ(mirrored.left, 200);
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 1u);
    EXPECT_EQ(Spooled(), "");
}

TEST_F(ImageHooks, SettingsAndPortDecideWhetherThePathIsOn) {
    Devmode().Grayscale = 1;
    BitBlt(photo, {0, 0, 200, 100});
    EXPECT_TRUE(UnidrvCalled());
    Devmode().Grayscale = 0;
    Pdev().JobSettings.JpegMode = 1;  // "Auto"
    for (const auto& [port, direct] :
         {std::pair{u"USB001", true}, {u"FILE:", false}, {u"\\\\server\\queue", false}}) {
        Printer().portName = port;
        sim::TheWorld().ddiCalls.clear();
        BitBlt(photo, {0, 0, 200, 100});
        EXPECT_EQ(UnidrvCalled(), !direct);
    }
    Pdev().JobSettings.JpegMode = 2;  // "Best"
    sim::TheWorld().ddiCalls.clear();
    BitBlt(photo, {0, 0, 200, 100});
    EXPECT_TRUE(UnidrvCalled());
}

TEST_F(ImageHooks, RopClassesDecideWhatIsDrawn) {
    EXPECT_EQ(ClassifyRop3(0xB8), kRopPattern);
    for (BYTE rop : {0xCC, 0x33, 0x88, 0xEE, 0x66, 0x44}) {
        EXPECT_EQ(ClassifyRop3(rop), kRopSource) << int{rop};
    }
    EXPECT_EQ(ClassifyRop3(0x55), kRopDestinationOnly);

    // Leaving the destination alone is done without a byte.
    EXPECT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xAAAA), TRUE);
    EXPECT_EQ(Spooled(), "");

    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0x0000), TRUE);
    EXPECT_EQ(Listing(),
              (Lines{"PushGS", "SetClipToPage", "SetCursor Point=(0, 0)",
                     "SetPaintTxMode TxMode=eOpaque", "SetSourceTxMode TxMode=eOpaque",
                     "SetROP ROP3=0x00", "SetColorSpace ColorSpace=eGray",
                     "SetBrushSource GrayLevel=0", "SetPenSource NullPen=0", "NewPath",
                     "RectanglePath BoundingBox=(0, 0, 200, 100)", "PaintPath", "PopGS"}));
    device.spool().Clear();
    ASSERT_EQ(BitBlt(photo, {0, 0, 200, 100}, 0xAACC), TRUE);
    const Lines lines = Listing();
    EXPECT_EQ(lines[3], "SetPaintTxMode TxMode=eTransparent");
    EXPECT_EQ(lines[4], "SetSourceTxMode TxMode=eTransparent");
    EXPECT_EQ(lines[5], "SetROP ROP3=0xCC");
    EXPECT_FALSE(UnidrvCalled());
}

}  // namespace
}  // namespace xlrender
