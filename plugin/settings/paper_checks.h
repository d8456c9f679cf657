// Whether the job's paper can go through the duplex unit: papers the printer lists as needing
// manual duplex, custom-size ranges the duplex unit accepts, and user-defined spooler forms.
#pragma once

#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"

namespace xlrender {

// Answers of CheckCustomSizeRange.
enum CustomSizeRangeAnswer : int {
    kRangeMalformed = 0,
    kPaperInsideRange = 1,
    kPaperOutsideRange = 2,
};

// `range` is "minWidth x minLength _ maxWidth x maxLength" in inches, the four numbers separated
// by "x" or "_" (for example "3x5_8.5x14"). The paper's size comes from the public devmode,
// rounded to hundredths of an inch; the bounds themselves are inside. A paper whose size is not
// known (width or length 0 or less) measures below every minimum, so it is outside: a duplex
// unit cannot be trusted with a paper nobody can measure.
CustomSizeRangeAnswer CheckCustomSizeRange(const WCHAR* range, const DEVMODEW& publicDevmode);

// For a duplex job with the check enabled, selects manual duplex (ManualDuplexSelected in the
// private devmode, ManualDuplexActive in the settings) when the paper is listed in the printer
// data, lies outside a custom-size range, or is a user-defined spooler form. Never clears the
// flags; every failed query just ends the step that needed it.
void CheckDuplexPaper(JobSettings& settings, PrivateDevmode& devmode, const DEVMODEW* publicDevmode,
                      HANDLE printer);

}  // namespace xlrender
