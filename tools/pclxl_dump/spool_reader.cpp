#include "spool_reader.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "universal_exit.h"
#include "xl_stream_reader.h"

namespace pclxl_dump {
namespace {

constexpr std::uint8_t kLineFeed = '\n';
constexpr std::string_view kPjlPrefix = "@PJL";
constexpr std::string_view kEnterLanguage = "@PJLENTERLANGUAGE=";
constexpr std::string_view kPclXlLanguage = "PCLXL";
constexpr std::string_view kStreamHeaderMark = " HP-PCL XL";
// Longest part of a text line shown in the listing.
constexpr std::size_t kShownLineBytes = 240;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The line without white space, in capitals: PJL keywords are case-blind and spaces around
// "=" are allowed.
std::string Squeezed(std::string_view line) {
    std::string squeezed;
    for (char c : line) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            squeezed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return squeezed;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

// A PCL XL stream header line in any binding, as it appears where a stream starts without
// PJL in front of it.
bool IsStreamHeader(std::string_view line) {
    return line.size() > kStreamHeaderMark.size() &&
           (line[0] == ')' || line[0] == '(' || line[0] == '\'') &&
           line.substr(1, kStreamHeaderMark.size()) == kStreamHeaderMark;
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

class SpoolReader {
public:
    SpoolReader(SpoolCursor& cursor, ListingBuilder& out, XlOperatorSink* sink)
        : cursor_(cursor), out_(out), sink_(sink) {}

    void Read() {
        while (!cursor_.AtEnd() && !out_.stopped()) {
            cursor_.Release();
            if (AtUniversalExit(cursor_)) {
                out_.Line(cursor_.position(), "<universal exit>");
                cursor_.Skip(kUniversalExitSize);
            } else {
                ReadLine();
            }
        }
    }

private:
    // One line of PJL (or whatever stands where PJL should): up to a line feed, or up to an
    // escape byte, since the universal exit may follow text directly.
    void ReadLine() {
        const std::size_t offset = cursor_.position();
        const std::size_t length = cursor_.Find(
            1, [](std::uint8_t byte) { return byte == kLineFeed || byte == kEscape; });
        // The line stays where the cursor holds it: nothing below reads on before it is used.
        std::string_view line = AsText(cursor_.Window(length));
        if (IsStreamHeader(line)) {
            ReadXlStream(cursor_, out_, sink_);
            return;
        }
        const bool endsWithLineFeed =
            length < cursor_.remaining() && cursor_.Peek(length) == kLineFeed;
        cursor_.Skip(length + (endsWithLineFeed ? 1 : 0));
        if (!line.empty() && line.back() == '\n') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (IsBlank(line)) {
            return;
        }
        const std::string shown = ShowBytes(
            {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()}, kShownLineBytes);
        out_.Line(offset, shown);
        if (!StartsWithNoCase(line, kPjlPrefix)) {
            out_.Problem(offset, "not a PJL command");
            return;
        }
        const std::string squeezed = Squeezed(line);
        if (squeezed.starts_with(kEnterLanguage)) {
            EnterLanguage(squeezed.substr(kEnterLanguage.size()));
        }
    }

    void EnterLanguage(const std::string& language) {
        if (language == kPclXlLanguage) {
            ReadXlStream(cursor_, out_, sink_);
            return;
        }
        // Another printer language: not ours to read; show how much of it there is.
        const std::size_t start = cursor_.position();
        SkipToUniversalExit(cursor_);
        const std::string name = ShowBytes(
            {reinterpret_cast<const std::uint8_t*>(language.data()), language.size()},
            kShownLineBytes);
        out_.Line(start, name + " data: " + std::to_string(cursor_.position() - start) +
                             " bytes");
    }

    SpoolCursor& cursor_;
    ListingBuilder& out_;
    XlOperatorSink* sink_;
};

}  // namespace

Listing ReadSpool(std::span<const std::uint8_t> bytes, bool stopAtFirstProblem,
                  XlOperatorSink* sink) {
    MemorySource source(bytes);
    SpoolReading reading;
    reading.stopAtFirstProblem = stopAtFirstProblem;
    reading.sink = sink;
    return ReadSpool(source, reading);
}

Listing ReadSpool(ByteSource& source, const SpoolReading& reading) {
    Listing listing;
    ListingBuilder out(listing, reading.stopAtFirstProblem, reading.onLine);
    SpoolCursor cursor(source, reading.window, reading.progress);
    SpoolReader(cursor, out, reading.sink).Read();
    return listing;
}

}  // namespace pclxl_dump
