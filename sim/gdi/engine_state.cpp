#include "gdi/engine_state.h"

#include "gdi/engine_bitmap.h"
#include "gdi/engine_path.h"
#include "world.h"

namespace sim {

EngineState::EngineState() = default;
EngineState::~EngineState() = default;
EngineState::EngineState(EngineState&&) noexcept = default;
EngineState& EngineState::operator=(EngineState&&) noexcept = default;

bool EngineCallFails(const char* function) {
    EngineState& engine = TheWorld().engine;
    ++engine.calls[function];
    auto& failures = engine.failOnCall;
    const auto found = failures.find(function);
    if (found == failures.end() || found->second == 0) {
        return false;
    }
    return --found->second == 0;
}

std::size_t LiveEngineObjects(const EngineState& engine) {
    std::size_t live = engine.paths.size();
    for (const auto& [handle, bitmap] : engine.bitmaps) {
        live += 1 + static_cast<std::size_t>(bitmap->locks);
    }
    return live;
}

std::size_t LiveEngineObjects() {
    return LiveEngineObjects(TheWorld().engine);
}

}  // namespace sim
