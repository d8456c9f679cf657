// DrvEscape: the standard escapes with and without PCL XL pass-through, and the private blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/ddi_hooks.h"
#include "frame/escape_blocks.h"
#include "hook_fixture.h"
#include "pjl/job_storage_dialog.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr ULONG kUnidrvAnswer = 77;
constexpr ULONG kJobStorageDialogRecordBytes = sizeof(JobStorageDialogData);
constexpr BYTE kUntouched = 0xEE;

class EscapeHook : public testing::HookTest {
protected:
    void SetUp() override {
        HookTest::SetUp();
        sim::TheWorld().ddiResults["DrvEscape"] = kUnidrvAnswer;
    }
    ULONG AskSupport(DWORD escape, ULONG bytes = sizeof(DWORD)) {
        return DrvEscape(pso, QUERYESCSUPPORT, bytes, &escape, 0, nullptr);
    }
    ULONG PassThrough(std::vector<BYTE> data) {
        return DrvEscape(pso, PASSTHROUGH, static_cast<ULONG>(data.size()), data.data(), 0,
                         nullptr);
    }
};

TEST_F(EscapeHook, WithPassThroughAllowed) {
    device.SelectOption("KZPCL6PassThrough", "Enabled");
    EnableDevice();
    EXPECT_EQ(AskSupport(PASSTHROUGH), 1u);
    EXPECT_EQ(AskSupport(kEscapeTechnology), 1u);
    EXPECT_EQ(AskSupport(kEscapeSettingsSnapshot), kUnidrvAnswer);
    EXPECT_EQ(DrvEscape(pso, QUERYESCSUPPORT, 0, nullptr, 0, nullptr), 1u);
    // Fewer than four bytes cannot hold the escape number.
    EXPECT_EQ(AskSupport(PASSTHROUGH, 3), 0u);
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 1u);

    EXPECT_EQ(PassThrough({3, 0, 'a', 'b', 'c'}), 1u);
    EXPECT_EQ(Spooled(), std::string("\xBF\xFA\x03\x00\x00\x00"
                                     "abc",
                                     9));
}

TEST_F(EscapeHook, ShortPassThroughDataWritesNothing) {
    device.SelectOption("KZPCL6PassThrough", "Enabled");
    EnableDevice();
    for (ULONG length : {0u, 1u, 2u}) {
        BYTE data[2] = {0, 0};
        EXPECT_EQ(DrvEscape(pso, PASSTHROUGH, length, data, 0, nullptr), 1u);
    }
    EXPECT_EQ(DrvEscape(pso, PASSTHROUGH, 10, nullptr, 0, nullptr), 1u);
    EXPECT_TRUE(Spooled().empty());
}

TEST_F(EscapeHook, PassThroughAnswersZeroWhenAnyWriteFailed) {
    device.SelectOption("KZPCL6PassThrough", "Enabled");
    EnableDevice();
    // The operator goes out in a write of its own. When that write fails, nothing is sent: a
    // bare operator would take the next bytes of the job as its data.
    device.spool().LimitWrite(1);
    EXPECT_EQ(PassThrough({3, 0, 'a', 'b', 'c'}), 0u);
    EXPECT_TRUE(Spooled().empty());
    // When the data's write fails, the stream still hands the data over once as it closes.
    device.spool().LimitWrite(2);
    EXPECT_EQ(PassThrough({3, 0, 'a', 'b', 'c'}), 0u);
    EXPECT_EQ(Spooled(), std::string("\xBF\xFA\x03\x00\x00\x00"
                                     "abc",
                                     9));
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(PassThrough({3, 0, 'a', 'b', 'c'}), 0u);
}

TEST_F(EscapeHook, WithoutPassThrough) {
    EnableDevice();
    EXPECT_EQ(AskSupport(PASSTHROUGH), 0u);
    EXPECT_EQ(AskSupport(kEscapeTechnology), kUnidrvAnswer);
    EXPECT_EQ(DrvEscape(pso, QUERYESCSUPPORT, 4, nullptr, 0, nullptr), 1u);
    EXPECT_EQ(PassThrough({3, 0, 'a', 'b', 'c'}), 1u);
    EXPECT_TRUE(Spooled().empty());
    EXPECT_EQ(DrvEscape(pso, 4000, 1, nullptr, 2, nullptr), kUnidrvAnswer);
}

TEST_F(EscapeHook, TechnologyNeedsRoomForItsTerminator) {
    EnableDevice();
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(DrvEscape(pso, kEscapeTechnology, 0, nullptr, 6, out), 0u);
    EXPECT_EQ(out[0], 'x');
    EXPECT_EQ(DrvEscape(pso, kEscapeTechnology, 0, nullptr, 7, nullptr), 0u);
    EXPECT_EQ(DrvEscape(pso, kEscapeTechnology, 0, nullptr, 7, out), 1u);
    EXPECT_STREQ(out, "PCL XL");
}

TEST_F(EscapeHook, PrintableAreaOnlyIntoAWholeBlock) {
    EnableDevice();
    JobSettings& settings = Pdev().JobSettings;
    settings.PrintableWidth = 4800;
    settings.PrintableHeight = 6400;
    settings.MarginX = 100;
    settings.MarginY = 120;
    DWORD area[5] = {0, 0, 0, 0, 0xEEEEEEEE};
    EXPECT_EQ(DrvEscape(pso, kEscapePrintableArea, 0, nullptr, 15, area), 0u);
    EXPECT_EQ(area[0], 0u);
    EXPECT_EQ(DrvEscape(pso, kEscapePrintableArea, 0, nullptr, 16, nullptr), 0u);
    EXPECT_EQ(DrvEscape(pso, kEscapePrintableArea, 0, nullptr, 16, area), 1u);
    EXPECT_EQ(area[0], 4800u);
    EXPECT_EQ(area[1], 6400u);
    EXPECT_EQ(area[2], 100u);
    EXPECT_EQ(area[3], 120u);
    EXPECT_EQ(area[4], 0xEEEEEEEEu);
}

TEST_F(EscapeHook, PageLayoutNeedsTheWholeBlockAndTakesThePagesOfTheSheet) {
    EnableDevice();
    Devmode().NupOption = 2;  // two pages per sheet
    std::vector<DWORD> words(kPageLayoutBlockBytes / 4, 0);
    words[5] = 9;  // last page number
    for (DWORD slot = 0; slot < 3; ++slot) {
        words[10 + 6 * slot] = slot + 1;
        words[15 + 6 * slot] = DMORIENT_PORTRAIT;
    }
    EXPECT_EQ(
        DrvEscape(pso, kEscapePageLayout, kPageLayoutBlockBytes - 1, words.data(), 0, nullptr), 1u);
    EXPECT_EQ(Pdev().PageWatermarkState.LastPageNumber, 0u);
    EXPECT_EQ(DrvEscape(pso, kEscapePageLayout, kPageLayoutBlockBytes, nullptr, 0, nullptr), 1u);
    EXPECT_EQ(DrvEscape(pso, kEscapePageLayout, kPageLayoutBlockBytes, words.data(), 0, nullptr),
              1u);
    const PageWatermarkState& state = Pdev().PageWatermarkState;
    EXPECT_EQ(state.LastPageNumber, 9u);
    EXPECT_EQ(state.Slots[0].PageNumber, 1u);
    EXPECT_EQ(state.Slots[1].PageNumber, 2u);
    EXPECT_EQ(state.Slots[1].PageOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(state.Slots[2].PageNumber, 0u);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
}

// A duplex job on A4 that the printer data lists for manual duplex.
class PaperCheckingEscape : public EscapeHook {
protected:
    void SetUp() override {
        EscapeHook::SetUp();
        auto& data = Printer().printerData[sim::kPrinterDriverDataKey];
        data[u"KZFormCount"] = sim::DwordValue(1);
        sim::PrinterDataValue a4{REG_BINARY, {9, 0, 0, 0}};
        data[u"KZFORMINFOREGDATA"] = a4;
        EnableDevice();
        Devmode().DuplexPaperCheck = 1;
        Devmode().Duplex = DMDUP_VERTICAL;
        device.publicDevmode().dmPaperSize = 9;
    }
};

TEST_F(PaperCheckingEscape, SettingsSnapshotRunsThePaperCheckFirst) {
    PrivateDevmode& devmode = Devmode();
    devmode.PdlType = 2;
    devmode.SimplexSingleLayout = 1;
    devmode.ScalePercent = 150;
    devmode.WatermarkEnabled = 1;
    CopyText(devmode.WatermarkText, 256, W("DRAFT"));
    std::fill(std::begin(devmode.WatermarkFace), std::end(devmode.WatermarkFace), W('F'));
    devmode.WatermarkAngle = 45;
    devmode.CarriedBC4 = 1;
    devmode.SourceMedia0 = {7, 1};
    devmode.SourceMedia4To7[0] = {7, 2};
    devmode.Carried150C[1] = 0x1510;
    devmode.CarriedE00 = 0xE00;
    Pdev().JobSettings.CustomRangeSecond = -4;
    Pdev().JobSettings.MapManualFeedToTray1 = 1;
    Pdev().JobSettings.AlternateLetterheadEnabled = 1;

    std::vector<BYTE> out(kSettingsSnapshotBytes + 4, kUntouched);
    EXPECT_EQ(
        DrvEscape(pso, kEscapeSettingsSnapshot, 0, nullptr, kSettingsSnapshotBytes - 1, out.data()),
        0u);
    EXPECT_EQ(devmode.ManualDuplexSelected, 0u);
    EXPECT_EQ(out[0], kUntouched);
    EXPECT_EQ(DrvEscape(pso, kEscapeSettingsSnapshot, 0, nullptr, kSettingsSnapshotBytes, nullptr),
              0u);

    // An odd address: the block need not be aligned.
    BYTE* block = out.data() + 1;
    EXPECT_EQ(DrvEscape(pso, kEscapeSettingsSnapshot, 0, nullptr, kSettingsSnapshotBytes, block),
              1u);
    SettingsSnapshot snapshot;
    std::memcpy(&snapshot, block, sizeof snapshot);
    EXPECT_EQ(snapshot.PdlType, 2u);
    EXPECT_EQ(snapshot.Devmode710[3], 1u);
    EXPECT_EQ(snapshot.DevmodeResize[3], 150u);
    EXPECT_EQ(snapshot.CustomRange[1], -4);
    EXPECT_EQ(std::u16string(snapshot.WatermarkText), u"DRAFT");
    EXPECT_EQ(snapshot.WatermarkFace[254], W('F'));
    EXPECT_EQ(snapshot.WatermarkFace[255], 0);  // terminated within its field
    EXPECT_EQ(snapshot.WatermarkLayout[0], 45u);
    EXPECT_EQ(snapshot.ManualDuplexSelected, 1u);  // the paper check ran first
    EXPECT_EQ(snapshot.MapManualFeedToTray1, 1u);
    EXPECT_EQ(snapshot.Devmode1510, 0x1510u);
    EXPECT_EQ(snapshot.SourceMediaChanged, 1u);
    EXPECT_EQ(snapshot.DevmodeDFC[1], 0xE00u);
    EXPECT_EQ(snapshot.AlternateLetterheadEnabled, 1u);
    EXPECT_EQ(snapshot.Duplex, DMDUP_VERTICAL);
    for (std::size_t offset : {0x034u, 0x6B4u, 0x6C0u, 0x6CBu, 0x738u, 0x762u, 0x763u}) {
        EXPECT_EQ(block[offset], kUntouched) << offset;
    }
    EXPECT_EQ(out[kSettingsSnapshotBytes + 1], kUntouched);

    devmode.SourceMedia4To7[0] = {7, 1};
    EXPECT_EQ(DrvEscape(pso, kEscapeSettingsSnapshot, 0, nullptr, kSettingsSnapshotBytes, block),
              1u);
    std::memcpy(&snapshot, block, sizeof snapshot);
    EXPECT_EQ(snapshot.SourceMediaChanged, 0u);
}

TEST_F(PaperCheckingEscape, JobStorageDialogAnswerRules) {
    std::vector<BYTE> out(kJobStorageDialogRecordBytes, kUntouched);
    EXPECT_EQ(DrvEscape(pso, kEscapeJobStorageDialog, 0, nullptr, 0, out.data()), 1u);
    EXPECT_EQ(DrvEscape(pso, kEscapeJobStorageDialog, 0, nullptr, kJobStorageDialogRecordBytes, nullptr),
              1u);
    EXPECT_EQ(
        DrvEscape(pso, kEscapeJobStorageDialog, 0, nullptr, kJobStorageDialogRecordBytes - 1, out.data()),
        0u);
    EXPECT_EQ(Devmode().ManualDuplexSelected, 0u);
    EXPECT_EQ(out[0], kUntouched);
    EXPECT_EQ(
        DrvEscape(pso, kEscapeJobStorageDialog, 0, nullptr, kJobStorageDialogRecordBytes, out.data()),
        1u);
    std::uint32_t showDialog = 0xFFFFFFFF;
    std::memcpy(&showDialog, out.data() + offsetof(JobStorageDialogData, ShowDialog),
                sizeof showDialog);
    EXPECT_EQ(showDialog, 0u) << "the record says whether to show the dialog";
    EXPECT_EQ(Devmode().ManualDuplexSelected, 1u);
    EXPECT_EQ(Pdev().JobSettings.ManualDuplexActive, 1u);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
}

TEST_F(EscapeHook, EventDialogIsTheJobStorageCodesAndNeverUnidrvs) {
    EnableDevice();
    EXPECT_EQ(DrvEscape(pso, kEscapeEventDialog, 0, nullptr, 0, nullptr), 1u);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
}

}  // namespace
}  // namespace xlrender
