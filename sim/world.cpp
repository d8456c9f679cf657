#include "world.h"

namespace sim {

World& TheWorld() {
    static World world;
    return world;
}

World& ResetWorld() {
    World& world = TheWorld();
    world = World{};
    return world;
}

}  // namespace sim
