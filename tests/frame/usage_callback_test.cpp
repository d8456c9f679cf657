// The usage line of callback 10, gathered from the device context, the job and the system.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/command_callback_fixture.h"

namespace xlrender {
namespace {

using testing::CommandCallbackTest;

class UsageCallbackTest : public CommandCallbackTest {
protected:
    void ReadyWithSettings() {
        Ready();
        Devmode().PrintProcessorKind = kPrintProcessorOther;
        Devmode().Duplex = DMDUP_SIMPLEX;
        PublicDevmode().dmDuplex = DMDUP_SIMPLEX;
        Devmode().SimplexSingleLayout = 0;
        std::memcpy(Devmode().Carried1478, "serial-0042", 11);
    }
};

TEST_F(UsageCallbackTest, NothingWithoutTheUsageOption) {
    ReadyWithSettings();
    EXPECT_EQ(Run(10), "");
}

TEST_F(UsageCallbackTest, MachineNameDeviceTextFeaturesSystemAndPort) {
    device_.SelectOption("KZSendPJLUsageCmd", "USAGE1");
    ReadyWithSettings();
    // WS01 → b135; the device text is checksummed upper-cased, SERIAL-0042 → ac56.
    EXPECT_EQ(Run(10), "@PJL USAGE = USAGE1,b135,ac56,00,20,01\r\n");
    EXPECT_EQ(std::string(Devmode().Carried1478), "serial-0042") << "the devmode is not changed";
    EXPECT_EQ(device_.spool().Chunks()[0].route, sim::unidrv::SpoolRoute::kDrvProcs);

    Devmode().PrintProcessorKind = kPrintProcessorDriver;
    Devmode().NupOption = 2;
    Devmode().ScalePercent = 100;
    PublicDevmode().dmDuplex = DMDUP_VERTICAL;
    Pdev().JobSettings.PosterPrintingEnabled = 1;
    std::memset(Devmode().Carried1478, 0, sizeof Devmode().Carried1478);
    Pdev().JobId = testing::kJobId + 1;  // the job cannot be read: empty user field
    EXPECT_EQ(Run(10), "@PJL USAGE = USAGE1,,ffffffff,0e,20,01\r\n");
}

TEST_F(UsageCallbackTest, LogonNameKeywordChecksumsTheJobStorageUserName) {
    device_.SelectOption("KZSendPJLUsageCmd", "LNNAME_ABC_X");
    ReadyWithSettings();
    CopyText(Pdev().JobStorageUserName, kJobStorageNameUnits, W("abc"));
    EXPECT_EQ(Run(10), "@PJL USAGE = ABC,9738,ac56,00,20,01\r\n");
}

TEST_F(UsageCallbackTest, FileOnWindowsXpEndsWithItsSystemAndPortCodes) {
    device_.SelectOption("KZSendPJLUsageCmd", "USAGE1");
    sim::TheWorld().spooler.printers[0].portName = u"FILE:";
    ReadyWithSettings();
    const std::string line = Run(10);
    EXPECT_EQ(line.substr(line.size() - 8), ",20,04\r\n");
    sim::TheWorld().version.minor = 2;
    sim::TheWorld().spooler.printers[0].portName = u"NE01:";
    EXPECT_EQ(Run(10), "@PJL USAGE = USAGE1,b135,ac56,00,40,02\r\n");
}

}  // namespace
}  // namespace xlrender
