#include "settings/feature_option.h"

#include <string>

#include "host/unidrv_host.h"
#include "platform/text.h"

namespace xlrender {

int GetFeatureOption(const FeatureSource& source, const WCHAR* featureName,
                     WCHAR (&option)[kOptionUnits]) {
    option[0] = 0;
    if (source.helper == nullptr || featureName == nullptr) {
        return kFeatureAbsent;
    }
    char name[kDriverSettingBytes];
    if (WideCharToMultiByte(CP_ACP, 0, featureName, -1, name, sizeof name, nullptr, nullptr) == 0) {
        return kFeatureAbsent;
    }
    char keyword[kDriverSettingBytes];
    ReadDriverSetting(source.device, source.helper, name, keyword);
    if (keyword[0] == 0) {
        return kFeatureAbsent;
    }
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, keyword, -1, option, kOptionUnits) == 0) {
        option[0] = 0;
        return kFeatureAbsent;
    }
    return kFeatureHasOption;
}

bool MatchFeatureOption(const FeatureSource& source, const WCHAR* featureName,
                        const KeywordTable& table, DWORD& indexOut) {
    if (source.device == nullptr || source.device->pOEMDM == nullptr || featureName == nullptr ||
        TextLength(featureName, kOptionUnits) >= kOptionUnits) {
        return false;
    }
    WCHAR option[kOptionUnits];
    if (GetFeatureOption(source, featureName, option) != kFeatureHasOption) {
        return false;
    }
    bool found = false;
    for (DWORD position = 0; position < table.count; ++position) {
        const WCHAR* keyword = table.keywords[position];
        const std::size_t length = TextLength(keyword);
        if (TextLength(option, kOptionUnits) == length &&
            std::char_traits<WCHAR>::compare(option, keyword, length) == 0) {
            indexOut = position;  // the last equal entry wins
            found = true;
        }
    }
    if (!found) {
        indexOut = 0;
    }
    return found;
}

FeatureReading::FeatureReading(const FeatureSource& source, const WCHAR* featureName) {
    present_ = GetFeatureOption(source, featureName, option_) == kFeatureHasOption;
}

bool FeatureReading::Is(const WCHAR* keyword) const {
    return present_ && EqualNoCase(option_, keyword);
}

DWORD FlagFromFeature(const FeatureSource& source, const WCHAR* featureName) {
    return FeatureReading(source, featureName).IsTrue() ? 1 : 0;
}

}  // namespace xlrender
