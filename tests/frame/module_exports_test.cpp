// The built module, loaded the way Unidrv loads it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "platform/guids.h"
#include "unidrv/device.h"
#include "unidrv/plugin_module.h"

namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return names;
    }
    std::array<char, 512> line{};
    while (fgets(line.data(), line.size(), pipe.get()) != nullptr) {
        std::string text(line.data());
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        const auto space = text.rfind(' ');
        names.insert(space == std::string::npos ? text : text.substr(space + 1));
    }
    return names;
}

TEST(PluginModule, ExportsExactlyTheTwoEntryPoints) {
    EXPECT_EQ(DefinedDynamicSymbols(XLRENDER_MODULE_PATH),
              (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject"}));
}

TEST(PluginModule, ServesItsObjectThroughTheExports) {
    std::string error;
    sim::unidrv::PluginModule module(XLRENDER_MODULE_PATH, error);
    ASSERT_TRUE(module.loaded()) << error;
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
    IPrintOemUni* plugin = module.CreatePlugin(error);
    ASSERT_NE(plugin, nullptr) << error;
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
    sim::unidrv::DriverHelper helper;
    EXPECT_EQ(plugin->PublishDriverInterface(&helper), S_OK);
    DWORD signature = 0;
    DWORD needed = 0;
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &signature, sizeof signature, &needed), S_OK);
    EXPECT_EQ(signature, 0x4B5A5549u);
    plugin->Release();
    EXPECT_EQ(helper.references(), 1);
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

TEST(PluginModule, ClearErrorForAMissingModule) {
    std::string error;
    sim::unidrv::PluginModule module("/nonexistent/libxlrender-plugin.so", error);
    EXPECT_FALSE(module.loaded());
    EXPECT_NE(error.find("/nonexistent/libxlrender-plugin.so"), std::string::npos);
}

}  // namespace
