// Loads the plug-in module the way Unidrv does: open it by path and reach it only through its
// two exports.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace sim::unidrv {

class PluginModule {
public:
    using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFunction = HRESULT (*)();

    // Opens the module; on failure `error` says why and the module is not loaded().
    PluginModule(const std::string& path, std::string& error);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) const;
    HRESULT CanUnloadNow() const;

    // Creates the plug-in object through its class factory; null with `error` set on failure.
    IPrintOemUni* CreatePlugin(std::string& error) const;

private:
    void* handle_ = nullptr;
    GetClassObjectFunction getClassObject_ = nullptr;
    CanUnloadNowFunction canUnloadNow_ = nullptr;
};

// The plug-in module next to the running program.
std::string DefaultPluginModulePath();

}  // namespace sim::unidrv
