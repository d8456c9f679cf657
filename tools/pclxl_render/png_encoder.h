// Encodes a page raster as an 8-bit RGB PNG (libpng), in memory, so that the file can be
// written all at once.
#pragma once

#include <string>

#include "page_raster.h"

namespace pclxl_render {

// The PNG file's bytes, recording `dpi` as its resolution; throws RenderError if libpng fails.
std::string EncodePng(const PageRaster& page, double dpi);

}  // namespace pclxl_render
