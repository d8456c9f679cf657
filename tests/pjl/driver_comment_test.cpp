#include "pjl/driver_comment.h"

#include <gtest/gtest.h>

#include <string>

#include "world.h"

namespace xlrender {
namespace {

TEST(FileVersion, FromTheVersionResourceOfADeclaredFile) {
    sim::TheWorld().versions.Declare(u"C:\\drivers\\UNIDRV.DLL", {0, 3, 7600, 16385});
    char text[kFileVersionTextBytes];
    ASSERT_TRUE(FormatFileVersion(W("c:\\drivers\\unidrv.dll"), text));
    EXPECT_STREQ(text, "0.3.7600.16385");

    EXPECT_FALSE(FormatFileVersion(W("c:\\drivers\\missing.dll"), text));
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(FormatFileVersion(nullptr, text));

    const std::size_t liveBefore = sim::LiveHeapBlocks();
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_FALSE(FormatFileVersion(W("c:\\drivers\\unidrv.dll"), text));
    EXPECT_EQ(sim::LiveHeapBlocks(), liveBefore);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class DriverCommentTest : public ::testing::Test {
protected:
    std::string Build() {
        PjlLines lines;
        return BuildDriverComment(inputs_, lines) ? lines.text() : "(none)";
    }

    std::u16string document_ = std::u16string(100, u'd');
    DriverCommentInputs inputs_{W("Office Printer"),
                                "6.1.7601.17514",
                                W("Windows XP"),
                                5,
                                1,
                                2600,
                                1,
                                "0.3.7600.16385",
                                W("jdoe"),
                                reinterpret_cast<const WCHAR*>(document_.c_str()),
                                SYSTEMTIME{2026, 12, 0, 7, 10, 0, 0, 0}};
};

TEST_F(DriverCommentTest, TwoLinesWithVersionsUserDocumentAndDate) {
    EXPECT_EQ(Build(),
              "@PJL COMMENT \"Office Printer (6.1.7601.17514); Windows XP 5.1.2600.1; "
              "Unidrv 0.3.7600.16385\"\n"
              "@PJL COMMENT \"Username: jdoe; App Filename: " +
                  std::string(75, 'd') + "; 12-7-2026\"\n");
}

TEST_F(DriverCommentTest, DateIsTheLocalDateOfSubmission) {
    sim::TheWorld().clock.timeZone.Bias = 600;  // UTC-10: 05:00 UTC is 19:00 the day before
    inputs_.submitted.wHour = 5;
    EXPECT_TRUE(EndsWith(Build(), "; 12-6-2026\"\n"));
}

TEST_F(DriverCommentTest, AnyMissingPieceWritesNeitherLine) {
    DriverCommentInputs complete = inputs_;
    const auto expectNone = [&](auto change) {
        inputs_ = complete;
        change(inputs_);
        EXPECT_EQ(Build(), "(none)");
    };
    expectNone([](DriverCommentInputs& in) { in.printerName = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.pluginVersion = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.productName = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.unidrvVersion = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.userName = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.documentName = nullptr; });
    expectNone([](DriverCommentInputs& in) { in.submitted.wDay = 32; });
    inputs_ = complete;
    for (std::size_t failing = 1; failing <= 4; ++failing) {
        sim::TheWorld().heap.failAfter = failing;
        EXPECT_EQ(Build(), "(none)") << failing;
    }
}

}  // namespace
}  // namespace xlrender
