#include "frame/driver_comment_writer.h"

#include <string_view>

#include "host/unidrv_host.h"
#include "pjl/driver_comment.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/dependent_files.h"
#include "settings/printer_queries.h"
#include "settings/system_queries.h"
#include "settings/text_checks.h"

namespace xlrender {
namespace {

constexpr WCHAR kCurrentVersionKey[] = W("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
constexpr WCHAR kProductNameValue[] = W("ProductName");
// The product name is read into 256 bytes.
constexpr std::size_t kProductNameUnits = 256 / sizeof(WCHAR);
constexpr WCHAR kUnidrvNamePart[] = W("UNIDRV");
constexpr WCHAR kDllNamePart[] = W(".DLL");

bool ReadProductName(WCHAR (&product)[kProductNameUnits]) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool found = ReadRegistryText(key, kProductNameValue, product, kProductNameUnits);
    RegCloseKey(key);
    return found;
}

// The driver's information, freed with the object.
class DriverInfo {
public:
    explicit DriverInfo(HANDLE printer) { GetDriverInfo3(printer, nullptr, nullptr, info_, size_); }
    ~DriverInfo() { FreeBlock(info_); }
    DriverInfo(const DriverInfo&) = delete;
    DriverInfo& operator=(const DriverInfo&) = delete;

    const DRIVER_INFO_3W* get() const { return info_; }
    DWORD size() const { return size_; }

private:
    DRIVER_INFO_3W* info_ = nullptr;
    DWORD size_ = 0;
};

// The file version of the dependent file that is the plug-in's own module (by file name,
// ignoring case): the first one listed.
bool FindPluginVersion(DEVOBJ* device, const DriverInfo& driver,
                       char (&version)[kFileVersionTextBytes]) {
    // Unidrv hands every plug-in its own module handle in the device object.
    WCHAR modulePath[MAX_PATH] = {};
    const DWORD moduleLength =
        GetModuleFileNameW(static_cast<HMODULE>(device->hOEM), modulePath, MAX_PATH);
    if (moduleLength == 0 || moduleLength >= MAX_PATH) {
        return false;
    }
    WCHAR moduleName[kFileNameUnits];
    UpperFileName(modulePath, moduleName);

    DependentFiles files(driver.get(), driver.size());
    const WCHAR* name = nullptr;
    std::size_t length = 0;
    while (files.Next(name, length)) {
        WCHAR path[MAX_PATH];
        if (length >= MAX_PATH) {
            continue;
        }
        CopyText(path, MAX_PATH, name, length);
        WCHAR fileName[kFileNameUnits];
        UpperFileName(path, fileName);
        if (EqualNoCase(fileName, moduleName)) {
            return FormatFileVersion(path, version);
        }
    }
    return false;
}

// Unidrv's file version from the driver path, which must name Unidrv's module.
bool FindUnidrvVersion(const DRIVER_INFO_3W& driver, char (&version)[kFileVersionTextBytes]) {
    if (driver.pDriverPath == nullptr) {
        return false;
    }
    WCHAR fileName[kFileNameUnits];
    UpperFileName(driver.pDriverPath, fileName);
    const std::basic_string_view<WCHAR> name(fileName);
    if (name.find(kUnidrvNamePart) == name.npos || name.find(kDllNamePart) == name.npos) {
        return false;
    }
    return FormatFileVersion(driver.pDriverPath, version);
}

}  // namespace

void WriteDriverComment(const CommandContext& context) {
    if (context.device->hPrinter == nullptr) {
        return;
    }
    WCHAR product[kProductNameUnits];
    if (!ReadProductName(product)) {
        return;
    }
    OSVERSIONINFOEXW system{};
    system.dwOSVersionInfoSize = sizeof system;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&system))) {
        return;
    }
    const DriverInfo driver(context.device->hPrinter);
    char pluginVersion[kFileVersionTextBytes];
    char unidrvVersion[kFileVersionTextBytes];
    if (driver.get() == nullptr || !FindPluginVersion(context.device, driver, pluginVersion) ||
        !FindUnidrvVersion(*driver.get(), unidrvVersion)) {
        return;
    }
    const CurrentJobInfo job(context);
    if (job.get() == nullptr) {
        return;
    }
    const JobStorageUserNameText userName(context.pdev);
    const DriverCommentInputs inputs{job->pPrinterName,
                                     pluginVersion,
                                     product,
                                     system.dwMajorVersion,
                                     system.dwMinorVersion,
                                     system.dwBuildNumber,
                                     system.wProductType,
                                     unidrvVersion,
                                     userName.text,
                                     job->pDocument,
                                     job->Submitted};
    PjlLines lines;
    if (BuildDriverComment(inputs, lines)) {
        WriteSpoolBytes(context.device, lines.text(), static_cast<DWORD>(lines.length()));
    }
}

}  // namespace xlrender
