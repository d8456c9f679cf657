// A public devmode described in JSON: an object whose keys are DEVMODEW member names
// ("dmOrientation", "dmPaperSize", ...) with integer values; "dmFormName" takes a string.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace xlrender::tool {

// The public devmode a driver would start from: portrait Letter, one copy, simplex, colour.
DEVMODEW DefaultPublicDevmode();

// Applies the JSON text to `devmode`. False with `error` naming the key and the problem.
bool ApplyPublicDevmodeJson(const std::string& json, DEVMODEW& devmode, std::string& error);

}  // namespace xlrender::tool
