#include "world.h"

#include <utility>

namespace sim {
namespace {

thread_local World* boundWorld = nullptr;

World& ProcessDefaultWorld() {
    static World world;
    return world;
}

}  // namespace

World& TheWorld() {
    return boundWorld != nullptr ? *boundWorld : ProcessDefaultWorld();
}

World& ResetWorld() {
    World& world = TheWorld();
    world = World{};
    return world;
}

LiveResources CountLiveResources(const World& world) {
    return {world.heap.liveBlocks.size(),       LiveEngineObjects(world.engine),
            world.engine.clips.size(),          world.screenFonts.liveDcs.size(),
            world.screenFonts.liveFonts.size(), world.uuids.liveStrings};
}

WorldBinding::WorldBinding(World& world) : previous_(std::exchange(boundWorld, &world)) {}

WorldBinding::~WorldBinding() {
    boundWorld = previous_;
}

}  // namespace sim
