// The readable listing of a spool file: one line per PJL command, stream header, operator and
// embedded data block, each with the byte offset it starts at, and the problems found on the
// way. In strict mode reading stops at the first problem.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace pclxl_dump {

struct ListingLine {
    std::size_t offset;
    std::string text;
    bool problem;  // a malformed spot, reported in line with the listing
};

struct Listing {
    std::vector<ListingLine> lines;
    std::size_t problemCount = 0;
    std::optional<ListingLine> firstProblem;  // kept even when the lines went elsewhere

    // The first problem, among the lines when they are kept.
    const ListingLine* FirstProblem() const;
};

// Takes each listing line as it is read.
using ListingLineHandler = std::function<void(const ListingLine&)>;

// Collects lines and problems while a file is read.
class ListingBuilder {
public:
    // With `onLine`, lines go there as they come instead of into the listing.
    ListingBuilder(Listing& listing, bool stopAtFirstProblem, ListingLineHandler onLine = {})
        : listing_(listing), stopAtFirstProblem_(stopAtFirstProblem), onLine_(std::move(onLine)) {}

    void Line(std::size_t offset, std::string text);
    // Records a problem; false when reading must stop here.
    bool Problem(std::size_t offset, std::string message);
    // Ends the reading where it is, without a problem (a consumer of it asked to stop).
    void Halt() { stopped_ = true; }
    // True once a problem has stopped a strict read, or Halt was called.
    bool stopped() const { return stopped_; }

private:
    void Add(ListingLine line);

    Listing& listing_;
    bool stopAtFirstProblem_;
    ListingLineHandler onLine_;
    bool stopped_ = false;
};

// Prints the listing, each line optionally led by its offset; problem lines start with "!!".
void PrintListing(const Listing& listing, bool withOffsets, bool withProblems,
                  std::ostream& out);
// Prints one line as PrintListing does.
void PrintListingLine(const ListingLine& line, bool withOffsets, bool withProblems,
                      std::ostream& out);

// Bytes shown as text: printable ASCII as it is, anything else as \xNN; past `limit` bytes the
// text is cut and the full size noted.
std::string ShowBytes(std::span<const std::uint8_t> bytes, std::size_t limit);

// "1234 (0x000004D2)": how a byte offset is named in messages.
std::string DescribeOffset(std::size_t offset);

}  // namespace pclxl_dump
