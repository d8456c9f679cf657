// OutputDebugStringW: what a debugger would show, kept in the world for tests.
#include <string>

#include "world.h"

extern "C" VOID WINAPI OutputDebugStringW(LPCWSTR lpOutputString) {
    if (lpOutputString != nullptr) {
        sim::TheWorld().engine.debugOutput.emplace_back(lpOutputString);
    }
}
