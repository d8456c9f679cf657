// Font files the tests use, from the Debian packages scripts/install-deps.sh installs.
#pragma once

namespace xlrender::testing {

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kLiberationSerif =
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf";
// Over 1,000,000 bytes: drawn as bitmaps.
constexpr const char* kDroidSansFallback =
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf";

}  // namespace xlrender::testing
