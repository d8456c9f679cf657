#include "media_sizes.h"

#include <iterator>

namespace pclxl_render {
namespace {

constexpr double kMillimetresPerInch = 25.4;

constexpr Point Millimetres(double width, double height) {
    return {width / kMillimetresPerInch, height / kMillimetresPerInch};
}

// Indexed by the MediaSize enumeration.
constexpr Point kMediaSizes[] = {
    {8.5, 11},              // eLetterPaper
    {8.5, 14},              // eLegalPaper
    Millimetres(210, 297),  // eA4Paper
    {7.25, 10.5},           // eExecPaper
    {11, 17},               // eLedgerPaper
    Millimetres(297, 420),  // eA3Paper
    {4.125, 9.5},           // eCOM10Envelope
    {3.875, 7.5},           // eMonarchEnvelope
    Millimetres(162, 229),  // eC5Envelope
    Millimetres(110, 220),  // eDLEnvelope
    Millimetres(257, 364),  // eJB4Paper
    Millimetres(182, 257),  // eJB5Paper
    Millimetres(176, 250),  // eB5Envelope
    Millimetres(176, 250),  // eB5Paper
    Millimetres(100, 148),  // eJPostcard
    Millimetres(200, 148),  // eJDoublePostcard
    Millimetres(148, 210),  // eA5Paper
    Millimetres(105, 148),  // eA6Paper
    Millimetres(128, 182),  // eJB6Paper
};

}  // namespace

std::optional<Point> NamedMediaSize(std::uint32_t mediaSize) {
    if (mediaSize >= std::size(kMediaSizes)) {
        return std::nullopt;
    }
    return kMediaSizes[mediaSize];
}

}  // namespace pclxl_render
