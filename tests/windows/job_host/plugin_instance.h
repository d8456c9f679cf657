// The plug-in object the job host plays its job through, created from the module beside the
// host program through the module's class factory, as Unidrv creates it, after the platform is
// prepared: on Linux a fresh stand-in world whose only screen font is the given file, running
// the Windows version that the Windows run recorded in `versionFile`; on Windows the font file
// is installed in the fonts folder beforehand, and the version GetVersionExW reports is recorded
// in `versionFile`.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace job_host {

class PluginInstance {
public:
    PluginInstance(const char* fontFile, const WCHAR* fontFace, const char* versionFile);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Null when the module or the object could not be had; error() says why.
    IPrintOemUni* plugin() const { return plugin_; }
    HMODULE module() const { return module_; }
    const std::string& error() const { return error_; }

private:
    struct Platform;
    Platform* platform_ = nullptr;
    IPrintOemUni* plugin_ = nullptr;
    HMODULE module_ = nullptr;
    std::string error_;
};

}  // namespace job_host
