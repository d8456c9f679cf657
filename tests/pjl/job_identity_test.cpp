#include "pjl/job_identity.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "pjl/pjl_encoding.h"
#include "world.h"

namespace xlrender {
namespace {

const SYSTEMTIME kSubmitted{2004, 3, 0, 7, 14, 5, 9, 0};
constexpr std::size_t kJobNameTestUnits = 16;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(JobIdentity, DeviceManagementDateInHexDigits) {
    PjlLines lines;
    ASSERT_TRUE(AppendDeviceManagementDateLine(lines, kSubmitted));
    EXPECT_STREQ(lines.text(),
                 "@PJL DMINFO ASCIIHEX=\"0400040101020D10100115"
                 "3230303430333037313430353039\"\n");
}

TEST(JobIdentity, FixedLines) {
    PjlLines lines;
    ASSERT_TRUE(AppendStringCodeSetLine(lines));
    ASSERT_TRUE(AppendManualDuplexLine(lines));
    ASSERT_TRUE(AppendUserNameLine(lines, W("J\u00FCrgen")));
    EXPECT_STREQ(lines.text(),
                 "@PJL SET STRINGCODESET=UTF8\n@PJL SET MANUALDUPLEX=ON\n"
                 "@PJL SET USERNAME=\"J\xC3\xBCrgen\"\n");
    EXPECT_FALSE(AppendUserNameLine(lines, nullptr));
}

TEST(JobIdentity, JobNameIsFilteredForTheEncodingAndSentAsUtf8) {
    const struct {
        DWORD encoding;
        const char* line;
    } cases[] = {
        {kPjlEncodingUtf8, "@PJL JOB NAME=\"a~\xC3\xA9~b\"\n"},
        {kPjlEncoding7Bit, "@PJL JOB NAME=\"a/~~b\"\n"},
        {kPjlEncoding8Bit, "@PJL JOB NAME=\"a/\xC3\xA9~b\"\n"},
    };
    for (const auto& c : cases) {
        WCHAR docName[kJobNameTestUnits] = W("a/\u00E9\"b");
        PjlLines lines;
        ASSERT_TRUE(AppendJobNameLine(lines, docName, kJobNameTestUnits, c.encoding));
        EXPECT_STREQ(lines.text(), c.line) << c.encoding;
    }
    WCHAR empty[4] = {};
    PjlLines lines;
    ASSERT_TRUE(AppendJobNameLine(lines, empty, 4, kPjlEncodingUtf8));
    EXPECT_STREQ(lines.text(), "@PJL JOB NAME=\"\"\n");
}

class JobAccountingTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::TheWorld().uuids.Seed(7);
        // UTC+1 without daylight saving: 14:05:09 UTC is 15:05:09 local.
        sim::TheWorld().clock.timeZone.Bias = -60;
    }

    std::string Build(DWORD mode) {
        PjlLines block;
        return BuildJobAccountingBlock(mode, inputs_, block) ? block.text() : "(none)";
    }

    JobAccountingInputs inputs_{W("jdoe"), W("\\\\PC7"), W("CORP"), kSubmitted};
};

TEST_F(JobAccountingTest, AttributesBlock) {
    const std::vector<std::string> lines = Lines(Build(kJobAccountingAttributes));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "@PJL SET JOBATTR=\"JobAcct1=jdoe\"");
    EXPECT_EQ(lines[1], "@PJL SET JOBATTR=\"JobAcct2=PC7\"");
    EXPECT_EQ(lines[2], "@PJL SET JOBATTR=\"JobAcct3=CORP\"");
    EXPECT_EQ(lines[3], "@PJL SET JOBATTR=\"JobAcct4=20040307150509\"");
    const std::regex identifier(
        "@PJL SET JOBATTR=\"JobAcct5=[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}\"");
    EXPECT_TRUE(std::regex_match(lines[4], identifier)) << lines[4];
    EXPECT_EQ(sim::TheWorld().uuids.liveStrings, 0);
}

TEST_F(JobAccountingTest, TimestampAndBothBlocksShareOneIdentifier) {
    const std::vector<std::string> timestamp = Lines(Build(kJobAccountingTimestamp));
    ASSERT_EQ(timestamp.size(), 2u);
    EXPECT_EQ(timestamp[0], "@PJL SET TIMESTAMP=\"20040307150509\"");

    const std::vector<std::string> both = Lines(Build(kJobAccountingBoth));
    ASSERT_EQ(both.size(), 7u);
    EXPECT_EQ(both[5], "@PJL SET TIMESTAMP=\"20040307150509\"");
    EXPECT_EQ(both[4], both[6]);
    // Each block draws a new identifier.
    EXPECT_NE(both[6], timestamp[1]);
}

TEST_F(JobAccountingTest, MachineNameBackslashesRemovedOnlyWhilePresent) {
    inputs_.machineName = W("\\");
    EXPECT_EQ(Lines(Build(kJobAccountingAttributes))[1], "@PJL SET JOBATTR=\"JobAcct2=\"");
    inputs_.machineName = W("\\PC7");
    EXPECT_EQ(Lines(Build(kJobAccountingAttributes))[1], "@PJL SET JOBATTR=\"JobAcct2=PC7\"");
    inputs_.machineName = W("PC7");
    EXPECT_EQ(Lines(Build(kJobAccountingAttributes))[1], "@PJL SET JOBATTR=\"JobAcct2=PC7\"");
    inputs_.machineName = W("\\\\\\PC7");
    EXPECT_EQ(Lines(Build(kJobAccountingAttributes))[1], "@PJL SET JOBATTR=\"JobAcct2=\\PC7\"");
}

TEST_F(JobAccountingTest, AnyMissingPieceDropsTheWholeBlock) {
    EXPECT_EQ(Build(kJobAccountingOff), "(none)");
    EXPECT_EQ(Build(4), "(none)");
    inputs_.userName = nullptr;
    EXPECT_EQ(Build(kJobAccountingBoth), "(none)");
    inputs_.userName = W("jdoe");
    inputs_.machineName = nullptr;
    EXPECT_EQ(Build(kJobAccountingBoth), "(none)");
    inputs_.machineName = W("PC7");
    inputs_.domain = nullptr;
    EXPECT_EQ(Build(kJobAccountingTimestamp), "(none)");
    inputs_.domain = W("CORP");
    inputs_.submitted.wMonth = 13;
    EXPECT_EQ(Build(kJobAccountingBoth), "(none)");
    inputs_.submitted = kSubmitted;

    sim::TheWorld().uuids.createStatus = RPC_S_UUID_NO_ADDRESS;
    EXPECT_EQ(Build(kJobAccountingBoth), "(none)");
    sim::TheWorld().uuids.createStatus = RPC_S_UUID_LOCAL_ONLY;
    EXPECT_EQ(Lines(Build(kJobAccountingBoth)).size(), 7u);
    sim::TheWorld().uuids.toStringStatus = RPC_S_OUT_OF_MEMORY;
    EXPECT_EQ(Build(kJobAccountingBoth), "(none)");
    sim::TheWorld().uuids.toStringStatus = RPC_S_OK;

    const std::size_t liveBefore = sim::LiveHeapBlocks();
    for (std::size_t failing = 1; failing <= 4; ++failing) {
        sim::TheWorld().heap.failAfter = failing;
        EXPECT_EQ(Build(kJobAccountingBoth), "(none)") << failing;
        EXPECT_EQ(sim::LiveHeapBlocks(), liveBefore);
    }
}

}  // namespace
}  // namespace xlrender
