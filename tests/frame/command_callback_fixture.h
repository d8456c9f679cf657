// A printer, its driver files, a job, the registry values and a plug-in device context ready
// for the command callbacks, with the spool bytes each callback writes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "frame/oem_pdev.h"
#include "platform/text.h"
#include "settings/devmode_identity.h"
#include "settings/private_devmode.h"
#include "support/plugin_fixture.h"
#include "world.h"

namespace xlrender::testing {

inline const std::u16string kPrinterName = u"Office";
inline const std::u16string kDriverDirectory = u"C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\";
inline const std::u16string kPluginPath = kDriverDirectory + u"ZQXRD041.DLL";
inline const std::u16string kUnidrvPath = kDriverDirectory + u"UNIDRV.DLL";
inline const std::u16string kCurrentVersionKey = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline const std::u16string kWinlogonKey = kCurrentVersionKey + u"\\Winlogon";
inline const HMODULE kPluginModule = reinterpret_cast<HMODULE>(0x7000);
constexpr DWORD kJobId = 7;

// The comment lines the fixture's world gives, for the job's document and date.
inline std::string ExpectedComment(const std::string& document = "report.txt",
                                   const std::string& date = "12-7-2026") {
    return "@PJL COMMENT \"Office (6.1.7601.17514); Windows XP 5.1.2600.1; Unidrv "
           "0.3.7600.16385\"\n@PJL COMMENT \"Username: jstore; App Filename: " +
           document + "; " + date + "\"\n";
}

class CommandCallbackTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        sim::World& world = sim::TheWorld();
        sim::PrinterDescription printer;
        printer.name = kPrinterName;
        printer.driverPath = kUnidrvPath;
        printer.dependentFiles = {kDriverDirectory + u"ZQXUI041.DLL", kPluginPath};
        world.spooler.printers.push_back(printer);
        sim::JobDescription job;
        job.id = kJobId;
        job.printerName = kPrinterName;
        job.machineName = u"\\\\WS01";
        job.userName = u"jdoe";
        job.document = u"report.txt";
        job.submitted = SYSTEMTIME{2026, 12, 0, 7, 10, 0, 0, 0};
        world.spooler.jobs.push_back(job);
        world.moduleFiles[kPluginModule] = kPluginPath;
        world.versions.Declare(kPluginPath, {6, 1, 7601, 17514});
        world.versions.Declare(kUnidrvPath, {0, 3, 7600, 16385});
        world.registry.SetString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, u"ProductName",
                                 u"Windows XP");
        world.registry.SetString(HKEY_LOCAL_MACHINE, kWinlogonKey, u"DefaultDomainName", u"CORP");
        world.uuids.Seed(kUuidSeed);
    }

    void TearDown() override {
        if (enabled_) {
            // Every callback gives back what it took.
            EXPECT_EQ(sim::LiveHeapBlocks(), blocksWhenReady_);
            plugin->DisablePDEV(device_.devobj());
        }
        if (printer_ != nullptr) {
            ClosePrinter(printer_);
        }
        PluginTest::TearDown();
    }

    // Enables the device context with the options selected so far and gives it the printer,
    // the plug-in's module, the job and its names.
    void Ready() {
        EnableOrFail(device_);
        enabled_ = true;
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
        WCHAR* name = const_cast<WCHAR*>(sim::TheWorld().spooler.printers[0].name.c_str());
        ASSERT_TRUE(OpenPrinterW(name, &printer_, &defaults));
        device_.devobj()->hPrinter = printer_;
        device_.devobj()->hOEM = reinterpret_cast<HANDLE>(kPluginModule);
        Pdev().JobId = kJobId;
        SetDocName(u"report.txt");
        CopyText(Pdev().JobStorageUserName, kJobStorageNameUnits, W("jstore"));
        blocksWhenReady_ = sim::LiveHeapBlocks();
    }

    void SetDocName(const std::u16string& name) {
        CopyText(Pdev().DocName, kDocNameUnits, reinterpret_cast<const WCHAR*>(name.c_str()));
    }

    // The spool bytes callback `id` writes. The callback never touches *piResult.
    std::string Run(DWORD id) {
        device_.spool().Clear();
        INT result = kUntouched;
        EXPECT_EQ(plugin->CommandCallback(device_.devobj(), id, 0, nullptr, &result), S_OK);
        EXPECT_EQ(result, kUntouched);
        return device_.spool().Bytes();
    }

    // The job identifier the accounting block of a freshly seeded world carries.
    static std::string FirstJobIdentifier() {
        sim::TheWorld().uuids.Seed(kUuidSeed);
        UUID uuid{};
        EXPECT_EQ(UuidCreate(&uuid), RPC_S_OK);
        RPC_WSTR text = nullptr;
        EXPECT_EQ(UuidToStringW(&uuid, &text), RPC_S_OK);
        std::string identifier;
        for (std::size_t i = 0; text[i] != 0; ++i) {
            identifier += static_cast<char>(text[i]);
        }
        RpcStringFreeW(&text);
        sim::TheWorld().uuids.Seed(kUuidSeed);
        return identifier;
    }

    OemPdev& Pdev() { return *static_cast<OemPdev*>(device_.devobj()->pdevOEM); }
    PrivateDevmode& Devmode() { return *PrivateDevmodeOf(device_.devobj()); }
    DEVMODEW& PublicDevmode() { return device_.publicDevmode(); }

    static constexpr std::uint64_t kUuidSeed = 5;
    static constexpr INT kUntouched = 0x5A5A;

    sim::unidrv::Device device_{kPrivateDevmodeSize};
    HANDLE printer_ = nullptr;
    bool enabled_ = false;
    std::size_t blocksWhenReady_ = 0;
};

}  // namespace xlrender::testing
