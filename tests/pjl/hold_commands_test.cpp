#include "pjl/hold_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "job_storage_fixture.h"

namespace xlrender {
namespace {

constexpr char kNameLines[] = "@PJL SET USERNAME=\"ada\"\n@PJL SET JOBNAME=\"report\"\n";

class HoldCommandsTest : public JobStorageTest {
protected:
    void SetUp() override {
        JobStorageTest::SetUp();
        devmode().JobRetentionInstalled = 1;
    }

    std::string Build() {
        PjlLines lines;
        BuildHoldCommands(devmode(), userName, jobName, lines);
        return lines.text();
    }

    BOOL Write() { return WriteHoldCommands(device.devobj(), &helper, userName, jobName, sent); }

    WCHAR userName[kStoredJobNameUnits] = u"ada";
    WCHAR jobName[kStoredJobNameUnits] = u"report";
    DWORD sent = 0;
};

TEST_F(HoldCommandsTest, EachModeWritesItsBlock) {
    const struct {
        DWORD mode;
        DWORD printerCode;
        DWORD pinRequired;
        std::string expected;
    } cases[] = {
        {kJobStorageOff, 0, 0, "@PJL SET HOLD=OFF\n"},
        {kJobStorageProofAndHold, 0, 0, std::string("@PJL SET HOLD=PROOF\n") + kNameLines},
        {kJobStorageProofAndHold, 4, 0, std::string("@PJL SET HOLDJOB=ON\n") + kNameLines},
        {kJobStoragePrivate, 0, 0,
         std::string("@PJL SET HOLD=ON\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET HOLDKEY=\"0007\"\n") +
             kNameLines},
        {kJobStorageQuickCopy, 0, 0,
         std::string("@PJL SET HOLD=ON\n@PJL SET HOLDTYPE=PUBLIC\n") + kNameLines},
        {kJobStorageStored, 0, 0, std::string("@PJL SET HOLD=STORE\n") + kNameLines},
        {kJobStorageStored, 0, 1,
         std::string(
             "@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET HOLDKEY=\"0007\"\n") +
             kNameLines},
        {5, 0, 1, ""},
    };
    devmode().StorePin = 7;
    for (const auto& test : cases) {
        devmode().JobStorageMode = test.mode;
        devmode().PrinterCode = test.printerCode;
        devmode().StorePinRequired = test.pinRequired;
        EXPECT_EQ(Build(), test.expected) << "mode " << test.mode;
    }
}

TEST_F(HoldCommandsTest, PinPrintsUnsignedAndIsCutToNineBytes) {
    devmode().JobStorageMode = kJobStoragePrivate;
    devmode().StorePin = 123456;
    EXPECT_NE(Build().find("@PJL SET HOLDKEY=\"123456\"\n"), std::string::npos);
    // Read as a signed number this PIN would print as "-1294967296".
    devmode().StorePin = 3000000000u;
    EXPECT_NE(Build().find("@PJL SET HOLDKEY=\"300000000\"\n"), std::string::npos);
}

TEST_F(HoldCommandsTest, DuplicateJobRule) {
    devmode().DuplicateJobCheck = 1;
    devmode().DuplicateJobCommand = 1;
    devmode().JobStorageMode = kJobStorageOff;
    EXPECT_EQ(Build(), "@PJL SET HOLD=OFF\n");

    devmode().JobStorageMode = kJobStorageProofAndHold;
    EXPECT_EQ(Build(),
              std::string("@PJL SET DUPLICATEJOB = REPLACE\n@PJL SET HOLD=PROOF\n") + kNameLines);
    devmode().DuplicateJobAppend = 1;
    EXPECT_EQ(Build().substr(0, 31), "@PJL SET DUPLICATEJOB = APPEND\n");

    // The stored job of the same name is kept: nothing at all, whatever the mode.
    devmode().DuplicateJobCommand = 0;
    EXPECT_EQ(Build(), "");
    devmode().JobStorageMode = kJobStorageOff;
    EXPECT_EQ(Build(), "");
}

TEST_F(HoldCommandsTest, WrittenOncePerDeviceContextAndOnlyWithRetentionInstalled) {
    devmode().JobStorageMode = kJobStorageQuickCopy;
    devmode().JobRetentionInstalled = 0;
    EXPECT_TRUE(Write());
    EXPECT_EQ(sent, 0u);
    EXPECT_TRUE(spooled().empty());

    devmode().JobRetentionInstalled = 1;
    EXPECT_TRUE(Write());
    EXPECT_EQ(sent, 1u);
    EXPECT_EQ(spooled(), std::string("@PJL SET HOLD=ON\n@PJL SET HOLDTYPE=PUBLIC\n") + kNameLines);
    EXPECT_TRUE(Write());
    EXPECT_EQ(device.spool().Chunks().size(), 1u);

    // The block kept back by the duplicate-job rule still counts as done.
    sent = 0;
    device.spool().Clear();
    devmode().DuplicateJobCheck = 1;
    EXPECT_TRUE(Write());
    EXPECT_EQ(sent, 1u);
    EXPECT_TRUE(spooled().empty());
}

TEST_F(HoldCommandsTest, MissingDevmodeAndFailedWrite) {
    devmode().JobStorageMode = kJobStorageOff;
    device.spool().LimitWrite(1, 0);
    EXPECT_FALSE(Write());
    sim::unidrv::Device bare(0);
    EXPECT_FALSE(WriteHoldCommands(bare.devobj(), &helper, userName, jobName, sent));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

TEST_F(HoldCommandsTest, QuotesAndLineEndsInNamesBecomeTildes) {
    devmode().JobStorageMode = kJobStorageProofAndHold;
    SetText(userName, u"a\"\r\n@PJL X=\"");
    // The typed job name is taken as the user typed it: the quoting alone must hold it.
    devmode().UseJobNameOverride = 1;
    SetText(devmode().JobNameOverride, u"x\"\n@PJL SET HOLD=OFF\n\"");
    const std::string text = Build();
    EXPECT_NE(text.find("@PJL SET USERNAME=\"a~~~@PJL X=~\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("@PJL SET JOBNAME=\"x~~@PJL SET HOLD=OFF~~\"\n"), std::string::npos);
}

TEST_F(HoldCommandsTest, LongNamesAreCutToFiftyBytesOnCharacterBoundaries) {
    devmode().JobStorageMode = kJobStorageProofAndHold;
    devmode().UseJobNameOverride = 1;
    // 17 euro signs take 51 bytes: a 50-byte cut would split the 17th.
    SetText(devmode().JobNameOverride, std::u16string(17, u'\u20AC'));
    std::string euros;
    for (int i = 0; i < 16; ++i) {
        euros += "\xE2\x82\xAC";
    }
    EXPECT_NE(Build().find("@PJL SET JOBNAME=\"" + euros + "\"\n"), std::string::npos);

    // An unpaired surrogate cannot be converted as it is; the name is never lost silently.
    SetText(devmode().JobNameOverride, u"ab\xD800");
    EXPECT_NE(Build().find("@PJL SET JOBNAME=\"ab\xEF\xBF\xBD\"\n"), std::string::npos);
}

}  // namespace
}  // namespace xlrender
