// An enabled device context for the document, page and escape hooks, with a spooler printer
// the device's handle names.
#pragma once

#include <string>

#include "frame/oem_pdev.h"
#include "settings/devmode_identity.h"
#include "settings/private_devmode.h"
#include "support/plugin_fixture.h"
#include "world.h"

namespace xlrender::testing {

class HookTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        sim::PrinterDescription printer;
        printer.name = u"Office";
        sim::TheWorld().spooler.printers.push_back(printer);
        ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(u"Office"), &printerHandle, nullptr));
    }
    void TearDown() override {
        device.devobj()->pOEMDM = device.privateDevmode();
        plugin->DisablePDEV(device.devobj());
        ClosePrinter(printerHandle);
        PluginTest::TearDown();
    }

    // Options must be selected before the device context is enabled.
    void EnableDevice() {
        EnableOrFail(device);
        device.devobj()->hPrinter = printerHandle;
    }
    PrivateDevmode& Devmode() {
        return *reinterpret_cast<PrivateDevmode*>(device.privateDevmode());
    }
    OemPdev& Pdev() { return *static_cast<OemPdev*>(device.devobj()->pdevOEM); }
    std::string Spooled() { return device.spool().Bytes(); }
    sim::PrinterDescription& Printer() { return sim::TheWorld().spooler.printers[0]; }
    void AddJob(DWORD id, const std::u16string& datatype) {
        sim::JobDescription job;
        job.id = id;
        job.printerName = u"Office";
        job.datatype = datatype;
        sim::TheWorld().spooler.jobs.push_back(job);
    }

    sim::unidrv::Device device{kPrivateDevmodeSize};
    SURFOBJ* pso = device.surface();
    HANDLE printerHandle = nullptr;
};

}  // namespace xlrender::testing
