// Loads XLRENDER.DLL by its full path, as Unidrv does, and checks through its two exports what
// Unidrv sees first: the class factory, the IPrintOemUni object and its reference counts, GetInfo,
// GetImplementedMethod, PublishDriverInterface, EnableDriver's hooks, the default private devmode
// and when the module may unload. What the plug-in announces must equal what the Linux build
// announces: the expectations are `xlrender info` and `xlrender devmode default` output, made on
// Linux from the same sources. One line per check; the first failure ends the run with status 1.
//
// Usage: xlrender_dll_smoke INFO_TEXT DEVMODE_FILE   (the DLL is the XLRENDER.DLL beside it)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "linux_announcement.h"
#include "platform/guids.h"
#include "platform/win32_api.h"
#include "test_driver_helper.h"

namespace {

using xlrender::smoke::LinuxAnnouncement;
using xlrender::smoke::TestDriverHelper;

void Check(bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!passed) {
        std::exit(1);
    }
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    Check(static_cast<bool>(file), std::string("read ") + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::wstring ModuleBesideThisProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    Check(length > 0 && length < MAX_PATH, "find this program's own path");
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L"\\/") + 1) + fileName;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The version resource's file version, as the driver comment reports it from the installed file.
DWORD FileVersionMostSignificant(const std::wstring& path, DWORD& leastSignificant) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return 0;
    }
    leastSignificant = fixed->dwFileVersionLS;
    return fixed->dwFileVersionMS;
}

template <typename Function>
Function Export(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    Check(address != nullptr, std::string("GetProcAddress finds ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

using DllGetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

bool InsideModule(PFN function, HMODULE module) {
    MEMORY_BASIC_INFORMATION region{};
    return VirtualQuery(reinterpret_cast<const void*>(function), &region, sizeof region) != 0 &&
           region.AllocationBase == module;
}

DWORD AskInfo(IPrintOemUni& plugin, DWORD mode) {
    DWORD answer = 0;
    DWORD needed = 0;
    const HRESULT result = plugin.GetInfo(mode, &answer, sizeof answer, &needed);
    return SUCCEEDED(result) && needed == sizeof answer ? answer : 0;
}

void CheckPublishDriverInterface(IPrintOemUni& plugin, TestDriverHelper& helper) {
    Check(plugin.PublishDriverInterface(&helper) == S_OK && helper.references() == 2,
          "PublishDriverInterface takes a reference to the helper interface");
    Check(plugin.PublishDriverInterface(&helper) == S_OK && helper.queries() == 1 &&
              helper.references() == 2,
          "a second PublishDriverInterface keeps the first helper and asks nothing");
}

void CheckGetInfo(IPrintOemUni& plugin, const LinuxAnnouncement& onLinux, DWORD fileVersionMS,
                  DWORD fileVersionLS) {
    const DWORD signature = AskInfo(plugin, OEMGI_GETSIGNATURE);
    Check(signature == onLinux.signature, "GetInfo signature " + Hex(signature) + " as on Linux");
    const DWORD interfaceVersion = AskInfo(plugin, OEMGI_GETINTERFACEVERSION);
    Check(interfaceVersion == onLinux.interfaceVersion,
          "GetInfo interface version " + Hex(interfaceVersion) + " as on Linux");
    const DWORD version = AskInfo(plugin, OEMGI_GETVERSION);
    Check(version == onLinux.version, "GetInfo plug-in version " + Hex(version) + " as on Linux");
    Check(fileVersionMS == version && fileVersionLS == 0,
          "the DLL's file version " + Hex(fileVersionMS) + "." + Hex(fileVersionLS) +
              " is the plug-in version");

    DWORD wide[2] = {};
    DWORD needed = 0;
    Check(plugin.GetInfo(OEMGI_GETVERSION, wide, sizeof wide, &needed) == E_FAIL && needed == 4,
          "GetInfo into 8 bytes fails and asks for 4");
    Check(plugin.GetInfo(OEMGI_GETPUBLISHERINFO, wide, sizeof wide, &needed) == E_FAIL,
          "GetInfo for publisher information fails");
}

void CheckImplementedMethods(IPrintOemUni& plugin, const LinuxAnnouncement& onLinux) {
    auto answers = [&plugin](const std::vector<std::string>& names, HRESULT expected) {
        for (std::string name : names) {
            if (plugin.GetImplementedMethod(name.data()) != expected) {
                return false;
            }
        }
        return true;
    };
    Check(answers(onLinux.implemented, S_OK), "GetImplementedMethod S_OK for the " +
                                                  std::to_string(onLinux.implemented.size()) +
                                                  " methods implemented on Linux");
    Check(
        answers(onLinux.notImplemented, S_FALSE) && plugin.GetImplementedMethod(nullptr) == S_FALSE,
        "GetImplementedMethod S_FALSE for the other " +
            std::to_string(onLinux.notImplemented.size()) + " and for null");
}

void CheckEnableDriver(IPrintOemUni& plugin, const LinuxAnnouncement& onLinux, HMODULE module) {
    DRVENABLEDATA refused{};
    Check(plugin.EnableDriver(0x00020000, sizeof refused, &refused) == E_FAIL && refused.c == 0 &&
              refused.pdrvfn == nullptr,
          "EnableDriver refuses interface version 0x00020000 and leaves DRVENABLEDATA alone");

    DRVENABLEDATA hooks{};
    Check(plugin.EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks, &hooks) == S_OK &&
              hooks.iDriverVersion == PRINTER_OEMINTF_VERSION && hooks.pdrvfn != nullptr,
          "EnableDriver hands over a hook table for interface version 0x00010000");
    std::vector<ULONG> indexes;
    bool allInside = true;
    for (ULONG i = 0; i < hooks.c; ++i) {
        indexes.push_back(hooks.pdrvfn[i].iFunc);
        allInside = allInside && InsideModule(hooks.pdrvfn[i].pfn, module);
    }
    std::string listed;
    for (ULONG index : indexes) {
        listed += (listed.empty() ? "" : " ") + std::to_string(index);
    }
    Check(indexes == onLinux.hookIndexes, "EnableDriver hooks " + std::to_string(hooks.c) +
                                              " DDI functions, indexes " + listed + " as on Linux");
    Check(allInside, "every hook points into XLRENDER.DLL");
}

// The public devmode Unidrv passes in; the Linux expectation is written from the same members in
// smoke_public_devmode.json.
DEVMODEW SmokePublicDevmode() {
    DEVMODEW devmode{};
    devmode.dmSize = sizeof devmode;
    devmode.dmOrientation = DMORIENT_LANDSCAPE;
    devmode.dmPaperSize = DMPAPER_A4;
    devmode.dmCopies = 3;
    devmode.dmDefaultSource = DMBIN_AUTO;
    devmode.dmColor = DMCOLOR_MONOCHROME;
    devmode.dmDuplex = DMDUP_VERTICAL;
    devmode.dmTTOption = DMTT_DOWNLOAD;
    devmode.dmCollate = DMCOLLATE_TRUE;
    devmode.dmICMMethod = DMICMMETHOD_SYSTEM;
    devmode.dmICMIntent = DMICM_COLORIMETRIC;
    devmode.dmMediaType = 258;
    std::wcscpy(devmode.dmFormName, L"A4");
    return devmode;
}

void CheckDefaultDevmode(IPrintOemUni& plugin, HMODULE module, const std::string& linuxDevmode) {
    DEVMODEW publicDevmode = SmokePublicDevmode();
    // DevMode only checks that Unidrv names a printer; making the defaults reads no printer.
    int printerToken = 0;
    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.hPrinter = &printerToken;
    param.hModule = module;
    param.pPublicDMIn = &publicDevmode;
    param.pPublicDMOut = &publicDevmode;
    const HRESULT sized = plugin.DevMode(OEMDM_SIZE, &param);
    Check(sized == S_OK && param.cbBufSize == linuxDevmode.size(),
          "DevMode OEMDM_SIZE asks for " + std::to_string(param.cbBufSize) + " bytes, as on Linux");

    std::vector<BYTE> privateDevmode(param.cbBufSize);
    param.pOEMDMOut = privateDevmode.data();
    Check(plugin.DevMode(OEMDM_DEFAULT, &param) == S_OK, "DevMode OEMDM_DEFAULT succeeds");
    const auto* expected = reinterpret_cast<const BYTE*>(linuxDevmode.data());
    std::size_t firstDifference = 0;
    while (firstDifference < privateDevmode.size() &&
           privateDevmode[firstDifference] == expected[firstDifference]) {
        ++firstDifference;
    }
    Check(firstDifference == privateDevmode.size(),
          firstDifference == privateDevmode.size()
              ? "the default private devmode equals the Linux one byte for byte"
              : "the default private devmode differs from the Linux one at byte " +
                    std::to_string(firstDifference));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xlrender_dll_smoke INFO_TEXT DEVMODE_FILE\n");
        return 2;
    }
    LinuxAnnouncement onLinux;
    Check(xlrender::smoke::ParseLinuxAnnouncement(ReadFile(argv[1]), onLinux),
          "the Linux module's announcement lists versions, methods and hooks");
    const std::string linuxDevmode = ReadFile(argv[2]);

    const std::wstring path = ModuleBesideThisProgram(L"XLRENDER.DLL");
    const HMODULE module = LoadLibraryW(path.c_str());
    Check(module != nullptr, "LoadLibraryW " + Narrow(path));
    auto getClassObject = Export<DllGetClassObjectFunction>(module, "DllGetClassObject");
    auto canUnloadNow = Export<DllCanUnloadNowFunction>(module, "DllCanUnloadNow");
    Check(canUnloadNow() == S_OK, "DllCanUnloadNow S_OK before any object exists");

    void* unknown = &unknown;
    Check(getClassObject(xlrender::kIidUnknown, xlrender::kIidClassFactory, &unknown) ==
                  CLASS_E_CLASSNOTAVAILABLE &&
              unknown == nullptr,
          "DllGetClassObject refuses another class with CLASS_E_CLASSNOTAVAILABLE");
    IClassFactory* factory = nullptr;
    Check(getClassObject(xlrender::kClsidRenderPlugin, xlrender::kIidClassFactory,
                         reinterpret_cast<void**>(&factory)) == S_OK &&
              factory != nullptr,
          "DllGetClassObject gives a class factory for the render plug-in class");

    Check(canUnloadNow() == S_FALSE, "DllCanUnloadNow S_FALSE while a class factory lives");
    Check(factory->LockServer(TRUE) == S_OK && factory->LockServer(FALSE) == S_OK &&
              canUnloadNow() == S_FALSE,
          "LockServer TRUE and FALSE leave the class factory counted");
    IUnknown* outer = factory;
    Check(factory->CreateInstance(outer, xlrender::kIidPrintOemUni, &unknown) ==
              CLASS_E_NOAGGREGATION,
          "CreateInstance refuses aggregation");
    IPrintOemUni* plugin = nullptr;
    Check(factory->CreateInstance(nullptr, xlrender::kIidPrintOemUni,
                                  reinterpret_cast<void**>(&plugin)) == S_OK &&
              plugin != nullptr,
          "CreateInstance gives the IPrintOemUni object");
    Check(factory->Release() == 0, "the class factory goes at its last Release");
    Check(canUnloadNow() == S_FALSE, "DllCanUnloadNow S_FALSE while the object lives");

    IUnknown* sameObject = nullptr;
    Check(plugin->QueryInterface(xlrender::kIidUnknown, reinterpret_cast<void**>(&sameObject)) ==
                  S_OK &&
              sameObject == plugin,
          "QueryInterface IUnknown answers the object itself");
    Check(plugin->QueryInterface(xlrender::kIidClassFactory, &unknown) == E_NOINTERFACE &&
              unknown == nullptr,
          "QueryInterface IClassFactory answers E_NOINTERFACE and null");
    Check(plugin->AddRef() == 3 && plugin->Release() == 2 && sameObject->Release() == 1,
          "AddRef and Release count 2, 3, 2, 1");

    TestDriverHelper helper;
    CheckPublishDriverInterface(*plugin, helper);
    DWORD fileVersionLS = 0;
    const DWORD fileVersionMS = FileVersionMostSignificant(path, fileVersionLS);
    CheckGetInfo(*plugin, onLinux, fileVersionMS, fileVersionLS);
    CheckImplementedMethods(*plugin, onLinux);
    CheckEnableDriver(*plugin, onLinux, module);
    CheckDefaultDevmode(*plugin, module, linuxDevmode);
    Check(plugin->DisableDriver() == S_OK && helper.references() == 1,
          "DisableDriver releases the helper interface");

    Check(plugin->Release() == 0, "the object goes at its last Release");
    Check(canUnloadNow() == S_OK, "DllCanUnloadNow S_OK after the last Release");
    Check(FreeLibrary(module) != 0, "FreeLibrary");
    return 0;
}
