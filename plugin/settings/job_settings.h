// The settings a device context reads once, in EnablePDEV, from the driver's features, the
// public devmode and the GDIINFO. Part of the per-device state; comes zero-filled.
#pragma once

#include <type_traits>

#include "platform/win32_api.h"
#include "settings/feature_option.h"
#include "settings/private_devmode.h"

namespace xlrender {

struct JobSettings {
    DWORD TextAsBlackEnabled;
    DWORD JobAccountingKind;  // job-accounting table position
    DWORD PjlEncodingKind;    // encoding table position; 0 unknown
    DWORD PosterPrintingEnabled;
    DWORD PosterOption;  // poster table position
    DWORD OutputOrderReverse;
    DWORD Pcl6PassThrough;
    DWORD EmulateLsMargins;
    DWORD SymmetricMargins;
    DWORD AutoDuplexScaling;  // 0 absent, 1 "TRUE", 2 any other option
    DWORD PrintableWidth;     // device pixels
    DWORD PrintableHeight;
    DWORD MarginX;  // offset of the printable area, device pixels
    DWORD MarginY;
    LONG CustomRangeFirst;
    LONG CustomRangeSecond;
    DWORD MapManualFeedToTray1;
    DWORD ManualDuplexModal;
    DWORD ManualDuplexPageOrder;  // 0 odd pages first, 1 otherwise
    DWORD ManualDuplexUserRotate;
    SHORT Orientation;         // public dmOrientation
    DWORD ManualDuplexActive;  // set by the duplex-paper check
    DWORD MopierInstalled;
    DWORD JpegMode;  // 0 off, 1 auto, 2 best, 3 maximum
    DWORD SmartDuplexSinglePageJob;
    DWORD SmartDuplexOddPageJob;
    DWORD ShiftMarginsForRotate180;
    DWORD AlternateLetterheadEnabled;
};

static_assert(std::is_trivially_copyable_v<JobSettings>);
static_assert(std::is_standard_layout_v<JobSettings>);

// Fills the device context's private devmode from the driver's features: the printer code,
// colour mode, PDL, maximum resolution (each only while still unknown), job retention, the
// TrueType mode, the print processor and spool path, and the manual-duplex clearing. False,
// changing nothing, without a private devmode or a helper interface.
bool ReadDevmodeFeatures(const FeatureSource& source);

// Text as black, job accounting, PJL encoding and poster printing. False without a private
// devmode.
bool ReadJobFeatures(const FeatureSource& source, JobSettings& settings);

// Page geometry, margin emulation, duplex and manual-duplex features, the colour depth reported
// to GDI, and the remaining device features. May rewrite `gdiInfo`. False with
// ERROR_INVALID_DATA without a public devmode, a private devmode or a GDIINFO.
bool ReadDeviceFeatures(const FeatureSource& source, GDIINFO* gdiInfo, JobSettings& settings);

// ResetPDEV: carries the settings a new device context does not read again.
void CopyJobSettings(const JobSettings& from, JobSettings& to);

// Logical pages per sheet for an N-up code: 2→2, 3→4, 4→6, 5→9, 6 and 7→16, otherwise 1.
DWORD PagesPerSheet(DWORD nupOption);

// The pages per sheet the page hooks and watermarks lay out: 1 for a simplex job printed one
// page per sheet without manual duplex, otherwise PagesPerSheet.
DWORD EffectivePagesPerSheet(const PrivateDevmode& devmode, const JobSettings& settings,
                             const DEVMODEW* publicDevmode);

}  // namespace xlrender
