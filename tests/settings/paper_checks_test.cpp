// The duplex-paper check against printer data, custom-size ranges and spooler forms.
#include "settings/paper_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "world.h"

namespace xlrender {
namespace {

constexpr SHORT kPaperA4 = 9;
constexpr SHORT kPaperLetter = 1;
constexpr SHORT kPaperCustom = 256;

DEVMODEW PaperOfSize(SHORT paperSize, SHORT widthTenthsMm, SHORT lengthTenthsMm) {
    DEVMODEW devmode{};
    devmode.dmPaperSize = paperSize;
    devmode.dmPaperWidth = widthTenthsMm;
    devmode.dmPaperLength = lengthTenthsMm;
    return devmode;
}

TEST(CheckCustomSizeRange, RoundsThePaperToHundredthsOfAnInch) {
    // 215.9 x 355.6 mm is 8.50 x 14.00 inches: on the bounds, so inside.
    EXPECT_EQ(CheckCustomSizeRange(W("3x5_8.5x14"), PaperOfSize(kPaperCustom, 2159, 3556)),
              kPaperInsideRange);
    // 216 x 356 mm rounds to 8.50 x 14.02 inches: longer than the range allows.
    EXPECT_EQ(CheckCustomSizeRange(W("3x5_8.5x14"), PaperOfSize(kPaperCustom, 2160, 3560)),
              kPaperOutsideRange);
    EXPECT_EQ(CheckCustomSizeRange(W("3x5_8.5x14"), PaperOfSize(kPaperCustom, 700, 1200)),
              kPaperOutsideRange);  // 2.76 inches wide: narrower than the minimum
}

TEST(CheckCustomSizeRange, MalformedRangesAnswerZero) {
    const DEVMODEW paper = PaperOfSize(kPaperCustom, 2159, 2794);
    EXPECT_EQ(CheckCustomSizeRange(W("8.5x14_3x5"), paper), kRangeMalformed);  // min above max
    EXPECT_EQ(CheckCustomSizeRange(W("5x3_8.5x14"), paper), kRangeMalformed);  // width > length
    EXPECT_EQ(CheckCustomSizeRange(W("3x5_8.5"), paper), kRangeMalformed);     // three numbers
    EXPECT_EQ(CheckCustomSizeRange(W("0x5_8.5x14"), paper), kRangeMalformed);
    EXPECT_EQ(CheckCustomSizeRange(W("AxBxCxD"), paper), kRangeMalformed);
    EXPECT_EQ(CheckCustomSizeRange(W(""), paper), kRangeMalformed);
    EXPECT_EQ(CheckCustomSizeRange(nullptr, paper), kRangeMalformed);
}

TEST(CheckCustomSizeRange, APaperOfUnknownSizeIsOutsideEveryRange) {
    const SHORT sizes[][2] = {{0, 2794}, {2159, 0}, {0, 0}, {-2159, 2794}, {2159, -1}};
    for (const auto& size : sizes) {
        EXPECT_EQ(
            CheckCustomSizeRange(W("3x5_8.5x14"), PaperOfSize(kPaperLetter, size[0], size[1])),
            kPaperOutsideRange)
            << size[0] << " x " << size[1];
    }
}

sim::PrinterDataValue IdentifierList(const std::vector<DWORD>& identifiers) {
    sim::PrinterDataValue value{REG_BINARY, std::vector<BYTE>(identifiers.size() * 4)};
    std::memcpy(value.bytes.data(), identifiers.data(), value.bytes.size());
    return value;
}

class CheckDuplexPaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::PrinterDescription printer;
        printer.name = u"Office";
        printer.papers = {1, 9, 256};
        printer.paperNames = {u"Letter", u"A4", u"Custom"};
        sim::TheWorld().spooler.printers.push_back(printer);
        ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(u"Office"), &handle, nullptr));
        devmode.DuplexPaperCheck = 1;
        devmode.Duplex = DMDUP_VERTICAL;
        paper = PaperOfSize(kPaperA4, 2100, 2970);
    }
    void TearDown() override { ClosePrinter(handle); }

    std::map<std::u16string, sim::PrinterDataValue>& Data() {
        return sim::TheWorld().spooler.printers[0].printerData[sim::kPrinterDriverDataKey];
    }
    void SetRanges(DWORD count, const std::u16string& ranges) {
        Data()[u"KZCustomPaperSizeCount"] = sim::DwordValue(count);
        Data()[u"KZCustomPaperSizeDimensions"] = sim::TextValue(ranges);
    }
    bool Check() {
        CheckDuplexPaper(settings, devmode, &paper, handle);
        EXPECT_EQ(devmode.ManualDuplexSelected, settings.ManualDuplexActive);
        return devmode.ManualDuplexSelected == 1;
    }

    HANDLE handle = nullptr;
    PrivateDevmode devmode{};
    JobSettings settings{};
    DEVMODEW paper{};
};

TEST_F(CheckDuplexPaperTest, AListedPaperSelectsManualDuplexEvenInsideTheRanges) {
    Data()[u"KZFormCount"] = sim::DwordValue(2);
    Data()[u"KZFORMINFOREGDATA"] = IdentifierList({5, 9});
    SetRanges(1, u"3x5_8.5x14");
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, OnlyDuplexJobsWithTheCheckOnAreLookedAt) {
    Data()[u"KZFormCount"] = sim::DwordValue(1);
    Data()[u"KZFORMINFOREGDATA"] = IdentifierList({9});
    devmode.Duplex = DMDUP_SIMPLEX;
    EXPECT_FALSE(Check());
    devmode.Duplex = DMDUP_HORIZONTAL;
    devmode.ResizeToPaper = 1;
    EXPECT_FALSE(Check());
    devmode.ResizeToPaper = 0;
    devmode.DuplexPaperCheck = 0;
    EXPECT_FALSE(Check());
    devmode.DuplexPaperCheck = 1;
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, ACountBeyondTheListNeverReadsPastIt) {
    // The count claims far more identifiers than the value holds, and one whose byte size
    // overflows 32 bits: neither walks beyond the identifiers returned.
    Data()[u"KZFORMINFOREGDATA"] = IdentifierList({5, 7});
    Data()[u"KZFormCount"] = sim::DwordValue(1000);
    EXPECT_FALSE(Check());
    Data()[u"KZFormCount"] = sim::DwordValue(0x40000001);
    EXPECT_FALSE(Check());
    Data()[u"KZFORMINFOREGDATA"] = IdentifierList({5, 9});
    Data()[u"KZFormCount"] = sim::DwordValue(1000);
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, AHugeCountSizesNoHugeBlock) {
    // No list of distinct 16-bit paper identifiers is longer than 65536 entries.
    constexpr std::size_t kLongestListBytes = 0x10000 * sizeof(DWORD);
    Data()[u"KZFORMINFOREGDATA"] = IdentifierList({5, 9});
    for (DWORD count : {0x3FFFFFFFu, 0xFFFFFFFFu}) {
        Data()[u"KZFormCount"] = sim::DwordValue(count);
        sim::TheWorld().heap.largestRequest = 0;
        devmode.ManualDuplexSelected = 0;
        settings.ManualDuplexActive = 0;
        EXPECT_TRUE(Check()) << count;
        EXPECT_LE(sim::TheWorld().heap.largestRequest, kLongestListBytes) << count;
    }
}

TEST_F(CheckDuplexPaperTest, TheSecondOfTwoRangesCanExcludeThePaper) {
    paper = PaperOfSize(kPaperCustom, 2160, 3560);  // 8.50 x 14.02 inches
    SetRanges(2, u"3x5_8.5x14.5^3x5_8.5x14");
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, MalformedMissingAndUncountedRangesAreSkipped) {
    paper = PaperOfSize(kPaperCustom, 2160, 3560);
    SetRanges(3, u"8.5x14_3x5^^3x5_8.5x14.5");  // malformed, empty, inside; third missing
    EXPECT_FALSE(Check());
    SetRanges(1, u"3x5_8.5x14.5^3x5_8.5x14");  // the excluding range is beyond the count
    EXPECT_FALSE(Check());
}

TEST_F(CheckDuplexPaperTest, RangeTextWithoutTerminatorIsCutAtItsEnd) {
    paper = PaperOfSize(kPaperCustom, 2160, 3560);
    const std::u16string text = u"3x5_8.5x14";
    sim::PrinterDataValue value{REG_SZ, std::vector<BYTE>(text.size() * 2)};
    std::memcpy(value.bytes.data(), text.data(), value.bytes.size());
    Data()[u"KZCustomPaperSizeCount"] = sim::DwordValue(1);
    Data()[u"KZCustomPaperSizeDimensions"] = value;
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, UserDefinedFormsSelectManualDuplexBuiltInOnesDoNot) {
    auto& forms = sim::TheWorld().spooler.forms;
    forms = {{u"Letter", FORM_BUILTIN}, {u"A4", FORM_BUILTIN}, {u"A4", FORM_USER}};
    EXPECT_FALSE(Check());  // the first form named "A4" decides
    forms = {{u"a4", FORM_USER}, {u"A4", FORM_PRINTER}};
    EXPECT_FALSE(Check());  // names are compared exactly
    forms = {{u"Letter", FORM_BUILTIN}, {u"A4", FORM_USER}};
    EXPECT_TRUE(Check());
}

TEST_F(CheckDuplexPaperTest, APaperThePrinterDoesNotListEndsTheFormStep) {
    // Not looking the name up at position 0 ("Letter") keeps the user-defined Letter form from
    // forcing manual duplex on a paper the printer never listed.
    sim::TheWorld().spooler.forms = {{u"Letter", FORM_USER}};
    paper = PaperOfSize(70, 1050, 1480);
    EXPECT_FALSE(Check());
    paper.dmPaperSize = kPaperLetter;
    sim::TheWorld().spooler.printers[0].paperNames.pop_back();  // counts differ
    EXPECT_FALSE(Check());
}

TEST_F(CheckDuplexPaperTest, NamesAreComparedWithinTheirSixtyFourUnits) {
    const std::u16string longName(64, u'N');
    sim::TheWorld().spooler.printers[0].paperNames[1] = longName;  // fills its slot unterminated
    sim::TheWorld().spooler.forms = {{longName + u"X", FORM_USER}};
    EXPECT_FALSE(Check());
    sim::TheWorld().spooler.forms = {{longName, FORM_USER}};
    EXPECT_TRUE(Check());
}

}  // namespace
}  // namespace xlrender
