// Names from users, applications and the network reach the job header through the real
// callbacks: whatever they hold, every quoted value stays inside its quotes and every line
// ends where it should, under every PJL encoding. (Each line builder meets many more such
// names in the PJL tests; this is the whole way from the spooler to the spool.)
#include <gtest/gtest.h>

#include <string>

#include "frame/command_callback_fixture.h"
#include "pjl/pjl_line_checks.h"

namespace xlrender {
namespace {

using testing::CommandCallbackTest;

// Quotes, line ends, a PJL command of the sender's own, a control byte, and full-width and
// typographic quotes that a best-fit conversion would turn into a real one.
const std::u16string kHostile = u"x\"\r\n@PJL SET HOLD=OFF\n\uFF02\u201D\u0001y";
// Longer than any line buffer, in two-byte UTF-8 characters.
const std::u16string kLong(3000, u'\u00E9');

struct HostileCase {
    const char* encoding;
    const std::u16string* name;
    const char* label;  // what the name is, for the test's name
};

class HostileNamesTest : public CommandCallbackTest,
                         public ::testing::WithParamInterface<HostileCase> {
protected:
    void SetUp() override {
        CommandCallbackTest::SetUp();
        const std::u16string& name = *GetParam().name;
        sim::World& world = sim::TheWorld();
        world.spooler.printers[0].name = name;
        sim::JobDescription& job = world.spooler.jobs[0];
        job.printerName = name;
        job.userName = name;
        job.machineName = u"\\\\" + name;
        job.document = name;
        // Registry values are read into 128 units.
        const std::u16string shortName = name.substr(0, 100);
        world.registry.SetString(HKEY_LOCAL_MACHINE, testing::kCurrentVersionKey, u"ProductName",
                                 shortName);
        world.registry.SetString(HKEY_LOCAL_MACHINE, testing::kWinlogonKey, u"DefaultDomainName",
                                 shortName);
        device_.SelectOption("KZJobAccounting", "KZJOBACCT_JOBACNT_TIMESTAMP");
        device_.SelectOption("KZPJLEncoding", GetParam().encoding);
        device_.SelectOption("KZJobByJobOverride", "JBJO");
        Ready();
        SetDocName(name.substr(0, kDocNameUnits - 1));
        CopyText(Pdev().JobStorageUserName, kJobStorageNameUnits,
                 reinterpret_cast<const WCHAR*>(name.c_str()), kJobStorageNameUnits - 1);
    }
};

// Drops the unquoted string-code-set line that UTF-8 encodings start with.
std::string WithoutCodeSetLine(const std::string& text) {
    const std::string codeSet = "@PJL SET STRINGCODESET=UTF8\n";
    return text.rfind(codeSet, 0) == 0 ? text.substr(codeSet.size()) : text;
}

TEST_P(HostileNamesTest, JobStartKeepsAllTenLinesWhole) {
    const std::string written = WithoutCodeSetLine(Run(1));
    // Job name, two comment lines and the seven accounting lines.
    ExpectWellFormedQuotedLines(written, 10);
    EXPECT_EQ(written.find("\n@PJL SET HOLD"), std::string::npos);
    EXPECT_NE(written.find("; Unidrv 0.3.7600.16385\"\n"), std::string::npos);
    EXPECT_NE(written.find("; 12-7-2026\"\n"), std::string::npos);
    EXPECT_NE(written.find("@PJL SET TIMESTAMP=\"20261207100000\"\n"), std::string::npos);
}

TEST_P(HostileNamesTest, UserNameLineFromTheJobAndFromTheJobStorageName) {
    ExpectWellFormedQuotedLines(Run(5), 1);
    Pdev().JobId = testing::kJobId + 1;
    ExpectWellFormedQuotedLines(Run(5), 1);
}

std::vector<HostileCase> AllCases() {
    std::vector<HostileCase> cases;
    for (const char* encoding :
         {"UTF8", "UTF8Subset", "7bitEncoding", "8bitEncoding", "INVALID_KZENCODING"}) {
        cases.push_back({encoding, &kHostile, "Hostile"});
        cases.push_back({encoding, &kLong, "Long"});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, HostileNamesTest, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) {
                             return std::string(info.param.encoding) + "_" + info.param.label;
                         });

}  // namespace
}  // namespace xlrender
