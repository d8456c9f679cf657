// The simulated Windows and Unidrv that the plug-in runs against on Linux. A World belongs to
// one job (or one test), as the spooler's state for a job does: jobs run side by side in one
// process, each on threads bound to its own world. What Windows keeps per process (the loaded
// module and its COM counts) is not in it.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "gdi/engine_state.h"
#include "gdi/screen_font_state.h"
#include "locale_state.h"
#include "registry_state.h"
#include "spooler_state.h"
#include "os_version_state.h"
#include "platform/win32_api.h"
#include "win32/clock_state.h"
#include "win32/module_state.h"
#include "win32/uuid_state.h"
#include "win32/version_state.h"

namespace sim {

// One call that reached a recorded engine or Unidrv function, with its arguments as words so
// tests can check that a hook passed exactly the caller's arguments on.
struct RecordedCall {
    std::string function;
    std::vector<std::uintptr_t> arguments;
};

// The local heap of one world. Blocks a job leaves behind go with its world, as a process's heap
// goes with the process.
struct HeapControl {
    HeapControl() = default;
    ~HeapControl();
    HeapControl(HeapControl&& other) noexcept;
    HeapControl& operator=(HeapControl&& other) noexcept;
    HeapControl(const HeapControl&) = delete;
    HeapControl& operator=(const HeapControl&) = delete;

    // The allocation that many allocations from now fails (1 = the next one); 0 = none fails.
    std::size_t failAfter = 0;
    // The largest block asked for so far, refused or not.
    std::size_t largestRequest = 0;
    // Allocations asked for so far, refused or not.
    std::size_t allocations = 0;
    // Blocks handed out by LocalAlloc and not yet freed.
    std::unordered_set<void*> liveBlocks;
};

struct World {
    HeapControl heap;
    LocaleState locale;
    SpoolerState spooler;
    RegistryState registry;
    VersionState version;
    // Module handles the world knows, with their full file names. The null handle names the
    // host process's executable, as GetModuleFileNameW(nullptr, ...) reports it.
    std::map<HMODULE, std::u16string> moduleFiles = {
        {nullptr, u"C:\\Windows\\System32\\spoolsv.exe"}};
    // Calls that reached Unidrv's recorded DDI functions and the engine, in order.
    std::vector<RecordedCall> ddiCalls;
    // What each recorded function answers, by name; TRUE when not listed.
    std::map<std::string, ULONG> ddiResults;
    // The clock and time zone of the time services.
    WorldClock clock;
    // How UuidCreate and UuidToStringW answer.
    UuidControl uuids;
    // Module files with version resources.
    VersionResources versions;
    // The driver's companion modules that LoadLibraryW can load.
    CompanionModules companionModules;
    // Fonts of the screen device context.
    ScreenFontState screenFonts;
    // The GDI engine's bitmaps, paths, debug output and injected failures.
    EngineState engine;
};

// The world bound to the calling thread; a thread that binds none shares the process's default
// world (one thread at a time: only a bound world keeps jobs apart).
World& TheWorld();
// Replaces the calling thread's world by a fresh one and returns it.
World& ResetWorld();

// Makes `world` the calling thread's world for the binding's life, then restores the one before.
// A world is used by one thread at a time.
class WorldBinding {
public:
    explicit WorldBinding(World& world);
    ~WorldBinding();
    WorldBinding(const WorldBinding&) = delete;
    WorldBinding& operator=(const WorldBinding&) = delete;

private:
    World* previous_;
};

// Blocks handed out by LocalAlloc in the calling thread's world and not yet freed.
std::size_t LiveHeapBlocks();

// What a world has handed out and not had back: after a job, every count is zero.
struct LiveResources {
    std::size_t heapBlocks = 0;
    std::size_t engineObjects = 0;
    std::size_t clipObjects = 0;
    std::size_t deviceContexts = 0;
    std::size_t fonts = 0;
    int rpcStrings = 0;

    bool operator==(const LiveResources&) const = default;
};
LiveResources CountLiveResources(const World& world);

}  // namespace sim
