// Names from users, applications and the network, chosen to break out of their quotes, through
// every builder of quoted PJL lines under every PJL encoding: each line keeps exactly its two
// quotes and its line end, no injected command starts a line of its own, and the fixed text
// after a cut name is still there.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "pjl/driver_comment.h"
#include "pjl/hold_commands.h"
#include "pjl/job_identity.h"
#include "pjl/pjl_encoding.h"
#include "pjl/pjl_filter.h"
#include "pjl/pjl_line_checks.h"
#include "pjl/pjl_lines.h"
#include "settings/keyword_tables.h"
#include "world.h"

namespace xlrender {
namespace {

const std::u16string kHostileNames[] = {
    // Quotes, line ends, a command of the sender's own, a control byte, and full-width and
    // typographic quotes that a best-fit conversion would turn into a real one.
    u"x\"\r\n@PJL SET HOLD=OFF\n\uFF02\u201D\u0001y",
    u"x\"\n@PJL SET HOLD=OFF\n@PJL JOB NAME=\"y",
    u"x\r\n@PJL FSDELETE NAME=\"0:\\\\a\"",
    u"x\uFF02 \u2033\n@PJL",
    u"x\u0085\u2028\u007F\t",  // NEL, line separator, DEL, tab
    u"\"",
    // Longer than any line buffer, in two-byte UTF-8 characters.
    std::u16string(3000, u'\u00E9'),
};

const DWORD kEncodings[] = {kPjlEncodingInvalid, kPjlEncodingUtf8, kPjlEncoding7Bit,
                            kPjlEncoding8Bit, kPjlEncodingUtf8Subset};

const WCHAR* Text(const std::u16string& name) {
    return reinterpret_cast<const WCHAR*>(name.c_str());
}

std::string LinesOrNone(bool built, const PjlLines& lines) {
    return built ? std::string(lines.text()) : "(none)";
}

// The shared quoting path itself: filtered, raw UTF-8 and raw ANSI values, alone and between
// literals.
std::string QuotedValues(const std::u16string& name, DWORD encoding) {
    std::u16string filtered = name;
    FilterPjlString(filtered.data(), encoding);
    const OwnedPjlText filteredUtf8 = ConvertForPjl(Text(filtered), PjlCharset::kUtf8);
    const OwnedPjlText rawUtf8 = ConvertForPjl(Text(name), PjlCharset::kUtf8);
    const OwnedPjlText rawAnsi = ConvertForPjl(Text(name), PjlCharset::kAnsi);
    // Each line in a buffer of its own, as every builder has.
    PjlLines lines[4];
    const bool built =
        lines[0].AppendQuotedLine("@PJL JOB NAME=", filteredUtf8) &&
        lines[1].AppendQuotedLine("@PJL SET USERNAME=", rawUtf8) &&
        lines[2].AppendQuotedLine("@PJL SET JOBATTR=",
                                  {QuotedLiteral("JobAcct2="), QuotedValue(rawAnsi)}) &&
        lines[3].AppendQuotedLine("@PJL COMMENT ",
                                  {QuotedLiteral("Username: "), QuotedValue(rawUtf8),
                                   QuotedLiteral("; App Filename: "), QuotedValue(rawAnsi)});
    std::string text;
    for (const PjlLines& line : lines) {
        text += line.text();
    }
    return built ? text : "(none)";
}

std::string JobAndUserName(const std::u16string& name, DWORD encoding) {
    std::u16string docName = name.substr(0, 63);
    docName.resize(64);
    PjlLines lines;
    const bool built = AppendJobNameLine(lines, docName.data(), docName.size(), encoding) &&
                       AppendUserNameLine(lines, Text(name));
    return LinesOrNone(built, lines);
}

std::string JobAccounting(const std::u16string& name, DWORD /*encoding*/) {
    sim::TheWorld().uuids.Seed(7);
    sim::TheWorld().clock.timeZone.Bias = -60;  // UTC+1: 14:05:09 UTC is 15:05:09 local
    const JobAccountingInputs inputs{Text(name), Text(name), Text(name),
                                     SYSTEMTIME{2004, 3, 0, 7, 14, 5, 9, 0}};
    PjlLines block;
    return LinesOrNone(BuildJobAccountingBlock(kJobAccountingBoth, inputs, block), block);
}

std::string DriverComment(const std::u16string& name, DWORD /*encoding*/) {
    const DriverCommentInputs inputs{Text(name),
                                     "6.1.7601.17514",
                                     Text(name),
                                     5,
                                     1,
                                     2600,
                                     1,
                                     "0.3.7600.16385",
                                     Text(name),
                                     Text(name),
                                     SYSTEMTIME{2026, 12, 0, 7, 10, 0, 0, 0}};
    PjlLines lines;
    return LinesOrNone(BuildDriverComment(inputs, lines), lines);
}

// The stored job's user name and the typed job name, which is sent as the user typed it.
std::string HoldNames(const std::u16string& name, DWORD /*encoding*/) {
    PrivateDevmode devmode{};
    devmode.JobRetentionInstalled = 1;
    devmode.JobStorageMode = kJobStorageProofAndHold;
    devmode.UseJobNameOverride = 1;
    const std::size_t typed = std::min(name.size(), std::size(devmode.JobNameOverride) - 1);
    std::copy_n(Text(name), typed, devmode.JobNameOverride);
    std::u16string userName = name.substr(0, kStoredJobNameUnits - 1);
    PjlLines lines;
    BuildHoldCommands(devmode, Text(userName), W("report"), lines);
    const std::string text = lines.text();
    return text.substr(text.find('\n') + 1);  // after the unquoted HOLD line
}

struct Builder {
    const char* name;
    std::function<std::string(const std::u16string&, DWORD)> build;
    std::size_t lines;
    std::vector<std::string> keptText;  // fixed text that follows the names and must stay
    std::string ending;                 // the text the last line ends with
    std::size_t longestLine;            // 0: no bound of its own
};

TEST(HostileNames, EveryLineBuilderKeepsItsLinesWholeUnderEveryEncoding) {
    const Builder builders[] = {
        {"quoted values", QuotedValues, 4, {}, "\"\n", 0},
        {"job and user name", JobAndUserName, 2, {}, "\"\n", 0},
        {"job accounting",
         JobAccounting,
         7,
         {"@PJL SET TIMESTAMP=\"20040307150509\"\n"},
         "\"\n",
         28 + kAccountingNameBytes},
        {"driver comment", DriverComment, 2, {"; Unidrv 0.3.7600.16385\"\n"}, "; 12-7-2026\"\n", 0},
        {"hold names", HoldNames, 2, {}, "\"\n", 0},
    };
    for (const Builder& builder : builders) {
        for (DWORD encoding : kEncodings) {
            for (const std::u16string& name : kHostileNames) {
                SCOPED_TRACE(std::string(builder.name) + ", encoding " + std::to_string(encoding) +
                             ", name of " + std::to_string(name.size()) + " units");
                const std::string text = builder.build(name, encoding);
                ExpectWellFormedQuotedLines(text, builder.lines);
                for (const char* injected : {"\n@PJL SET HOLD", "\n@PJL FSDELETE", "\n@PJL JOB"}) {
                    EXPECT_EQ(text.find(injected), std::string::npos) << injected;
                }
                for (const std::string& kept : builder.keptText) {
                    EXPECT_NE(text.find(kept), std::string::npos) << kept;
                }
                EXPECT_TRUE(text.size() >= builder.ending.size() &&
                            text.compare(text.size() - builder.ending.size(), std::string::npos,
                                         builder.ending) == 0);
                std::size_t start = 0;
                for (std::size_t end = text.find('\n');
                     builder.longestLine != 0 && end != std::string::npos;
                     end = text.find('\n', start)) {
                    EXPECT_LE(end - start, builder.longestLine);
                    start = end + 1;
                }
            }
        }
    }
}

}  // namespace
}  // namespace xlrender
