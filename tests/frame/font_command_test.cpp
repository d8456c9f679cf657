#include "frame/font_command.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/xlrender_uni.h"
#include "platform/memory.h"
#include "unidrv/device.h"
#include "unidrv/font_object.h"

namespace xlrender {
namespace {

class FontCommandTest : public ::testing::Test {
protected:
    // Sends `command` (its bytes exactly, no terminator added) and returns what was spooled.
    std::string Send(const std::string& command, UNIFONTOBJ* font) {
        std::string bytes = command;
        FINVOCATION invocation{static_cast<DWORD>(bytes.size()),
                               reinterpret_cast<PBYTE>(bytes.data())};
        WriteFontCommand(device_.devobj(), font, &invocation);
        return device_.spool().Bytes();
    }

    sim::unidrv::Device device_{0};
    sim::unidrv::FontObject font_;
};

TEST_F(FontCommandTest, HeightReplacesPlaceholderAndKeepsTheRest) {
    font_.SetHeight(200);
    EXPECT_EQ(Send("#HEIGHTv", font_.unifontobj()), "12.00v");
    device_.spool().Clear();
    EXPECT_EQ(Send("\x1B(s#HEIGHTV #HEIGHT", font_.unifontobj()), "\x1B(s12.00V #HEIGHT");
    EXPECT_EQ(device_.spool().Chunks().size(), 1u);
}

TEST_F(FontCommandTest, OnlyHeightsOfAThousandPointsOrMoreAreReplaced) {
    const struct {
        LONG height;
        const char* sent;
    } cases[] = {{20000, "999.75v"},
                 {16667, "999.75v"},  // 1200 and 1000.02 points
                 {16666, "999.96v"},
                 {16665, "999.90v"}};
    for (const auto& test : cases) {
        font_.SetHeight(test.height);
        EXPECT_EQ(Send("#HEIGHTv", font_.unifontobj()), test.sent) << test.height;
        device_.spool().Clear();
    }
    font_.SetHeight(-50);
    EXPECT_EQ(Send("#HEIGHTv", font_.unifontobj()), "0.00v");
}

TEST_F(FontCommandTest, CommandWithoutPlaceholderGoesOutUnchangedWithoutAsking) {
    font_.SetHeight(200);
    EXPECT_EQ(Send("\x1B(s4099T", font_.unifontobj()), "\x1B(s4099T");
    EXPECT_EQ(font_.queries(), 0);
}

TEST_F(FontCommandTest, UnknownHeightLeavesTheCommandUnchanged) {
    EXPECT_EQ(Send("a#HEIGHTb", nullptr), "a#HEIGHTb");
    device_.spool().Clear();
    font_.RefuseQueries();
    EXPECT_EQ(Send("a#HEIGHTb", font_.unifontobj()), "a#HEIGHTb");
    EXPECT_EQ(font_.queries(), 1);
}

TEST_F(FontCommandTest, CommandIsReadWithinItsCountAndBuffer) {
    font_.SetHeight(200);
    // Only the first 8 of these bytes belong to the command; no terminator follows them.
    std::string bytes = "#HEIGHTxGARBAGE";
    FINVOCATION invocation{8, reinterpret_cast<PBYTE>(bytes.data())};
    WriteFontCommand(device_.devobj(), font_.unifontobj(), &invocation);
    EXPECT_EQ(device_.spool().Bytes(), "12.00x");
    device_.spool().Clear();

    // Up to its first zero byte.
    EXPECT_EQ(Send(std::string("ab\0cd", 5), font_.unifontobj()), "ab");
    device_.spool().Clear();

    // A long command is used up to 99 bytes: 90 + 7 + 2 of them.
    const std::string longCommand = std::string(90, 'p') + "#HEIGHT" + std::string(50, 's');
    const std::string sent = Send(longCommand, font_.unifontobj());
    EXPECT_EQ(sent, std::string(90, 'p') + "12.00" + std::string(2, 's'));
}

TEST_F(FontCommandTest, NothingToSendWritesNothing) {
    std::string bytes = "#HEIGHT";
    FINVOCATION empty{0, reinterpret_cast<PBYTE>(bytes.data())};
    WriteFontCommand(device_.devobj(), font_.unifontobj(), &empty);
    WriteFontCommand(device_.devobj(), font_.unifontobj(), nullptr);
    FINVOCATION noBytes{4, nullptr};
    WriteFontCommand(device_.devobj(), font_.unifontobj(), &noBytes);
    EXPECT_EQ(Send(std::string("\0x", 2), font_.unifontobj()), "");
    EXPECT_TRUE(device_.spool().Chunks().empty());
}

TEST_F(FontCommandTest, TheCOMMethodSendsTheCommandAndAnswersOk) {
    XlRenderUni* plugin = CreateObject<XlRenderUni>();
    ASSERT_NE(plugin, nullptr);
    font_.SetHeight(200);
    std::string bytes = "#HEIGHTv";
    FINVOCATION invocation{static_cast<DWORD>(bytes.size()), reinterpret_cast<PBYTE>(bytes.data())};
    EXPECT_EQ(plugin->SendFontCmd(device_.devobj(), font_.unifontobj(), &invocation), S_OK);
    EXPECT_EQ(device_.spool().Bytes(), "12.00v");
    device_.spool().LimitWrite(1, 0);
    EXPECT_EQ(plugin->SendFontCmd(device_.devobj(), font_.unifontobj(), &invocation), S_OK);
    plugin->Release();
}

}  // namespace
}  // namespace xlrender
