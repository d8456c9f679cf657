#include "settings/resolution_override.h"

#include <iterator>

#include "platform/text.h"
#include "settings/private_devmode.h"

namespace xlrender {
namespace {

// The host's file name, after the last "\" or ",". Empty when the host cannot be named.
void HostExecutableName(WCHAR (&name)[MAX_PATH]) {
    name[0] = 0;
    WCHAR path[MAX_PATH + 1] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) {
        return;
    }
    path[MAX_PATH] = 0;
    const WCHAR* last = path;
    for (const WCHAR* unit = path; *unit != 0; ++unit) {
        if (*unit == '\\' || *unit == ',') {
            last = unit + 1;
        }
    }
    CopyText(name, MAX_PATH, last);
}

// Dots per inch of a resolution keyword, or 0 for a keyword that names none.
SHORT DotsPerInch(const WCHAR* keyword) {
    struct Resolution {
        const WCHAR* keyword;
        SHORT dotsPerInch;
    };
    static constexpr Resolution kResolutions[] = {
        {W("1200dpi"), 1200}, {W("600dpi"), 600}, {W("300dpi"), 300}, {W("150dpi"), 150}};
    for (const Resolution& resolution : kResolutions) {
        if (EqualNoCase(keyword, resolution.keyword)) {
            return resolution.dotsPerInch;
        }
    }
    return 0;
}

void SetResolution(DEVMODEW* devmode, SHORT dotsPerInch) {
    if (devmode != nullptr) {
        devmode->dmPrintQuality = dotsPerInch;
        devmode->dmYResolution = dotsPerInch;
    }
}

}  // namespace

void ApplyResolutionOverride(OEMDMPARAM& param) {
    const auto* out = static_cast<const PrivateDevmode*>(param.pOEMDMOut);
    if (out == nullptr || out->ResolutionOverride == 0 || param.pPublicDMIn == nullptr) {
        return;
    }
    WCHAR host[MAX_PATH];
    HostExecutableName(host);
    if (EqualNoCase(host, W("QPW.EXE"))) {
        return;
    }
    // The keyword field may arrive unterminated; compare a bounded copy.
    WCHAR keyword[sizeof(PrivateDevmode::ResolutionKeyword) / sizeof(WCHAR)];
    CopyText(keyword, std::size(keyword), out->ResolutionKeyword, std::size(keyword));
    const SHORT dotsPerInch = DotsPerInch(keyword);
    if (dotsPerInch == 0 || param.pPublicDMIn->dmPrintQuality == dotsPerInch) {
        return;
    }
    SetResolution(param.pPublicDMIn, dotsPerInch);
    SetResolution(param.pPublicDMOut, dotsPerInch);
}

}  // namespace xlrender
