// Reads the option selected for a GPD feature through Unidrv's helper interface, and maps it
// through a keyword table.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"
#include "settings/keyword_tables.h"

namespace xlrender {

// Option keywords and feature names are at most this many UTF-16 units, terminator included.
constexpr std::size_t kOptionUnits = 256;

// Where feature options come from: the device context and the helper interface it holds.
struct FeatureSource {
    DEVOBJ* device;
    IPrintOemDriverUni* helper;
};

constexpr int kFeatureHasOption = 1;
constexpr int kFeatureAbsent = -1;

// Stores the selected option's keyword in `option` and returns kFeatureHasOption; returns
// kFeatureAbsent (option empty) when the feature has no selected option or cannot be asked.
int GetFeatureOption(const FeatureSource& source, const WCHAR* featureName,
                     WCHAR (&option)[kOptionUnits]);

// Looks the selected option up in `table` (exact case). True with `indexOut` = its position.
// A feature that cannot be read leaves `indexOut` untouched; an option that is in no entry
// stores 0 and reports false.
bool MatchFeatureOption(const FeatureSource& source, const WCHAR* featureName,
                        const KeywordTable& table, DWORD& indexOut);

// One feature's selected option, for the many readings that compare it with a fixed word.
class FeatureReading {
public:
    FeatureReading(const FeatureSource& source, const WCHAR* featureName);

    bool present() const { return present_; }
    const WCHAR* option() const { return option_; }
    // True when the feature has an option equal to `keyword`, ignoring letter case.
    bool Is(const WCHAR* keyword) const;
    bool IsTrue() const { return Is(W("TRUE")); }
    // "INSTALLED" or "TRUE".
    bool IsInstalled() const { return Is(W("INSTALLED")) || IsTrue(); }

private:
    bool present_;
    WCHAR option_[kOptionUnits];
};

// 1 when the feature reads "TRUE", else 0 (also when absent).
DWORD FlagFromFeature(const FeatureSource& source, const WCHAR* featureName);

}  // namespace xlrender
