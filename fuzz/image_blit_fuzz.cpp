// Drives the five blit hooks with the image path switched on: surfaces of every format, row
// order and size, source and destination rectangles anywhere (inverted, off the surface,
// beyond 16 bits), clip objects of every kind (rectangle lists past the enumeration limit,
// malformed paths), translations, masks and every ROP4. Whatever the input, nothing may be
// read or written out of bounds, and every engine object and heap block must come back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "frame/ddi_hooks.h"
#include "frame/oem_pdev.h"
#include "gdi/clip_region.h"
#include "gdi/engine_bitmap.h"
#include "gdi/engine_path.h"
#include "gdi/engine_state.h"
#include "gdi/surface_pixels.h"
#include "platform/guids.h"
#include "settings/devmode_identity.h"
#include "settings/job_settings.h"
#include "unidrv/device.h"
#include "unidrv/recorded_unidrv.h"
#include "world.h"

namespace {

// Reads the input a little at a time; past its end every value is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    LONG Coordinate() {
        // Mostly near the surface, sometimes anywhere in 32 bits.
        if (Byte() % 8 == 0) {
            std::uint32_t value = 0;
            for (int i = 0; i < 4; ++i) {
                value = value << 8 | Byte();
            }
            return static_cast<LONG>(value);
        }
        return static_cast<std::int16_t>(Word()) % 400;
    }
    RECTL Rectangle() { return {Coordinate(), Coordinate(), Coordinate(), Coordinate()}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One plug-in device context, enabled once with JPEG output at its maximum.
struct Device {
    Device() {
        void* factory = nullptr;
        DllGetClassObject(xlrender::kClsidRenderPlugin, xlrender::kIidClassFactory, &factory);
        void* object = nullptr;
        static_cast<IClassFactory*>(factory)->CreateInstance(nullptr, xlrender::kIidPrintOemUni,
                                                             &object);
        static_cast<IClassFactory*>(factory)->Release();
        plugin = static_cast<IPrintOemUni*>(object);
        plugin->PublishDriverInterface(&helper);
        table = sim::unidrv::RecordingFunctionTable();
        DRVENABLEDATA functions{PRINTER_OEMINTF_VERSION, static_cast<ULONG>(table.size()),
                                table.data()};
        GDIINFO gdi{};
        DEVINFO info{};
        PDEVOEM pdev = nullptr;
        plugin->EnablePDEV(device.devobj(), nullptr, 0, nullptr, sizeof gdi, &gdi, sizeof info,
                           &info, &functions, &pdev);
        device.devobj()->pdevOEM = pdev;
        static_cast<xlrender::OemPdev*>(pdev)->JobSettings.JpegMode = 3;
    }
    sim::unidrv::Device device{xlrender::kPrivateDevmodeSize};
    sim::unidrv::DriverHelper helper;
    std::vector<DRVFN> table;
    IPrintOemUni* plugin = nullptr;
};

// A device coordinate in 28.4 fixed point, wrapping as the engine's would.
FIX Fix(LONG pixels) { return static_cast<FIX>(static_cast<std::uint32_t>(pixels) << 4); }

sim::gdi::Region Rectangles(Input& in, std::size_t count) {
    sim::gdi::Region region;
    for (std::size_t i = 0; i < count; ++i) {
        region.push_back(in.Rectangle());
    }
    return region;
}

// A clip object of the kind the input asks for, or none.
struct Clip {
    explicit Clip(Input& in) {
        const std::uint8_t kind = in.Byte() % 5;
        if (kind == 1) {
            region.emplace(sim::gdi::ClipRegion::Trivial(in.Rectangle()));
        } else if (kind == 2) {
            region.emplace(sim::gdi::Region{in.Rectangle()}, TC_RECTANGLES);
        } else if (kind >= 3) {
            // Up to 300 rectangles: past the 256 the plug-in lists before it takes the path.
            const std::size_t count = in.Byte() + in.Byte() % 45;
            region.emplace(Rectangles(in, count), kind == 3 ? TC_RECTANGLES : TC_PATHOBJ);
            const std::size_t records = in.Byte() % 4;
            for (std::size_t r = 0; r < records; ++r) {
                sim::gdi::PathRecord record{static_cast<FLONG>(in.Byte() & 0x1F), {}};
                const std::size_t points = in.Byte() % 9;
                for (std::size_t p = 0; p < points; ++p) {
                    record.points.push_back({Fix(in.Coordinate()), Fix(in.Coordinate())});
                }
                region->outline.push_back(record);
            }
        }
    }
    CLIPOBJ* object() { return region ? region->object() : nullptr; }
    std::optional<sim::gdi::ClipRegion> region;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Device device;
    Input in(data, size);
    sim::TheWorld().ddiCalls.clear();
    sim::TheWorld().engine.debugOutput.clear();
    device.device.spool().Clear();
    const std::size_t heapBlocks = sim::LiveHeapBlocks();

    const ULONG formats[] = {BMF_8BPP, BMF_24BPP, BMF_24BPP, BMF_32BPP};
    const ULONG format = formats[in.Byte() % 4];
    const LONG width = 1 + in.Byte() % 160;
    const LONG height = 1 + in.Byte() % 120;
    const FLONG rows = in.Byte() % 2 == 0 ? BMF_TOPDOWN : 0;
    const std::uint8_t pattern = in.Byte();
    const auto handle = reinterpret_cast<HSURF>(EngCreateBitmap(
        {width, height}, static_cast<LONG>(sim::gdi::ScanlineBytesFor(format, width)), format, rows,
        nullptr));
    SURFOBJ* source = EngLockSurface(handle);
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const ULONG smooth = static_cast<ULONG>((x * 3) << 16 | (y * 2) << 8 | (x + y));
            sim::gdi::WriteRgb(*source, x, y, pattern % 3 == 0 ? smooth : smooth ^ (pattern * x));
        }
    }
    Clip clip(in);
    sim::gdi::Translation palette = sim::gdi::GreyPalette();
    sim::gdi::Translation trivial = sim::gdi::TrivialTranslation();
    XLATEOBJ* translations[] = {nullptr, nullptr, &trivial.object, &palette.object};
    XLATEOBJ* translation = translations[in.Byte() % 4];
    SURFOBJ maskSurface{};
    SURFOBJ* mask = in.Byte() % 8 == 0 ? &maskSurface : nullptr;
    const ROP4 rop4 = in.Word();
    RECTL destination = in.Rectangle();
    RECTL sourceRect = in.Rectangle();
    POINTL origin{in.Coordinate(), in.Coordinate()};
    POINTFIX corners[3];
    for (POINTFIX& corner : corners) {
        corner = {Fix(in.Coordinate()), Fix(in.Coordinate())};
    }
    SURFOBJ* page = device.device.surface();
    switch (in.Byte() % 5) {
        case 0:
            xlrender::DrvBitBlt(page, source, mask, clip.object(), translation, &destination,
                                in.Byte() % 4 == 0 ? nullptr : &origin, nullptr, nullptr, nullptr,
                                rop4);
            break;
        case 1:
            xlrender::DrvCopyBits(page, source, clip.object(), translation, &destination, &origin);
            break;
        case 2:
            xlrender::DrvStretchBlt(page, source, mask, clip.object(), translation, nullptr,
                                    nullptr, &destination, &sourceRect, nullptr, 3);
            break;
        case 3:
            xlrender::DrvStretchBltROP(page, source, mask, clip.object(), translation, nullptr,
                                       nullptr, &destination, &sourceRect, nullptr, 3, nullptr,
                                       rop4);
            break;
        default:
            xlrender::DrvPlgBlt(page, source, mask, clip.object(), translation, nullptr, nullptr,
                                corners, &sourceRect, nullptr, 3);
            break;
    }
    EngUnlockSurface(source);
    EngDeleteSurface(handle);
    if (sim::LiveEngineObjects() != 0 || sim::LiveHeapBlocks() != heapBlocks) {
        std::abort();  // an engine object or heap block the hooks did not give back
    }
    return 0;
}
