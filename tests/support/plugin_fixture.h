// Creates the plug-in object through the module's own entry points, the way Unidrv does, and
// gives tests a simulated helper interface and device.
#pragma once

#include <gtest/gtest.h>

#include "platform/guids.h"
#include "platform/win32_api.h"
#include "unidrv/device.h"
#include "unidrv/recorded_unidrv.h"

namespace xlrender::testing {

inline IPrintOemUni* CreatePluginObject() {
    void* factory = nullptr;
    EXPECT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidClassFactory, &factory), S_OK);
    void* plugin = nullptr;
    auto* classFactory = static_cast<IClassFactory*>(factory);
    EXPECT_EQ(classFactory->CreateInstance(nullptr, kIidPrintOemUni, &plugin), S_OK);
    classFactory->Release();
    return static_cast<IPrintOemUni*>(plugin);
}

// A plug-in object with its helper published and Unidrv's recording functions ready to hand
// to EnablePDEV.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = CreatePluginObject();
        ASSERT_NE(plugin, nullptr);
        ASSERT_EQ(plugin->PublishDriverInterface(&helper), S_OK);
        unidrvTable = sim::unidrv::RecordingFunctionTable();
        unidrvFunctions = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(unidrvTable.size()),
                           unidrvTable.data()};
    }

    void TearDown() override {
        if (plugin != nullptr) {
            plugin->Release();
        }
    }

    HRESULT Enable(sim::unidrv::Device& device, PDEVOEM& result) {
        return plugin->EnablePDEV(device.devobj(), nullptr, 0, nullptr, sizeof gdiInfo, &gdiInfo,
                                  sizeof devInfo, &devInfo, &unidrvFunctions, &result);
    }

    // Enables the device context and keeps its OEM PDEV in the DEVOBJ, as Unidrv does.
    void EnableOrFail(sim::unidrv::Device& device) {
        PDEVOEM result = nullptr;
        ASSERT_EQ(Enable(device, result), S_OK);
        device.devobj()->pdevOEM = result;
    }

    IPrintOemUni* plugin = nullptr;
    sim::unidrv::DriverHelper helper;
    std::vector<DRVFN> unidrvTable;
    DRVENABLEDATA unidrvFunctions{};
    GDIINFO gdiInfo{};
    DEVINFO devInfo{};
};

}  // namespace xlrender::testing
