#include "unidrv/plugin_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "platform/function_cast.h"
#include "platform/guids.h"

namespace sim::unidrv {
namespace {

std::string HexResult(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

}  // namespace

PluginModule::PluginModule(const std::string& path, std::string& error) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        error = "cannot load the plug-in module " + path + ": " + (reason ? reason : "unknown");
        return;
    }
    getClassObject_ = xlrender::CastFunction<GetClassObjectFunction>(
        dlsym(handle_, "DllGetClassObject"));
    canUnloadNow_ =
        xlrender::CastFunction<CanUnloadNowFunction>(dlsym(handle_, "DllCanUnloadNow"));
    if (getClassObject_ == nullptr || canUnloadNow_ == nullptr) {
        error = "the plug-in module " + path +
                " does not export DllGetClassObject and DllCanUnloadNow";
        dlclose(handle_);
        handle_ = nullptr;
    }
}

PluginModule::~PluginModule() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

HRESULT PluginModule::GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) const {
    return getClassObject_(rclsid, riid, ppv);
}

HRESULT PluginModule::CanUnloadNow() const { return canUnloadNow_(); }

IPrintOemUni* PluginModule::CreatePlugin(std::string& error) const {
    void* factory = nullptr;
    HRESULT result =
        GetClassObject(xlrender::kClsidRenderPlugin, xlrender::kIidClassFactory, &factory);
    if (FAILED(result) || factory == nullptr) {
        error = "DllGetClassObject failed with " + HexResult(result);
        return nullptr;
    }
    void* plugin = nullptr;
    auto* classFactory = static_cast<IClassFactory*>(factory);
    result = classFactory->CreateInstance(nullptr, xlrender::kIidPrintOemUni, &plugin);
    classFactory->Release();
    if (FAILED(result) || plugin == nullptr) {
        error = "IClassFactory::CreateInstance failed with " + HexResult(result);
        return nullptr;
    }
    return static_cast<IPrintOemUni*>(plugin);
}

std::string DefaultPluginModulePath() {
    std::error_code ignored;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return (program.parent_path() / "libxlrender-plugin.so").string();
}

}  // namespace sim::unidrv
