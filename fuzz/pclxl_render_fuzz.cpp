// Any bytes as a spool file to render: the renderer must draw them or refuse them with a
// message, without crashing, reading outside them or taking unbounded memory. Rendered at a
// low resolution so that each run is quick; every limit is the same at any resolution.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pclxl_render/render_spool.h"

namespace {

constexpr double kFuzzDpi = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pclxl_render::RenderOptions options;
    options.dpi = kFuzzDpi;
    options.warn = [](const std::string&) {};  // PassThrough's warnings would flood the log
    pclxl_render::RenderSpool({data, size}, options, [](const pclxl_render::RenderedPage&) {});
    return 0;
}
