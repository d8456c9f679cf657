#include "pjl/event_dialog.h"

#include <cstring>

#include "pjl/orientation.h"
#include "platform/function_cast.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/language_file.h"
#include "settings/printer_queries.h"

namespace xlrender {
namespace {

constexpr WCHAR kEventModuleName[] = W("ZQXEV041.DLL");
constexpr WCHAR kJobStorageModuleName[] = W("ZQXST041.DLL");
constexpr char kDisplayDialogEntry[] = "VDisplayDialog";
constexpr WCHAR kBackslash = W('\\');

constexpr std::size_t kOrientationOffset = 20;
constexpr std::size_t kShowSwitchOffset = 28;

// Pairs 2 and 3 of each group serve the layouts the devmode's words at 0x724 and 0x73C
// select; the odd pair of each is the flipped one.
constexpr DWORD kAlternatePairs = 2;
constexpr DWORD kFlippedPair = 1;

DWORD InputWord(const void* input, std::size_t offset) {
    DWORD word = 0;
    std::memcpy(&word, static_cast<const BYTE*>(input) + offset, sizeof word);
    return word;
}

// "<driver directory>\<module>", empty when the driver's path is unknown, has no directory or
// leaves no room for the module name: a module is only ever taken from the driver's own
// directory, never looked for along the search path.
void DriverDirectoryPath(HANDLE printer, const WCHAR* moduleName, WCHAR (&path)[kDialogPathUnits]) {
    path[0] = 0;
    DRIVER_INFO_3W* driver = nullptr;
    DWORD size = 0;
    if (!GetDriverInfo3(printer, nullptr, nullptr, driver, size)) {
        return;
    }
    // The path lies inside the block, which bounds it.
    const auto* blockStart = reinterpret_cast<const BYTE*>(driver);
    const auto* blockEnd = blockStart + size;
    const auto* driverPath = reinterpret_cast<const BYTE*>(driver->pDriverPath);
    const std::size_t length =
        driverPath == nullptr || driverPath < blockStart || driverPath >= blockEnd
            ? 0
            : TextLength(driver->pDriverPath,
                         static_cast<std::size_t>(blockEnd - driverPath) / sizeof(WCHAR));
    std::size_t directory = length;  // units up to and including the last backslash
    while (directory > 0 && driver->pDriverPath[directory - 1] != kBackslash) {
        --directory;
    }
    if (directory > 0 && directory < kDialogPathUnits) {
        CopyText(path, kDialogPathUnits, driver->pDriverPath, directory);
        if (AppendText(path, kDialogPathUnits, moduleName) != S_OK) {
            path[0] = 0;
        }
    }
    FreeBlock(driver);
}

bool AllValuesSet(const VDisplayDialogRecord& record) {
    for (DWORD value : record.ManualDuplexValues) {
        if (value == 0) {
            return false;
        }
    }
    return true;
}

void ShowDialogFromEventModule(HANDLE printer, const VDisplayDialogRecord& record) {
    WCHAR modulePath[kDialogPathUnits] = {};
    DriverDirectoryPath(printer, kEventModuleName, modulePath);
    if (modulePath[0] == 0) {
        return;
    }
    HMODULE module = LoadLibraryW(modulePath);
    if (module == nullptr) {
        return;
    }
    const auto entry =
        CastFunction<PFN_VDisplayDialog>(GetProcAddress(module, kDisplayDialogEntry));
    if (entry != nullptr && AllValuesSet(record)) {
        entry(record);
    }
    FreeLibrary(module);
}

}  // namespace

DWORD ManualDuplexPairIndex(const PrivateDevmode& devmode, const JobSettings& settings) {
    DWORD pair = devmode.Carried724 == 1 || devmode.Carried73C != 0 ? kAlternatePairs : 0;
    if (settings.ManualDuplexUserRotate != 0 &&
        ManualDuplexFlip(PagesPerSheet(devmode.NupOption), static_cast<DWORD>(settings.Orientation),
                         devmode.ManualDuplexFlipSetting, devmode.SimplexSingleLayout)) {
        pair += kFlippedPair;
    }
    return pair;
}

void BuildDisplayDialogRecord(HANDLE printer, const PrivateDevmode& devmode,
                              const JobSettings& settings, VDisplayDialogRecord& record) {
    DriverDirectoryPath(printer, kJobStorageModuleName, record.JobStorageModulePath);
    WCHAR* languageFile = nullptr;
    if (FindLanguageFile(printer, languageFile)) {
        CopyText(record.LanguageFile, kDialogPathUnits, languageFile, kDialogPathUnits);
        FreeBlock(languageFile);
    }
    if (devmode.ManualDuplexSelected != 1 && settings.ManualDuplexActive != 1) {
        return;
    }
    const DWORD pair = ManualDuplexPairIndex(devmode, settings);
    for (int group = 0; group < kManualDuplexRecordCount; ++group) {
        record.ManualDuplexValues[2 * group] = devmode.ManualDuplexGeometry[group][2 * pair];
        record.ManualDuplexValues[2 * group + 1] =
            devmode.ManualDuplexGeometry[group][2 * pair + 1];
    }
    record.ManualDuplexEnabled = 1;
    record.ManualDuplexModal = settings.ManualDuplexModal;
    record.ManualDuplexPageOrder = settings.ManualDuplexPageOrder;
}

ULONG ShowEventDialog(DEVOBJ* pdevobj, JobSettings& settings, DWORD& duplexDialogPending,
                      const void* input, ULONG inputBytes) {
    if (pdevobj == nullptr || pdevobj->pOEMDM == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    if (input == nullptr || inputBytes != kEventDialogInputBytes) {
        return 1;
    }
    settings.Orientation = static_cast<SHORT>(InputWord(input, kOrientationOffset));
    if (InputWord(input, kShowSwitchOffset) == 0) {
        return 1;
    }
    duplexDialogPending = 0;
    if (settings.ManualDuplexModal != 1) {
        return 1;
    }
    const auto& devmode = *static_cast<const PrivateDevmode*>(pdevobj->pOEMDM);
    VDisplayDialogRecord record{};
    BuildDisplayDialogRecord(pdevobj->hPrinter, devmode, settings, record);
    ShowDialogFromEventModule(pdevobj->hPrinter, record);
    return 1;
}

}  // namespace xlrender
