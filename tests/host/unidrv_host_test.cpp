// The plug-in's calls into Unidrv: spool writes, standard variables and feature settings.
#include "host/unidrv_host.h"

#include <gtest/gtest.h>

#include <string>

#include "unidrv/device.h"

namespace xlrender {
namespace {

using sim::unidrv::Device;
using sim::unidrv::DriverHelper;
using sim::unidrv::SpoolRoute;

TEST(WriteSpoolBytes, WritesTheRemainderWhenUnidrvTakesPartOfTheBytes) {
    Device device(0);
    device.spool().LimitWrite(1, 3);
    EXPECT_EQ(WriteSpoolBytes(device.devobj(), "abcdefgh", 8), 8u);
    ASSERT_EQ(device.spool().Chunks().size(), 2u);
    EXPECT_EQ(device.spool().Chunks()[0].bytes, "abc");
    EXPECT_EQ(device.spool().Chunks()[1].bytes, "defgh");
    EXPECT_EQ(device.spool().Chunks()[0].route, SpoolRoute::kDrvProcs);
}

TEST(WriteSpoolBytes, ReportsWhatWasAcceptedWhenAWriteTakesNothing) {
    Device device(0);
    device.spool().LimitWrite(2, 0);
    device.spool().LimitWrite(1, 2);
    EXPECT_EQ(WriteSpoolBytes(device.devobj(), "abcdef", 6), 2u);
    EXPECT_EQ(device.spool().Bytes(), "ab");
    device.spool().LimitWrite(1, 0);
    EXPECT_EQ(WriteSpoolBytes(device.devobj(), "gh", 2), 0u);
}

TEST(WriteSpoolBytes, RefusesMissingDeviceOrBytes) {
    Device device(0);
    EXPECT_EQ(WriteSpoolBytes(nullptr, "a", 1), 0u);
    EXPECT_EQ(WriteSpoolBytes(device.devobj(), nullptr, 1), 0u);
    DEVOBJ withoutProcs{};
    EXPECT_EQ(WriteSpoolBytes(&withoutProcs, "a", 1), 0u);
    EXPECT_TRUE(device.spool().Chunks().empty());
}

TEST(WritePjlString, WritesTheTextWithoutItsTerminatorThroughTheHelper) {
    Device device(0);
    DriverHelper helper;
    EXPECT_EQ(WritePjlString(device.devobj(), &helper, "@PJL SET X=1\n"), TRUE);
    ASSERT_EQ(device.spool().Chunks().size(), 1u);
    EXPECT_EQ(device.spool().Chunks()[0].bytes, "@PJL SET X=1\n");
    EXPECT_EQ(device.spool().Chunks()[0].route, SpoolRoute::kHelperInterface);

    device.spool().LimitWrite(1, 0);
    EXPECT_EQ(WritePjlString(device.devobj(), &helper, "lost"), FALSE);
    EXPECT_EQ(WritePjlString(device.devobj(), nullptr, "x"), FALSE);
}

TEST(WritePjlString, CompletesShortWritesAndFailsOnlyWhenTextIsLeft) {
    Device device(0);
    DriverHelper helper;
    device.spool().LimitWrite(1, 3);
    EXPECT_EQ(WritePjlString(device.devobj(), &helper, "@PJL A\n"), TRUE);
    EXPECT_EQ(device.spool().Bytes(), "@PJL A\n");
    device.spool().Clear();
    device.spool().LimitWrite(1, 3);
    device.spool().LimitWrite(2, 0);
    EXPECT_EQ(WritePjlString(device.devobj(), &helper, "@PJL B\n"), FALSE);
    EXPECT_EQ(device.spool().Bytes(), "@PJ");
}

TEST(QueryStandardVariable, HelperResultIsAnHresultAndProcsResultABool) {
    Device device(0);
    DriverHelper helper;
    device.SetStandardVariable(SVI_COPIES, 10);
    LONG copies = 0;
    EXPECT_EQ(QueryStandardVariable(device.devobj(), &helper, SVI_COPIES, &copies, sizeof copies),
              TRUE);
    EXPECT_EQ(copies, 10);
    copies = 0;
    // Without a helper interface the query goes through DRVPROCS position 4, whose BOOL TRUE
    // is success.
    EXPECT_EQ(QueryStandardVariable(device.devobj(), nullptr, SVI_COPIES, &copies, sizeof copies),
              TRUE);
    EXPECT_EQ(copies, 10);
    EXPECT_EQ(QueryStandardVariable(device.devobj(), &helper, 99, &copies, sizeof copies), FALSE);
    EXPECT_EQ(QueryStandardVariable(device.devobj(), nullptr, 99, &copies, sizeof copies), FALSE);
}

TEST(ReadDriverSetting, ReturnsTheOptionOrEmptyAndIsAlwaysTerminated) {
    Device device(0);
    DriverHelper helper;
    device.SelectOption("ColorMode", "Mono");
    char option[kDriverSettingBytes];
    ReadDriverSetting(device.devobj(), &helper, "ColorMode", option);
    EXPECT_STREQ(option, "Mono");
    ReadDriverSetting(device.devobj(), &helper, "Missing", option);
    EXPECT_STREQ(option, "");
    ReadDriverSetting(device.devobj(), nullptr, "ColorMode", option);
    EXPECT_STREQ(option, "");

    device.SelectOption("Long", std::string(300, 'K'));
    device.FillSettingsUnterminated();
    ReadDriverSetting(device.devobj(), &helper, "Long", option);
    EXPECT_EQ(std::string(option), std::string(kDriverSettingBytes - 1, 'K'));
}

}  // namespace
}  // namespace xlrender
