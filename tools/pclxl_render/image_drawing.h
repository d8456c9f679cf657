// Draws a decoded raster onto the page: each device pixel whose centre falls inside the
// raster's destination parallelogram takes the source pixel its centre maps back to.
#pragma once

#include "affine.h"
#include "compositor.h"
#include "raster_decoder.h"
#include "region.h"

namespace pclxl_render {

// `sourceToDevice` maps source pixel coordinates (0..width, 0..height) onto the page.
void DrawRaster(PageRaster& page, const Region& clip, const RasterDecoder& raster,
                const Affine& sourceToDevice, const Compositor& compositor);

}  // namespace pclxl_render
