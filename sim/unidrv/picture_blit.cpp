#include "unidrv/picture_blit.h"

#include <algorithm>

#include "gdi/engine_bitmap.h"

namespace sim::unidrv {
namespace {

constexpr ULONG kColorOnColor = 3;
constexpr LONG kFixOne = 16;
constexpr int kGreyBits = 8;
constexpr int kTrueColourBits = 32;

ULONG FormatFor(int bitsPerPixel) {
    return bitsPerPixel == kGreyBits         ? BMF_8BPP
           : bitsPerPixel == kTrueColourBits ? BMF_32BPP
                                             : BMF_24BPP;
}

ULONG PixelOf(const BgrImage& image, LONG x, LONG y) {
    const std::uint8_t* pixel = image.pixels.data() + static_cast<std::size_t>(y) * image.stride +
                                3 * static_cast<std::size_t>(x);
    return static_cast<ULONG>(pixel[2]) << 16 | static_cast<ULONG>(pixel[1]) << 8 | pixel[0];
}

// Where the source's top left, top right and bottom left corners land for a turn clockwise.
void CornersFor(int rotate, const RECTL& d, POINTFIX (&corners)[3]) {
    const auto fix = [](LONG x, LONG y) { return POINTFIX{x * kFixOne, y * kFixOne}; };
    switch (rotate) {
        case 90:
            corners[0] = fix(d.right, d.top), corners[1] = fix(d.right, d.bottom),
            corners[2] = fix(d.left, d.top);
            break;
        case 180:
            corners[0] = fix(d.right, d.bottom), corners[1] = fix(d.left, d.bottom),
            corners[2] = fix(d.right, d.top);
            break;
        case 270:
            corners[0] = fix(d.left, d.bottom), corners[1] = fix(d.left, d.top),
            corners[2] = fix(d.right, d.bottom);
            break;
        default:
            corners[0] = fix(d.left, d.top), corners[1] = fix(d.right, d.top),
            corners[2] = fix(d.left, d.bottom);
            break;
    }
}

BlitVia ChosenFunction(const ImageContent& content, bool ownSize) {
    if (content.via) {
        return *content.via;
    }
    if (content.rotate != 0) {
        return BlitVia::kPlgBlt;
    }
    if (ownSize) {
        return BlitVia::kBitBlt;
    }
    return content.rop4 == kSourceCopyRop4 ? BlitVia::kStretchBlt : BlitVia::kStretchBltRop;
}

gdi::Region RegionOf(const DeviceClip& clip, const RECTL& band) {
    switch (clip.kind) {
        case ClipShape::Kind::kPolygon:
            return gdi::RegionFromPolygon(clip.polygon, band);
        case ClipShape::Kind::kEllipse:
            return gdi::RegionFromEllipse(clip.rectangles.front());
        default:
            return gdi::RegionFromRectangles(clip.rectangles);
    }
}

}  // namespace

SourcePicture::SourcePicture(const BgrImage& image, const SurfaceLayout& layout)
    : layout_(layout), palette_(gdi::GreyPalette()), width_(image.width), height_(image.height) {
    const ULONG format = FormatFor(layout.bitsPerPixel);
    const bool inPlace = layout.topDown && format == BMF_24BPP;
    const auto stride =
        static_cast<LONG>(inPlace ? image.stride : gdi::ScanlineBytesFor(format, image.width));
    handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(
        {image.width, image.height}, stride, format, layout.topDown ? BMF_TOPDOWN : 0,
        inPlace ? const_cast<std::uint8_t*>(image.pixels.data()) : nullptr));
    surface_ = EngLockSurface(handle_);
    if (surface_ == nullptr || inPlace) {
        return;
    }
    for (LONG y = 0; y < image.height; ++y) {
        for (LONG x = 0; x < image.width; ++x) {
            gdi::WriteRgb(*surface_, x, y, PixelOf(image, x, y));
        }
    }
}

SourcePicture::~SourcePicture() {
    EngUnlockSurface(surface_);
    EngDeleteSurface(handle_);
}

std::optional<gdi::ClipRegion> ClipForPicture(const std::optional<DeviceClip>& clip,
                                              const RECTL& destination, const RECTL& band,
                                              bool banded) {
    if (gdi::IntersectRegion({destination}, band).empty()) {
        return std::nullopt;
    }
    if (!clip) {
        return banded ? gdi::ClipRegion({band}, TC_RECTANGLES) : gdi::ClipRegion::Trivial(band);
    }
    gdi::Region region = gdi::IntersectRegion(RegionOf(*clip, band), band);
    if (region.empty() || gdi::IntersectRegion(region, destination).empty()) {
        return std::nullopt;
    }
    return gdi::ClipRegion(std::move(region), clip->enumerateAsPath ? TC_PATHOBJ : TC_RECTANGLES);
}

bool BlitPicture(const BlitFunctions& functions, SURFOBJ* device, const ImageContent& content,
                 SourcePicture& picture, RECTL destination, CLIPOBJ* clip, std::string& problem) {
    if (picture.surface() == nullptr) {
        problem = "the engine could not make the picture's bitmap";
        return false;
    }
    const LONG width = destination.right - destination.left;
    const LONG height = destination.bottom - destination.top;
    const bool ownSize = width == picture.width() && height == picture.height();
    const BlitVia via = ChosenFunction(content, ownSize);
    RECTL source{0, 0, picture.width(), picture.height()};
    POINTL origin{0, 0};
    BRUSHOBJ brush{};  // black, for ROPs that use the brush
    SURFOBJ* bits = picture.surface();
    XLATEOBJ* translation = picture.translation();
    if ((via == BlitVia::kBitBlt || via == BlitVia::kCopyBits) && !ownSize) {
        problem = "BitBlt and CopyBits draw a picture at its own size: it is " +
                  std::to_string(picture.width()) + " x " + std::to_string(picture.height()) +
                  " pixels, its place " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    BOOL drawn = FALSE;
    switch (via) {
        case BlitVia::kBitBlt:
            drawn = functions.bitBlt(device, bits, nullptr, clip, translation, &destination,
                                     &origin, nullptr, &brush, &origin, content.rop4);
            break;
        case BlitVia::kCopyBits:
            drawn = functions.copyBits(device, bits, clip, translation, &destination, &origin);
            break;
        case BlitVia::kStretchBlt:
            drawn = functions.stretchBlt(device, bits, nullptr, clip, translation, nullptr, nullptr,
                                         &destination, &source, nullptr, kColorOnColor);
            break;
        case BlitVia::kStretchBltRop:
            drawn = functions.stretchBltRop(device, bits, nullptr, clip, translation, nullptr,
                                            nullptr, &destination, &source, nullptr, kColorOnColor,
                                            &brush, content.rop4);
            break;
        case BlitVia::kPlgBlt: {
            POINTFIX corners[3];
            CornersFor(content.rotate, destination, corners);
            drawn = functions.plgBlt(device, bits, nullptr, clip, translation, nullptr, nullptr,
                                     corners, &source, nullptr, kColorOnColor);
            break;
        }
    }
    if (!drawn) {
        problem = "the driver failed the picture's blit";
    }
    return drawn != FALSE;
}

}  // namespace sim::unidrv
