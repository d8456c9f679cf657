#include "pjl/usage_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "world.h"

namespace xlrender {
namespace {

// Stands in for the plug-in's CRC: answers fixed sums for known texts and records what it was
// asked, so the tests see exactly which bytes each field sums.
std::vector<std::string> summedTexts;
DWORD FakeChecksum(const char* text, std::size_t length) {
    const std::string bytes(text, length);
    summedTexts.push_back(bytes);
    static const std::map<std::string, DWORD> kSums = {
        {"abc", 0x9738}, {"PC7", 0x5}, {"ABC", 0x1234}, {"JDOE", 0xBEEF}};
    const auto found = kSums.find(bytes);
    return found != kSums.end() ? found->second : 0xFFFFFFFF;
}

class UsageCommandTest : public ::testing::Test {
protected:
    void SetUp() override { summedTexts.clear(); }

    std::string Build() {
        const OwnedPjlText line = BuildUsageCommand(inputs_, &FakeChecksum);
        return line.ok() ? std::string(line.bytes(), line.length()) : "(none)";
    }

    BYTE deviceText_[kUsageDeviceTextBytes] = {'a', 'b', 'c'};
    UsageInputs inputs_{W("KZUSAGE"), W("JDOE"), W("\\\\PC7\\share"), deviceText_, 0x12, 2, 6};
};

TEST_F(UsageCommandTest, SixFieldsAndCarriageReturnLineEnd) {
    // Field 2 sums the machine name without its leading backslashes, up to the next one;
    // field 3 the upper-cased device text.
    EXPECT_EQ(Build(), "@PJL USAGE = KZUSAGE,05,1234,12,20,04\r\n");
    EXPECT_EQ(summedTexts, (std::vector<std::string>{"PC7", "ABC"}));
}

TEST_F(UsageCommandTest, LogonNameKeywordNamesFieldOneAndSumsTheStoredUserName) {
    inputs_.keyword = W("LNNAME_ABC");
    EXPECT_EQ(Build().substr(0, 26), "@PJL USAGE = ABC,beef,1234");
    inputs_.keyword = W("X_LNNAME_Y");
    EXPECT_EQ(Build().substr(0, 22), "@PJL USAGE = LNNAME,be");
    // Without a "_" there is nothing between underscores: field 1 is empty.
    inputs_.keyword = W("LNNAME");
    EXPECT_EQ(Build().substr(0, 19), "@PJL USAGE = ,beef,");
}

TEST_F(UsageCommandTest, UnknownJobAndEmptyTexts) {
    inputs_.machineName = nullptr;
    deviceText_[0] = 0;
    EXPECT_EQ(Build(), "@PJL USAGE = KZUSAGE,,ffffffff,12,20,04\r\n");
    // A machine name that is only backslashes sums an empty text.
    inputs_.machineName = W("\\\\");
    EXPECT_EQ(Build(), "@PJL USAGE = KZUSAGE,ffffffff,ffffffff,12,20,04\r\n");
}

TEST_F(UsageCommandTest, SystemAndPortCodes) {
    const struct {
        DWORD osKind;
        DWORD portKind;
        const char* tail;
    } cases[] = {{1, 1, ",08,01\r\n"},
                 {2, 6, ",20,04\r\n"},
                 {3, 5, ",40,01\r\n"},
                 {0, 0, ",,02\r\n"},
                 {9, 9, ",,02\r\n"}};
    for (const auto& c : cases) {
        inputs_.osKind = c.osKind;
        inputs_.portKind = c.portKind;
        const std::string line = Build();
        EXPECT_EQ(line.substr(line.size() - std::string(c.tail).size()), c.tail) << line;
    }
}

TEST_F(UsageCommandTest, DeviceTextIsReadWithinFifteenBytesAndNotChanged) {
    BYTE carried[kUsageDeviceTextBytes + 1];
    std::memset(carried, 'q', sizeof carried);  // no terminator within the 15 bytes
    inputs_.deviceText = carried;
    Build();
    ASSERT_EQ(summedTexts.size(), 2u);
    EXPECT_EQ(summedTexts[1], std::string(15, 'Q'));
    EXPECT_EQ(carried[0], 'q');
}

TEST_F(UsageCommandTest, LongKeywordNeverCrowdsOutTheLineEnd) {
    const std::u16string keyword(300, u'K');
    inputs_.keyword = reinterpret_cast<const WCHAR*>(keyword.c_str());
    const std::string line = Build();
    EXPECT_EQ(line.size(), kUsageLineBytes - 1);
    EXPECT_EQ(line.substr(line.size() - 3), "K\r\n");
}

TEST_F(UsageCommandTest, MissingInputsOrMemoryGiveNoLine) {
    inputs_.keyword = nullptr;
    EXPECT_EQ(Build(), "(none)");
    inputs_.keyword = W("KZUSAGE");
    EXPECT_EQ(BuildUsageCommand(inputs_, nullptr).ok(), false);
    const std::size_t liveBefore = sim::LiveHeapBlocks();
    // The keyword, the machine name and the line itself.
    for (std::size_t failing = 1; failing <= 3; ++failing) {
        sim::TheWorld().heap.failAfter = failing;
        EXPECT_EQ(Build(), "(none)") << failing;
        EXPECT_EQ(sim::LiveHeapBlocks(), liveBefore);
    }
    sim::TheWorld().heap.failAfter = 0;
}

TEST(UsageFeatureBits, CombinationsOfProcessorLayoutDuplexAndPoster) {
    // Another print processor, simplex, one page per sheet: nothing.
    UsageFeatureInputs plain{3, 1, 0, 0, 100, DMDUP_SIMPLEX, DMDUP_SIMPLEX, 0};
    EXPECT_EQ(UsageFeatureBits(plain), 0x00u);
    // The driver's own processor, scaled onto another paper, 2-up, duplex, poster.
    UsageFeatureInputs busy{1, 2, 0, 1, 100, 2, DMDUP_SIMPLEX, 1};
    EXPECT_EQ(UsageFeatureBits(busy), 0x01u + 0x02 + 0x08 + 0x04);
    // Scaling percentage other than 100 counts as scaling even without a paper change.
    UsageFeatureInputs percent{1, 1, 0, 0, 75, DMDUP_SIMPLEX, DMDUP_SIMPLEX, 0};
    EXPECT_EQ(UsageFeatureBits(percent), 0x01u);
    // Single layout: the layout bit, never duplex; the system processor gets no poster bit.
    UsageFeatureInputs single{2, 4, 1, 1, 100, 2, 2, 1};
    EXPECT_EQ(UsageFeatureBits(single), 0x10u);
    // A private duplex setting alone counts as duplex.
    UsageFeatureInputs privateDuplex{3, 1, 0, 0, 100, DMDUP_SIMPLEX, 2, 0};
    EXPECT_EQ(UsageFeatureBits(privateDuplex), 0x08u);
}

}  // namespace
}  // namespace xlrender
