// The simulated Windows and Unidrv that the plug-in runs against on Linux. One World per
// process: tests and the runner reset it and describe what the plug-in should find.
#pragma once

#include <cstddef>
#include <map>
#include <string>
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

struct HeapControl {
    // The allocation that many allocations from now fails (1 = the next one); 0 = none fails.
    std::size_t failAfter = 0;
    // The largest block asked for so far, refused or not.
    std::size_t largestRequest = 0;
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

// The process's world.
World& TheWorld();
// Replaces the world by a fresh one and returns it.
World& ResetWorld();

// Blocks handed out by LocalAlloc and not yet freed.
std::size_t LiveHeapBlocks();

}  // namespace sim
