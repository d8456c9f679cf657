#include "public_devmode_json.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace xlrender::tool {
namespace {

constexpr SHORT kDmPaperLetter = 1;

struct ShortMember {
    const char* name;
    SHORT DEVMODEW::*member;
};
struct WordMember {
    const char* name;
    DWORD DEVMODEW::*member;
};

constexpr ShortMember kShortMembers[] = {{"dmOrientation", &DEVMODEW::dmOrientation},
                                         {"dmPaperSize", &DEVMODEW::dmPaperSize},
                                         {"dmPaperLength", &DEVMODEW::dmPaperLength},
                                         {"dmPaperWidth", &DEVMODEW::dmPaperWidth},
                                         {"dmScale", &DEVMODEW::dmScale},
                                         {"dmCopies", &DEVMODEW::dmCopies},
                                         {"dmDefaultSource", &DEVMODEW::dmDefaultSource},
                                         {"dmPrintQuality", &DEVMODEW::dmPrintQuality},
                                         {"dmColor", &DEVMODEW::dmColor},
                                         {"dmDuplex", &DEVMODEW::dmDuplex},
                                         {"dmYResolution", &DEVMODEW::dmYResolution},
                                         {"dmTTOption", &DEVMODEW::dmTTOption},
                                         {"dmCollate", &DEVMODEW::dmCollate}};
constexpr WordMember kWordMembers[] = {
    {"dmFields", &DEVMODEW::dmFields},       {"dmNup", &DEVMODEW::dmNup},
    {"dmICMMethod", &DEVMODEW::dmICMMethod}, {"dmICMIntent", &DEVMODEW::dmICMIntent},
    {"dmMediaType", &DEVMODEW::dmMediaType}, {"dmDitherType", &DEVMODEW::dmDitherType}};

bool IntegerIn(const nlohmann::json& value, long long low, long long high, long long& out) {
    if (!value.is_number_integer()) {
        return false;
    }
    out = value.is_number_unsigned() &&
                  value.get<unsigned long long>() > static_cast<unsigned long long>(high)
              ? high + 1
              : value.get<long long>();
    return out >= low && out <= high;
}

bool ApplyFormName(const nlohmann::json& value, DEVMODEW& devmode, std::string& error) {
    if (!value.is_string()) {
        error = "\"dmFormName\" must be a string";
        return false;
    }
    const std::string text = value.get<std::string>();
    if (text.size() >= CCHFORMNAME) {
        error = "\"dmFormName\" is longer than 31 characters";
        return false;
    }
    for (std::size_t i = 0; i < CCHFORMNAME; ++i) {
        const unsigned char unit = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (unit >= 0x80) {
            error = "\"dmFormName\" must be ASCII";
            return false;
        }
        devmode.dmFormName[i] = unit;
    }
    return true;
}

bool ApplyMember(const std::string& key, const nlohmann::json& value, DEVMODEW& devmode,
                 std::string& error) {
    long long number = 0;
    for (const ShortMember& member : kShortMembers) {
        if (key == member.name) {
            if (!IntegerIn(value, std::numeric_limits<SHORT>::min(),
                           std::numeric_limits<SHORT>::max(), number)) {
                error = "\"" + key + "\" must be an integer from -32768 to 32767";
                return false;
            }
            devmode.*member.member = static_cast<SHORT>(number);
            return true;
        }
    }
    for (const WordMember& member : kWordMembers) {
        if (key == member.name) {
            if (!IntegerIn(value, 0, std::numeric_limits<DWORD>::max(), number)) {
                error = "\"" + key + "\" must be an integer from 0 to 4294967295";
                return false;
            }
            devmode.*member.member = static_cast<DWORD>(number);
            return true;
        }
    }
    if (key == "dmFormName") {
        return ApplyFormName(value, devmode, error);
    }
    error = "unknown public devmode member \"" + key + "\"";
    return false;
}

}  // namespace

DEVMODEW DefaultPublicDevmode() {
    DEVMODEW devmode{};
    devmode.dmSize = sizeof(DEVMODEW);
    devmode.dmOrientation = DMORIENT_PORTRAIT;
    devmode.dmPaperSize = kDmPaperLetter;
    devmode.dmCopies = 1;
    devmode.dmDuplex = DMDUP_SIMPLEX;
    devmode.dmColor = DMCOLOR_COLOR;
    return devmode;
}

bool ApplyPublicDevmodeJson(const std::string& json, DEVMODEW& devmode, std::string& error) {
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded()) {
        error = "not valid JSON";
        return false;
    }
    if (!document.is_object()) {
        error = "the public devmode must be a JSON object";
        return false;
    }
    for (const auto& [key, value] : document.items()) {
        if (!ApplyMember(key, value, devmode, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace xlrender::tool
