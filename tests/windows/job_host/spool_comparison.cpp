#include "spool_comparison.h"

#include <algorithm>
#include <cstdio>

namespace job_host {
namespace {

constexpr std::size_t kContextBytes = 8;
constexpr char kPjlPrefix[] = "@PJL";

// The PJL line that holds `offset`, if the offset lies in one.
std::optional<std::string> PjlLineAt(const std::string& spool, std::size_t offset) {
    const std::size_t lineStart = spool.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t start = lineStart == std::string::npos || offset == 0 ? 0 : lineStart + 1;
    const std::size_t end = spool.find('\n', offset);
    const std::string line = spool.substr(start, end == std::string::npos ? end : end - start);
    // The universal exit that precedes the job's first line is part of it.
    const std::size_t pjl = line.find(kPjlPrefix);
    if (pjl == std::string::npos || start + pjl > offset) {
        return std::nullopt;
    }
    return line.substr(pjl);
}

std::string HexAround(const std::string& spool, std::size_t offset) {
    const std::size_t first = offset > kContextBytes ? offset - kContextBytes : 0;
    const std::size_t last = std::min(spool.size(), offset + kContextBytes + 1);
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        char byte[8];
        std::snprintf(byte, sizeof byte, i == offset ? "[%02X]" : " %02X ",
                      static_cast<unsigned char>(spool[i]));
        text += byte;
    }
    return text;
}

}  // namespace

std::optional<SpoolDifference> FirstDifference(const std::string& expected,
                                               const std::string& actual) {
    const auto [left, right] =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    if (left == expected.end() && right == actual.end()) {
        return std::nullopt;
    }
    const auto offset = static_cast<std::size_t>(left - expected.begin());
    if (offset >= expected.size() || offset >= actual.size()) {
        return SpoolDifference{offset, "one spool ends there: " + std::to_string(expected.size()) +
                                           " against " + std::to_string(actual.size()) + " bytes"};
    }
    const std::optional<std::string> expectedLine = PjlLineAt(expected, offset);
    const std::optional<std::string> actualLine = PjlLineAt(actual, offset);
    if (expectedLine && actualLine) {
        return SpoolDifference{
            offset, "PJL line \"" + *expectedLine + "\" against \"" + *actualLine + "\""};
    }
    return SpoolDifference{
        offset, "bytes" + HexAround(expected, offset) + " against" + HexAround(actual, offset)};
}

std::size_t ByteInsideLine(const std::string& spool, const std::string& linePrefix) {
    const std::size_t line = spool.find(linePrefix);
    if (line == std::string::npos) {
        return std::string::npos;
    }
    const std::size_t inside = line + linePrefix.size();
    return inside < spool.size() && spool[inside] != '\n' ? inside : std::string::npos;
}

}  // namespace job_host
