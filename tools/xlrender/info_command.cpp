// xlrender info: loads the plug-in module as Unidrv does and shows what it announces.
#include <cstdio>
#include <iostream>
#include <string>

#include "command.h"
#include "unidrv/device.h"
#include "unidrv/plugin_module.h"

namespace xlrender::tool {
namespace {

const char* DdiFunctionName(ULONG index) {
    switch (index) {
        case INDEX_DrvBitBlt: return "DrvBitBlt";
        case INDEX_DrvCopyBits: return "DrvCopyBits";
        case INDEX_DrvStretchBlt: return "DrvStretchBlt";
        case INDEX_DrvTextOut: return "DrvTextOut";
        case INDEX_DrvEscape: return "DrvEscape";
        case INDEX_DrvSendPage: return "DrvSendPage";
        case INDEX_DrvStartPage: return "DrvStartPage";
        case INDEX_DrvEndDoc: return "DrvEndDoc";
        case INDEX_DrvStartDoc: return "DrvStartDoc";
        case INDEX_DrvStartBanding: return "DrvStartBanding";
        case INDEX_DrvNextBand: return "DrvNextBand";
        case INDEX_DrvStretchBltROP: return "DrvStretchBltROP";
        case INDEX_DrvPlgBlt: return "DrvPlgBlt";
        default: return "unknown DDI function";
    }
}

// The names of IPrintOemUni's own methods in slot order, as GetImplementedMethod is asked.
constexpr const char* kPluginMethodNames[] = {"GetInfo",
                                              "DevMode",
                                              "EnableDriver",
                                              "DisableDriver",
                                              "EnablePDEV",
                                              "DisablePDEV",
                                              "ResetPDEV",
                                              "PublishDriverInterface",
                                              "GetImplementedMethod",
                                              "DriverDMS",
                                              "CommandCallback",
                                              "ImageProcessing",
                                              "FilterGraphics",
                                              "Compression",
                                              "HalftonePattern",
                                              "MemoryUsage",
                                              "TTYGetInfo",
                                              "DownloadFontHeader",
                                              "DownloadCharGlyph",
                                              "TTDownloadMethod",
                                              "OutputCharStr",
                                              "SendFontCmd",
                                              "TextOutAsBitmap"};

// The method names that GetImplementedMethod answers S_OK for (`implemented`) or not, separated
// by spaces.
std::string MethodNames(IPrintOemUni& plugin, bool implemented) {
    std::string names;
    for (const char* name : kPluginMethodNames) {
        std::string argument = name;
        if ((plugin.GetImplementedMethod(argument.data()) == S_OK) == implemented) {
            names += names.empty() ? "" : " ";
            names += name;
        }
    }
    return names;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string FourCharacters(DWORD value) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((value >> shift) & 0xFF);
    }
    return text;
}

bool QueryInfo(IPrintOemUni& plugin, DWORD mode, const char* what, DWORD& answer) {
    DWORD needed = 0;
    if (FAILED(plugin.GetInfo(mode, &answer, sizeof answer, &needed))) {
        std::cerr << "xlrender info: GetInfo(" << what << ") failed\n";
        return false;
    }
    return true;
}

int ShowPluginInfo(const std::string& modulePath) {
    std::string error;
    sim::unidrv::PluginModule module(modulePath, error);
    if (!module.loaded()) {
        std::cerr << "xlrender info: " << error << '\n';
        return kExitWorkFailed;
    }
    IPrintOemUni* plugin = module.CreatePlugin(error);
    if (plugin == nullptr) {
        std::cerr << "xlrender info: " << error << '\n';
        return kExitWorkFailed;
    }
    sim::unidrv::DriverHelper helper;
    int status = kExitWorkFailed;
    DWORD signature = 0;
    DWORD interfaceVersion = 0;
    DWORD version = 0;
    DRVENABLEDATA hooks{};
    if (FAILED(plugin->PublishDriverInterface(&helper))) {
        std::cerr << "xlrender info: PublishDriverInterface failed\n";
    } else if (QueryInfo(*plugin, OEMGI_GETSIGNATURE, "signature", signature) &&
               QueryInfo(*plugin, OEMGI_GETINTERFACEVERSION, "interface version",
                         interfaceVersion) &&
               QueryInfo(*plugin, OEMGI_GETVERSION, "version", version)) {
        if (FAILED(plugin->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks, &hooks))) {
            std::cerr << "xlrender info: EnableDriver failed\n";
        } else {
            std::cout << "plug-in module:    " << modulePath << '\n'
                      << "signature:         " << FourCharacters(signature) << " ("
                      << Hex(signature) << ")\n"
                      << "interface version: " << Hex(interfaceVersion) << '\n'
                      << "plug-in version:   " << Hex(version) << '\n'
                      << "implemented:       " << MethodNames(*plugin, true) << '\n'
                      << "not implemented:   " << MethodNames(*plugin, false) << '\n'
                      << "DDI hooks:         " << hooks.c << '\n';
            for (ULONG i = 0; i < hooks.c; ++i) {
                std::cout << "  " << DdiFunctionName(hooks.pdrvfn[i].iFunc) << " (index "
                          << hooks.pdrvfn[i].iFunc << ")\n";
            }
            status = kExitSuccess;
            plugin->DisableDriver();
        }
    }
    plugin->Release();
    return status;
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandWork& work) {
    auto* command =
        app.add_subcommand("info", "Load the plug-in module as Unidrv does and show what it "
                                   "announces (signature, versions, DDI hooks)");
    auto modulePath = std::make_shared<std::string>(sim::unidrv::DefaultPluginModulePath());
    command->add_option("--module", *modulePath, "Path of the plug-in module")
        ->capture_default_str();
    command->callback([&work, modulePath] { work = [modulePath] { return ShowPluginInfo(*modulePath); }; });
}

}  // namespace xlrender::tool
