#include "listing.h"

#include <cstdio>

namespace pclxl_dump {

const ListingLine* Listing::FirstProblem() const {
    for (const ListingLine& line : lines) {
        if (line.problem) {
            return &line;
        }
    }
    return firstProblem ? &*firstProblem : nullptr;
}

void ListingBuilder::Add(ListingLine line) {
    if (onLine_) {
        onLine_(line);
    } else {
        listing_.lines.push_back(std::move(line));
    }
}

void ListingBuilder::Line(std::size_t offset, std::string text) {
    Add({offset, std::move(text), false});
}

bool ListingBuilder::Problem(std::size_t offset, std::string message) {
    if (listing_.problemCount == 0) {
        listing_.firstProblem = ListingLine{offset, message, true};
    }
    Add({offset, std::move(message), true});
    ++listing_.problemCount;
    if (stopAtFirstProblem_) {
        stopped_ = true;
    }
    return !stopped_;
}

void PrintListing(const Listing& listing, bool withOffsets, bool withProblems,
                  std::ostream& out) {
    for (const ListingLine& line : listing.lines) {
        PrintListingLine(line, withOffsets, withProblems, out);
    }
}

void PrintListingLine(const ListingLine& line, bool withOffsets, bool withProblems,
                      std::ostream& out) {
    if (line.problem && !withProblems) {
        return;
    }
    if (withOffsets) {
        char offset[24];
        std::snprintf(offset, sizeof offset, "%08zX  ", line.offset);
        out << offset;
    }
    if (line.problem) {
        out << "!! ";
    }
    out << line.text << '\n';
}

std::string DescribeOffset(std::size_t offset) {
    char text[48];
    std::snprintf(text, sizeof text, "%zu (0x%08zX)", offset, offset);
    return text;
}


std::string ShowBytes(std::span<const std::uint8_t> bytes, std::size_t limit) {
    std::string text;
    const std::size_t shown = bytes.size() < limit ? bytes.size() : limit;
    for (std::size_t i = 0; i < shown; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte >= 0x20 && byte <= 0x7E && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    if (shown < bytes.size()) {
        text += "... (" + std::to_string(bytes.size()) + " bytes)";
    }
    return text;
}

}  // namespace pclxl_dump
