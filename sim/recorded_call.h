// Records a call and its arguments in the world's call log and answers what the world says.
#pragma once

#include <cstdint>
#include <type_traits>

#include "world.h"

namespace sim {

template <typename Argument>
std::uintptr_t AsWord(Argument argument) {
    if constexpr (std::is_pointer_v<Argument>) {
        return reinterpret_cast<std::uintptr_t>(argument);
    } else {
        return static_cast<std::uintptr_t>(argument);
    }
}

template <typename Result, typename... Arguments>
Result RecordCall(const char* function, Arguments... arguments) {
    World& world = TheWorld();
    world.ddiCalls.push_back({function, {AsWord(arguments)...}});
    const auto answer = world.ddiResults.find(function);
    return static_cast<Result>(answer == world.ddiResults.end() ? TRUE : answer->second);
}

}  // namespace sim
