#include "settings/language_file.h"

#include <string_view>

#include "platform/memory.h"
#include "platform/text.h"
#include "settings/dependent_files.h"
#include "settings/printer_queries.h"
#include "settings/text_checks.h"

namespace xlrender {
namespace {

struct LanguageFileCode {
    LANGID language;
    const WCHAR* code;
};

constexpr LanguageFileCode kLanguageCodes[] = {
    {1025, W("ZQXAR")}, {1028, W("ZQXHT")}, {1029, W("ZQXCS")}, {1030, W("ZQXDA")},
    {1031, W("ZQXDE")}, {1032, W("ZQXEL")}, {1034, W("ZQXES")}, {1035, W("ZQXFI")},
    {1036, W("ZQXFR")}, {1037, W("ZQXHE")}, {1038, W("ZQXHU")}, {1040, W("ZQXIT")},
    {1041, W("ZQXJA")}, {1042, W("ZQXKO")}, {1043, W("ZQXNL")}, {1044, W("ZQXNO")},
    {1045, W("ZQXPL")}, {1046, W("ZQXPT")}, {1049, W("ZQXRU")}, {1051, W("ZQXSK")},
    {1053, W("ZQXSV")}, {1054, W("ZQXTH")}, {1055, W("ZQXTR")}, {2052, W("ZQXHC")}};
constexpr const WCHAR* kDefaultLanguageCode = W("ZQXEN");

}  // namespace

const WCHAR* LanguageCode(LANGID language) {
    for (const LanguageFileCode& entry : kLanguageCodes) {
        if (entry.language == language) {
            return entry.code;
        }
    }
    return kDefaultLanguageCode;
}

bool FindLanguageFile(HANDLE printer, WCHAR*& fileName) {
    fileName = nullptr;
    DRIVER_INFO_3W* driver = nullptr;
    DWORD driverBytes = 0;
    if (!GetDriverInfo3(printer, nullptr, nullptr, driver, driverBytes)) {
        return false;
    }
    const std::basic_string_view<WCHAR> code(LanguageCode(GetUserDefaultUILanguage()));
    DependentFiles files(driver, driverBytes);
    const WCHAR* name = nullptr;
    std::size_t length = 0;
    WCHAR upper[kFileNameUnits];
    while (files.Next(name, length)) {
        CopyText(upper, kFileNameUnits, name, length);
        CharUpperBuffW(upper, static_cast<DWORD>(TextLength(upper, kFileNameUnits)));
        if (std::basic_string_view<WCHAR>(upper).find(code) !=
            std::basic_string_view<WCHAR>::npos) {
            fileName = static_cast<WCHAR*>(AllocateZeroed(kFileNameUnits * sizeof(WCHAR)));
            if (fileName != nullptr) {
                CopyText(fileName, kFileNameUnits, upper);
            }
            break;
        }
    }
    FreeBlock(driver);
    return fileName != nullptr;
}

}  // namespace xlrender
