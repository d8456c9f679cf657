// Font files behind the screen device context: a face name and style resolved to a file, first
// through the world's registry, then through fontconfig, and the file loaded once into FreeType.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim::gdi {

struct LoadedFace {
    std::vector<std::uint8_t> file;  // the whole file, a collection included
    DWORD faceOffset;                // where this face's offset table starts in `file`
    bool inCollection;
    FT_Face face;
};

// The face for `face` (at most LF_FACESIZE units, not necessarily terminated), bold and italic,
// or null when neither the registry nor fontconfig knows a file for it.
const LoadedFace* ResolveFace(const WCHAR* face, bool bold, bool italic);

}  // namespace sim::gdi
