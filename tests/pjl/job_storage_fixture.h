// A device context on a spooler printer with one job, for the job-storage tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"
#include "settings/devmode_identity.h"
#include "settings/private_devmode.h"
#include "unidrv/device.h"
#include "world.h"

namespace xlrender {

constexpr DWORD kStorageTestJobId = 42;

class JobStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::PrinterDescription printer;
        printer.name = u"Office";
        printer.driverPath = u"C:\\Drivers\\x64\\3\\UNIDRV.DLL";
        sim::TheWorld().spooler.printers.push_back(printer);
        sim::JobDescription job;
        job.id = kStorageTestJobId;
        job.printerName = u"Office";
        job.submitted = SYSTEMTIME{2004, 3, 0, 7, 13, 5, 0, 0};
        sim::TheWorld().spooler.jobs.push_back(job);
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
        ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(W("Office")), &printerHandle, &defaults));
        device.devobj()->hPrinter = printerHandle;
    }

    void TearDown() override { ClosePrinter(printerHandle); }

    PrivateDevmode& devmode() {
        return *reinterpret_cast<PrivateDevmode*>(device.privateDevmode());
    }
    sim::PrinterDescription& printer() { return sim::TheWorld().spooler.printers.front(); }
    std::string spooled() { return device.spool().Bytes(); }

    sim::unidrv::Device device{kPrivateDevmodeSize};
    sim::unidrv::DriverHelper helper;
    HANDLE printerHandle = nullptr;
};

// Copies UTF-16 text into a fixed field.
template <std::size_t Units>
void SetText(WCHAR (&field)[Units], const std::u16string& text) {
    ASSERT_LT(text.size(), Units);
    std::copy(text.begin(), text.end(), field);
    field[text.size()] = 0;
}

inline std::u16string Str(const WCHAR* text) {
    return std::u16string(text);
}

}  // namespace xlrender
