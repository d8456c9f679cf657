#include "embedded_data.h"

#include <cstddef>

namespace pclxl_dump {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

// Markers that stand alone, without a length: TEM and the restart markers.
bool IsStandaloneMarker(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Start-of-frame markers SOF0..SOF15 less DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
           marker != 0xCC;
}

unsigned BigEndian16(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<unsigned>(data[at]) << 8 | data[at + 1];
}

}  // namespace

std::string DescribeJpeg(std::span<const std::uint8_t> data) {
    if (data.size() < 2 || data[0] != kMarkerPrefix || data[1] != kStartOfImage) {
        return {};
    }
    std::size_t at = 2;
    while (at + 1 < data.size()) {
        if (data[at] != kMarkerPrefix) {
            return "JPEG with damaged markers";
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == kMarkerPrefix) {  // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (IsStandaloneMarker(marker)) {
            continue;
        }
        if (marker == kEndOfImage || marker == kStartOfScan || at + 2 > data.size()) {
            break;
        }
        const std::size_t segment = BigEndian16(data, at);
        if (IsFrameMarker(marker)) {
            // Length (2), precision (1), height (2), width (2), components (1).
            if (segment < 8 || at + 8 > data.size()) {
                return "JPEG with a cut-short frame header";
            }
            return "JPEG " + std::to_string(BigEndian16(data, at + 5)) + "x" +
                   std::to_string(BigEndian16(data, at + 3)) + ", " +
                   std::to_string(data[at + 7]) + " components";
        }
        if (segment < 2) {
            return "JPEG with damaged markers";
        }
        at += segment;
    }
    return "JPEG without a frame header";
}

std::string SummarizeEmbeddedData(EmbeddedKind kind, std::span<const std::uint8_t> data) {
    std::string summary = std::to_string(data.size()) + (data.size() == 1 ? " byte" : " bytes");
    std::string detail;
    switch (kind) {
        case EmbeddedKind::kRaster:
            detail = DescribeJpeg(data);
            break;
        case EmbeddedKind::kFontHeaderStart:
            detail = data.empty() ? "font header without its format byte"
                                  : "font header format " + std::to_string(data[0]);
            break;
        case EmbeddedKind::kFontHeaderContinued:
            detail = "font header continued";
            break;
        case EmbeddedKind::kCharacter:
            detail = data.empty() ? "character without its format byte"
                                  : "character format " + std::to_string(data[0]);
            if (data.size() > 1) {
                detail += " class " + std::to_string(data[1]);
            }
            break;
        case EmbeddedKind::kOther:
            break;
    }
    return detail.empty() ? summary : summary + ", " + detail;
}

}  // namespace pclxl_dump
