// The Linux side: the plug-in module beside this program, loaded by the stand-in's module loader,
// in a fresh world with the default US English user, no printers or jobs, and the Windows
// version the Windows run recorded.
#include <memory>
#include <string>

#include "plugin_instance.h"
#include "unidrv/job_world.h"
#include "unidrv/plugin_module.h"
#include "windows_version_record.h"
#include "world.h"

namespace job_host {

struct PluginInstance::Platform {
    std::unique_ptr<sim::unidrv::PluginModule> module;
};

PluginInstance::PluginInstance(const char* fontFile, const WCHAR* fontFace,
                               const char* versionFile)
    : platform_(new Platform) {
    sim::World& world = sim::ResetWorld();
    if (!ReadWindowsVersion(versionFile, world.version)) {
        error_ = std::string("no Windows version recorded in ") + versionFile;
        return;
    }
    world.screenFonts.registry = {{fontFace, false, false, fontFile}};
    world.screenFonts.useFontconfig = false;
    platform_->module =
        std::make_unique<sim::unidrv::PluginModule>(sim::unidrv::DefaultPluginModulePath(), error_);
    if (!platform_->module->loaded()) {
        return;
    }
    module_ = sim::unidrv::PluginModuleHandle();
    plugin_ = platform_->module->CreatePlugin(error_);
}

PluginInstance::~PluginInstance() {
    if (plugin_ != nullptr) {
        plugin_->Release();
    }
    delete platform_;
}

}  // namespace job_host
