// The Windows side: XLRENDER.DLL beside this program, loaded by its full path as Unidrv loads it,
// after the Windows version is recorded for the Linux run.
#include <string>

#include "platform/guids.h"
#include "plugin_instance.h"
#include "windows_version_record.h"

namespace job_host {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

std::wstring ModuleBesideThisProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length < MAX_PATH ? length : 0);
    return program.substr(0, program.find_last_of(L"\\/") + 1) + fileName;
}

}  // namespace

struct PluginInstance::Platform {};

PluginInstance::PluginInstance(const char*, const WCHAR*, const char* versionFile) {
    OSVERSIONINFOEXW system{};
    system.dwOSVersionInfoSize = sizeof system;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&system)) ||
        !WriteWindowsVersion(versionFile, {system.dwMajorVersion, system.dwMinorVersion,
                                           system.dwBuildNumber, system.wProductType})) {
        error_ = std::string("cannot record the Windows version in ") + versionFile;
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
}

}  // namespace job_host
