// What the stand-in's screen device context knows about fonts: the world's own font files,
// consulted before the machine's fontconfig so tests do not depend on what is installed, the
// faces loaded into FreeType, the live handles (for leak checks) and the calls made to fail.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim {

namespace gdi {
class FaceCache;
}  // namespace gdi

struct RegisteredFont {
    std::u16string face;  // compared without regard to case
    bool bold = false;
    bool italic = false;
    std::string path;
    int faceIndex = 0;  // the face inside a collection file
};

struct ScreenFontState {
    ScreenFontState();
    ~ScreenFontState();
    ScreenFontState(ScreenFontState&&) noexcept;
    ScreenFontState& operator=(ScreenFontState&&) noexcept;

    std::vector<RegisteredFont> registry;
    // Whether a face the registry lacks is looked up through fontconfig.
    bool useFontconfig = true;
    // Per function name ("GetFontData", "CreateFontIndirectW" ...): the call that many calls
    // from now fails (1 = the next one).
    std::map<std::string, std::size_t> failAfter;
    // Handles handed out and not yet released or deleted.
    std::set<HDC> liveDcs;
    std::set<HGDIOBJ> liveFonts;
    // Calls made, by function name.
    std::map<std::string, std::size_t> calls;
    // The font files this world's device contexts loaded. FreeType's objects must not be used
    // by two threads at once, so each world loads its own.
    std::unique_ptr<gdi::FaceCache> faces;
};

}  // namespace sim
