// What the stand-in's GDI engine keeps for the world: engine bitmaps, paths and clip objects by
// handle (every one counted, so tests see leaks), the failures a test asks for, the debug output, and where
// blits onto a device surface go.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim {

namespace gdi {
struct EngineBitmap;
struct EnginePath;
class ClipRegion;
}  // namespace gdi

struct EngineState {
    EngineState();
    ~EngineState();
    EngineState(EngineState&&) noexcept;
    EngineState& operator=(EngineState&&) noexcept;

    // Engine function name → which of its calls from now fails (1 = the next one).
    std::map<std::string, std::size_t> failOnCall;
    // Calls made to the engine functions that can be made to fail, by name.
    std::map<std::string, std::size_t> calls;
    // What OutputDebugStringW received, in order.
    std::vector<std::u16string> debugOutput;
    // The driver's DrvCopyBits for each device surface: the engine hands it what it draws onto
    // that device. A device surface without one takes the call, records it and draws nothing.
    std::map<const SURFOBJ*, DdiCopyBits*> deviceCopyBits;

    std::map<HSURF, std::unique_ptr<gdi::EngineBitmap>> bitmaps;
    std::map<const PATHOBJ*, std::unique_ptr<gdi::EnginePath>> paths;
    std::size_t nextHandle = 1;
    // The clip objects made in this world, by the CLIPOBJ GDI hands the driver.
    std::map<const CLIPOBJ*, gdi::ClipRegion*> clips;
};

// True when the world asked this call of `function` to fail (counting the call down).
bool EngineCallFails(const char* function);

// Engine bitmaps, surface locks and paths handed out and not yet released, in `engine` or in the
// calling thread's world.
std::size_t LiveEngineObjects(const EngineState& engine);
std::size_t LiveEngineObjects();

}  // namespace sim
