#include "settings/feature_option.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/devmode_identity.h"
#include "unidrv/device.h"

namespace xlrender {
namespace {

class FeatureOptionTest : public ::testing::Test {
protected:
    sim::unidrv::Device device{kPrivateDevmodeSize};
    sim::unidrv::DriverHelper helper;
    FeatureSource source{device.devobj(), &helper};
};

TEST_F(FeatureOptionTest, ReadsTheSelectedKeywordAndReportsAbsence) {
    device.SelectOption("KZPJLEncoding", "8bitEncoding");
    WCHAR option[kOptionUnits];
    EXPECT_EQ(GetFeatureOption(source, W("KZPJLEncoding"), option), kFeatureHasOption);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(option)), u"8bitEncoding");

    EXPECT_EQ(GetFeatureOption(source, W("NoSuchFeature"), option), kFeatureAbsent);
    EXPECT_EQ(option[0], 0);
    const FeatureSource withoutHelper{device.devobj(), nullptr};
    EXPECT_EQ(GetFeatureOption(withoutHelper, W("KZPJLEncoding"), option), kFeatureAbsent);
}

TEST_F(FeatureOptionTest, AnUnterminatedHostAnswerIsCutInsideTheBuffer) {
    device.SelectOption("KZColorMode", std::string(300, 'M'));
    device.FillSettingsUnterminated();
    WCHAR option[kOptionUnits];
    ASSERT_EQ(GetFeatureOption(source, W("KZColorMode"), option), kFeatureHasOption);
    EXPECT_EQ(std::char_traits<WCHAR>::length(option), kOptionUnits - 1);
}

TEST_F(FeatureOptionTest, MatchIsExactAndTheIndexIsStoredOnlyAsTheRulesSay) {
    DWORD index = 77;
    device.SelectOption("KZPJLEncoding", "UTF8Subset");
    EXPECT_TRUE(MatchFeatureOption(source, W("KZPJLEncoding"), kEncodingTable, index));
    EXPECT_EQ(index, 4u);

    // Case differs: no match, and the index becomes 0.
    device.SelectOption("KZPJLEncoding", "utf8");
    index = 77;
    EXPECT_FALSE(MatchFeatureOption(source, W("KZPJLEncoding"), kEncodingTable, index));
    EXPECT_EQ(index, 0u);

    // A feature that cannot be read leaves the index as it was.
    index = 77;
    EXPECT_FALSE(MatchFeatureOption(source, W("KZColorMode"), kColorModeTable, index));
    EXPECT_EQ(index, 77u);

    // Position 0 is a real answer: found, value 0.
    device.SelectOption("KZPosterPrintingOption", "POSTER_2");
    index = 77;
    EXPECT_TRUE(MatchFeatureOption(source, W("KZPosterPrintingOption"), kPosterTable, index));
    EXPECT_EQ(index, 0u);
}

TEST_F(FeatureOptionTest, MatchNeedsAPrivateDevmodeAndABoundedFeatureName) {
    device.SelectOption("KZColorMode", "COLOR_MODE");
    DWORD index = 9;
    sim::unidrv::Device bare(0);
    const FeatureSource noDevmode{bare.devobj(), &helper};
    EXPECT_FALSE(MatchFeatureOption(noDevmode, W("KZColorMode"), kColorModeTable, index));
    std::u16string longName(kOptionUnits, u'F');
    EXPECT_FALSE(MatchFeatureOption(source, reinterpret_cast<const WCHAR*>(longName.c_str()),
                                    kColorModeTable, index));
    EXPECT_EQ(index, 9u);
}

TEST_F(FeatureOptionTest, TablesHoldTheirKeywordsInOrder) {
    struct Expected {
        const KeywordTable& table;
        DWORD count;
        DWORD position;
        std::u16string keyword;
    };
    const Expected expectations[] = {
        {kPrinterCodeTable, 7, 4, u"KZR6100"},
        {kColorModeTable, 3, 1, u"MONOCHROME_MODE"},
        {kPosterTable, 4, 3, u"POSTER_5"},
        {kPdlTable, 5, 3, u"PDL_PS"},
        {kMaxResolutionTable, 5, 4, u"PDM_1200DPI"},
        {kJobAccountingTable, 4, 3, u"KZJOBACCT_JOBACNT_TIMESTAMP"},
        {kEncodingTable, 5, 2, u"7bitEncoding"},
    };
    for (const Expected& expected : expectations) {
        ASSERT_EQ(expected.table.count, expected.count);
        EXPECT_EQ(std::u16string(expected.table.keywords[expected.position]), expected.keyword);
    }
}

TEST_F(FeatureOptionTest, ReadingComparesFixedWordsIgnoringCase) {
    device.SelectOption("JobRetention", "installed");
    EXPECT_TRUE(FeatureReading(source, W("JobRetention")).IsInstalled());
    device.SelectOption("TextAsBlack", "True");
    EXPECT_EQ(FlagFromFeature(source, W("TextAsBlack")), 1u);
    EXPECT_EQ(FlagFromFeature(source, W("Absent")), 0u);
    EXPECT_FALSE(FeatureReading(source, W("Absent")).Is(W("")));
}

}  // namespace
}  // namespace xlrender
