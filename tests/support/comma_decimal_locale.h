// A C locale whose decimal point is a comma, as a host process set to German has it. Hosts of
// the plug-in (the spooler, applications rendering on the client) set such locales, and the C
// library's number formatting follows them.
#pragma once

#include <locale.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace xlrender::testing {

constexpr char kCommaDecimalLocale[] = "de_DE.UTF-8";

// The system's de_DE.UTF-8, or else one compiled with localedef from the locales package's
// sources into the build tree (once: later runs reuse it; parallel runs each compile into a
// scratch folder and the first to finish puts its result in place). Null when neither works,
// which the caller reports as a failure: a skipped check would hide the fault it exists for.
inline locale_t OpenCommaDecimalLocale() {
    if (locale_t installed = newlocale(LC_NUMERIC_MASK, kCommaDecimalLocale, nullptr)) {
        return installed;
    }
    namespace fs = std::filesystem;
    const fs::path root = fs::path(XLRENDER_BINARY_DIR) / "test-locales";
    std::error_code ignored;
    if (!fs::exists(root / kCommaDecimalLocale)) {
        const fs::path scratch = root / ("partial-" + std::to_string(::getpid()));
        fs::create_directories(scratch, ignored);
        const std::string command =
            "localedef -i de_DE -f UTF-8 " + (scratch / kCommaDecimalLocale).string() + " 2>&1";
        if (std::system(command.c_str()) == 0) {
            fs::rename(scratch / kCommaDecimalLocale, root / kCommaDecimalLocale, ignored);
        }
        fs::remove_all(scratch, ignored);
    }
    ::setenv("LOCPATH", root.c_str(), 1);
    locale_t generated = newlocale(LC_NUMERIC_MASK, kCommaDecimalLocale, nullptr);
    ::unsetenv("LOCPATH");
    return generated;
}

}  // namespace xlrender::testing
