// The plug-in runs in whatever C locale its host set; every byte it sends, and every decision
// it takes from numbers in text, must be the one it takes in the "C" locale.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "frame/font_command.h"
#include "settings/paper_checks.h"
#include "support/comma_decimal_locale.h"
#include "unidrv/device.h"
#include "unidrv/font_object.h"
#include "unidrv/job_runner.h"

namespace xlrender {
namespace {

class HostLocale : public ::testing::Test {
protected:
    void SetUp() override {
        comma_ = testing::OpenCommaDecimalLocale();
        ASSERT_NE(comma_, nullptr) << "no " << testing::kCommaDecimalLocale
                                   << " locale and localedef could not make one "
                                      "(scripts/install-deps.sh installs the locales package)";
        // The C library really formats with a comma here, so the checks below can fail.
        const std::string formatted = InCommaLocale<std::string>([] {
            char text[16];
            std::snprintf(text, sizeof text, "%.2f", 12.0);
            return std::string(text);
        });
        ASSERT_EQ(formatted, "12,00");
    }
    void TearDown() override {
        if (comma_ != nullptr) {
            freelocale(comma_);
        }
    }

    // Runs `work` on this thread in the comma locale, as a host that set it would.
    template <typename Result>
    Result InCommaLocale(const std::function<Result()>& work) {
        const locale_t previous = uselocale(comma_);
        Result result = work();
        uselocale(previous);
        return result;
    }

    locale_t comma_ = nullptr;
};

TEST_F(HostLocale, FontHeightIsWrittenWithAPoint) {
    const struct {
        LONG height;
        const char* sent;
    } cases[] = {{200, "\x1B(s12.00V"}, {16665, "\x1B(s999.90V"}, {20000, "\x1B(s999.75V"}};
    for (const auto& test : cases) {
        const std::string sent = InCommaLocale<std::string>([&] {
            sim::unidrv::Device device(0);
            sim::unidrv::FontObject font;
            font.SetHeight(test.height);
            std::string command = "\x1B(s#HEIGHTV";
            const FINVOCATION invocation{static_cast<DWORD>(command.size()),
                                         reinterpret_cast<PBYTE>(command.data())};
            WriteFontCommand(device.devobj(), font.unifontobj(), &invocation);
            return device.spool().Bytes();
        });
        EXPECT_EQ(sent, test.sent) << test.height;
    }
}

TEST_F(HostLocale, CustomPaperIsMeasuredToTheHundredthOfAnInch) {
    // 220 mm is 8.66 inches: outside a range that ends at 8.5 inches, also when the fraction
    // would be lost to a comma.
    DEVMODEW paper{};
    paper.dmPaperSize = 256;
    paper.dmPaperWidth = 2200;
    paper.dmPaperLength = 3000;
    const CustomSizeRangeAnswer answer = InCommaLocale<CustomSizeRangeAnswer>(
        [&] { return CheckCustomSizeRange(W("3x5_8.5x14"), paper); });
    EXPECT_EQ(answer, kPaperOutsideRange);
}

TEST_F(HostLocale, WholeJobsSpoolTheSameBytes) {
    for (const char* example : {"examples/demo.json", "examples/watermark.json"}) {
        auto job = sim::unidrv::ReadJobDescription(std::filesystem::path(XLRENDER_SOURCE_DIR) /
                                                   example);
        // Job accounting names each job with a new random identifier.
        job.features.erase("KZJobAccounting");
        const auto images = sim::unidrv::ReadJobImages(job);
        const std::function<sim::unidrv::JobOutcome()> print = [&] {
            return sim::unidrv::RunJob(job, images, XLRENDER_MODULE_PATH);
        };
        const sim::unidrv::JobOutcome inC = print();
        const sim::unidrv::JobOutcome inComma = InCommaLocale(print);
        ASSERT_TRUE(inC.succeeded) << example << ": " << inC.failure;
        ASSERT_TRUE(inComma.succeeded) << example << ": " << inComma.failure;
        EXPECT_TRUE(inC.spool == inComma.spool) << example;
    }
}

}  // namespace
}  // namespace xlrender
