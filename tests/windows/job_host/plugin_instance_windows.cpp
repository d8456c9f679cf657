// The Windows side: the test printer and its job in the spooler, and XLRENDER.DLL beside this
// program, loaded by its full path as Unidrv loads it. What the environment supplied is recorded
// for the Linux run.
#include <string>

#include "environment_record.h"
#include "platform/guids.h"
#include "plugin_instance.h"

namespace job_host {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

// A printer needs an installed driver; Wine's PostScript driver is there, and the plug-in reads
// nothing of it that reaches the spool.
wchar_t kDriverName[] = L"XL Render Test Driver";
wchar_t kDriverFile[] = L"wineps.drv";
wchar_t kPortName[] = L"LPT1:";
wchar_t kSystemPrintProcessor[] = L"winprint";
wchar_t kRawDatatype[] = L"RAW";
constexpr wchar_t kPrintersKey[] = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";

std::wstring ModuleBesideThisProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length < MAX_PATH ? length : 0);
    return program.substr(0, program.find_last_of(L"\\/") + 1) + fileName;
}

// The driver's own print processor makes the plug-in draw watermarks per sheet. Wine installs
// no print processor but its own, so the printer is added with that one and its registry key,
// which Wine's GetPrinterW reads back, is given the driver's.
bool UseDriverPrintProcessor(const std::wstring& printerName) {
    const std::wstring keyName = kPrintersKey + printerName;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    const std::wstring processor = kDriverPrintProcessor;
    const LONG set = RegSetValueExW(key, L"Print Processor", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(processor.c_str()),
                                    static_cast<DWORD>((processor.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return set == ERROR_SUCCESS;
}

// Installs the test printer (kept from an earlier run of the same prefix), opens it and queues
// a job; the job's id, or 0.
DWORD QueueJob(HANDLE& printer, std::string& error) {
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = kDriverName;
    driver.pDriverPath = kDriverFile;
    driver.pDataFile = kDriverFile;
    driver.pConfigFile = kDriverFile;
    driver.pDefaultDataType = kRawDatatype;
    AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                        APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
    std::wstring name = kTestPrinterName;
    PRINTER_INFO_2W info{};
    info.pPrinterName = name.data();
    info.pPortName = kPortName;
    info.pDriverName = kDriverName;
    info.pPrintProcessor = kSystemPrintProcessor;
    info.pDatatype = kRawDatatype;
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (added != nullptr) {
        ClosePrinter(added);
    } else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        error = "AddPrinterW failed with error " + std::to_string(GetLastError());
        return 0;
    }
    if (!UseDriverPrintProcessor(name)) {
        error = "cannot name the driver's print processor in the printer's registry key";
        return 0;
    }
    if (!OpenPrinterW(name.data(), &printer, nullptr)) {
        error = "OpenPrinterW failed with error " + std::to_string(GetLastError());
        return 0;
    }
    BYTE job[sizeof(ADDJOB_INFO_1W) + MAX_PATH * sizeof(wchar_t)] = {};
    DWORD needed = 0;
    if (!AddJobW(printer, 1, job, sizeof job, &needed)) {
        error = "AddJobW failed with error " + std::to_string(GetLastError());
        return 0;
    }
    return reinterpret_cast<const ADDJOB_INFO_1W*>(job)->JobId;
}

}  // namespace

struct PluginInstance::Platform {};

PluginInstance::PluginInstance(const char*, const WCHAR*, const char* environmentFile) {
    HostEnvironment environment;
    OSVERSIONINFOEXW system{};
    system.dwOSVersionInfoSize = sizeof system;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&system))) {
        error_ = "GetVersionExW failed";
        return;
    }
    environment.version = {system.dwMajorVersion, system.dwMinorVersion, system.dwBuildNumber,
                           system.wProductType};
    environment.jobId = jobId_ = QueueJob(printer_, error_);
    if (jobId_ == 0) {
        return;
    }
    if (!WriteEnvironment(environmentFile, environment)) {
        error_ = std::string("cannot record the environment in ") + environmentFile;
        return;
    }
    module_ = LoadLibraryW(ModuleBesideThisProgram(L"XLRENDER.DLL").c_str());
    if (module_ == nullptr) {
        error_ = "LoadLibraryW(XLRENDER.DLL) failed with error " + std::to_string(GetLastError());
        return;
    }
    const auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (getClassObject == nullptr ||
        FAILED(getClassObject(xlrender::kClsidRenderPlugin, xlrender::kIidClassFactory,
                              reinterpret_cast<void**>(&factory)))) {
        error_ = "DllGetClassObject gave no class factory";
        return;
    }
    void* plugin = nullptr;
    if (FAILED(factory->CreateInstance(nullptr, xlrender::kIidPrintOemUni, &plugin))) {
        error_ = "CreateInstance gave no IPrintOemUni object";
    }
    factory->Release();
    plugin_ = static_cast<IPrintOemUni*>(plugin);
}

PluginInstance::~PluginInstance() {
    if (plugin_ != nullptr) {
        plugin_->Release();
    }
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
    if (printer_ != nullptr) {
        ClosePrinter(printer_);
    }
}

}  // namespace job_host
