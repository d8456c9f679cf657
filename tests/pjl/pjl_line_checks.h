// Checks shared by the tests of PJL line builders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace xlrender {

// Every line ends with "\n", and a quoted line holds exactly its two quotes with nothing
// after the closing one.
inline void ExpectWellFormedQuotedLines(const std::string& text, std::size_t lines) {
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), lines) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << text;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 2) << line;
        EXPECT_EQ(line.back(), '"') << line;
        for (unsigned char byte : line) {
            EXPECT_GE(byte, 0x20) << line;
            EXPECT_NE(byte, 0x7F) << line;
        }
        start = end + 1;
    }
}

}  // namespace xlrender
