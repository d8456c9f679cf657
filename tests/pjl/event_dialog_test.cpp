#include "pjl/event_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "job_storage_fixture.h"

namespace xlrender {
namespace {

constexpr char16_t kEventModulePath[] = u"C:\\Drivers\\x64\\3\\ZQXEV041.DLL";

class EventDialogTest : public JobStorageTest {
protected:
    void SetUp() override {
        JobStorageTest::SetUp();
        settings.ManualDuplexModal = 1;
        settings.ManualDuplexPageOrder = 1;
        devmode().ManualDuplexSelected = 1;
        // Group g, word w holds 100 g + w + 1: every value is nonzero and tells where it
        // came from.
        for (int group = 0; group < kManualDuplexRecordCount; ++group) {
            for (int word = 0; word < kManualDuplexRecordWords; ++word) {
                devmode().ManualDuplexGeometry[group][word] = 100 * group + word + 1;
            }
        }
        printer().dependentFiles = {u"ZQXEN041.DLL"};
        modules().AddEntry(kEventModulePath, "VDisplayDialog", &sim::CaptureDisplayDialog);
    }

    ULONG Show(DWORD orientation = 1, DWORD showSwitch = 1) {
        BYTE input[kEventDialogInputBytes] = {};
        std::memcpy(input + 20, &orientation, sizeof orientation);
        std::memcpy(input + 28, &showSwitch, sizeof showSwitch);
        return ShowEventDialog(device.devobj(), settings, pending, input, sizeof input);
    }

    static sim::CompanionModules& modules() { return sim::TheWorld().companionModules; }

    JobSettings settings{};
    DWORD pending = 1;
};

TEST_F(EventDialogTest, CallsTheEventModuleWithTheWholeRecordByValue) {
    EXPECT_EQ(Show(), 1u);
    EXPECT_EQ(pending, 0u);
    ASSERT_EQ(modules().displayedDialogs.size(), 1u);
    const VDisplayDialogRecord& record = modules().displayedDialogs[0];
    EXPECT_EQ(Str(record.JobStorageModulePath), u"C:\\Drivers\\x64\\3\\ZQXST041.DLL");
    EXPECT_EQ(Str(record.LanguageFile), u"ZQXEN041.DLL");
    // Pair 0 of each group.
    const DWORD values[] = {1, 2, 101, 102, 201, 202};
    EXPECT_EQ(std::vector<DWORD>(std::begin(record.ManualDuplexValues),
                                 std::end(record.ManualDuplexValues)),
              std::vector<DWORD>(std::begin(values), std::end(values)));
    EXPECT_EQ(record.ManualDuplexEnabled, 1u);
    EXPECT_EQ(record.ManualDuplexModal, 1u);
    EXPECT_EQ(record.ManualDuplexPageOrder, 1u);
    EXPECT_TRUE(modules().loaded.empty());  // freed again
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST_F(EventDialogTest, NoDialogWhenAnyOfTheSixValuesIsZeroOrManualDuplexIsOff) {
    devmode().ManualDuplexGeometry[2][1] = 0;
    EXPECT_EQ(Show(), 1u);
    EXPECT_TRUE(modules().displayedDialogs.empty());
    EXPECT_TRUE(modules().loaded.empty());

    devmode().ManualDuplexGeometry[2][1] = 7;
    devmode().ManualDuplexSelected = 0;
    EXPECT_EQ(Show(), 1u);
    EXPECT_TRUE(modules().displayedDialogs.empty());
    settings.ManualDuplexActive = 1;  // switched on by the duplex-paper check instead
    EXPECT_EQ(Show(), 1u);
    EXPECT_EQ(modules().displayedDialogs.size(), 1u);
}

TEST_F(EventDialogTest, InputDecidesOrientationAndWhetherToGoOn) {
    EXPECT_EQ(Show(2, 0), 1u);
    EXPECT_EQ(settings.Orientation, 2);
    EXPECT_EQ(pending, 1u);  // not shown: still pending
    EXPECT_TRUE(modules().loadRequests.empty());

    settings.ManualDuplexModal = 0;
    EXPECT_EQ(Show(1, 1), 1u);
    EXPECT_EQ(pending, 0u);
    EXPECT_TRUE(modules().loadRequests.empty());

    // Any size but 40 bytes, or no input, is ignored.
    settings.ManualDuplexModal = 1;
    BYTE longer[kEventDialogInputBytes + 4] = {};
    longer[20] = 2;
    longer[28] = 1;
    EXPECT_EQ(ShowEventDialog(device.devobj(), settings, pending, longer, sizeof longer), 1u);
    EXPECT_EQ(ShowEventDialog(device.devobj(), settings, pending, nullptr, 40), 1u);
    EXPECT_EQ(settings.Orientation, 1);
    EXPECT_TRUE(modules().loadRequests.empty());

    sim::unidrv::Device bare(0);
    EXPECT_EQ(ShowEventDialog(bare.devobj(), settings, pending, longer, 40), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

TEST_F(EventDialogTest, EventModuleIsLoadedOnlyFromTheDriverDirectory) {
    // A module of the same name planted along the search path is never looked for.
    modules().files.clear();
    modules().AddEntry(u"C:\\Users\\Public\\ZQXEV041.DLL", "VDisplayDialog",
                       &sim::CaptureDisplayDialog);
    EXPECT_EQ(Show(), 1u);
    EXPECT_EQ(modules().loadRequests, std::vector<std::u16string>{kEventModulePath});
    EXPECT_TRUE(modules().displayedDialogs.empty());

    // Without a driver path there is no directory, and nothing is loaded at all.
    modules().loadRequests.clear();
    printer().driverPath = u"UNIDRV.DLL";
    EXPECT_EQ(Show(), 1u);
    EXPECT_TRUE(modules().loadRequests.empty());

    // A directory that leaves no room for the module name within 256 units: nothing either.
    printer().driverPath = u"C:\\" + std::u16string(240, u'd') + u"\\UNIDRV.DLL";
    EXPECT_EQ(Show(), 1u);
    EXPECT_TRUE(modules().loadRequests.empty());
    EXPECT_TRUE(modules().displayedDialogs.empty());
}

TEST_F(EventDialogTest, MissingEntryPointMeansNoDialog) {
    modules().files.clear();
    modules().AddFile(kEventModulePath);
    EXPECT_EQ(Show(), 1u);
    EXPECT_EQ(modules().loadRequests.size(), 1u);
    EXPECT_TRUE(modules().loaded.empty());
}

TEST_F(EventDialogTest, PairIndexFollowsTheLayoutWordsAndTheFlipTest) {
    settings.Orientation = 1;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 0u);
    devmode().Carried724 = 1;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 2u);
    devmode().Carried724 = 2;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 0u);
    devmode().Carried73C = 5;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 2u);

    // Portrait, one page per sheet, no flip setting: the flip test answers true, which counts
    // only when the user may rotate.
    settings.ManualDuplexUserRotate = 1;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 3u);
    devmode().Carried73C = 0;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 1u);
    // 2-up (N-up code 2) flips in portrait only with the flip setting, and never with the
    // one-page-per-simplex-sheet word set.
    devmode().NupOption = 2;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 0u);
    devmode().ManualDuplexFlipSetting = 1;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 1u);
    devmode().SimplexSingleLayout = 1;
    EXPECT_EQ(ManualDuplexPairIndex(devmode(), settings), 0u);

    // The pair picked reaches the dialog: pair 3 is words 6 and 7 of each group.
    devmode().SimplexSingleLayout = 0;
    devmode().Carried73C = 1;
    EXPECT_EQ(Show(1, 1), 1u);
    ASSERT_EQ(modules().displayedDialogs.size(), 1u);
    EXPECT_EQ(modules().displayedDialogs[0].ManualDuplexValues[0], 7u);
    EXPECT_EQ(modules().displayedDialogs[0].ManualDuplexValues[5], 208u);
}

}  // namespace
}  // namespace xlrender
