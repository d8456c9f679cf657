// Reads a spool file whole and in windows of a few bytes, which must give the same listing and
// hand a sink the same operators, wherever the window edges fall (inside attributes, data
// lengths and embedded data).
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "pclxl_dump/spool_reader.h"

namespace xlrender::testing {

// Each operator a sink is handed, with its values' bytes and its data, as text.
class OperatorRecorder : public pclxl_dump::XlOperatorSink {
public:
    bool Take(const pclxl_dump::XlOperator& op) override {
        std::string record = std::to_string(op.offset) + " op " + std::to_string(op.code);
        for (const pclxl_dump::XlAttribute& attribute : op.attributes) {
            record += " " + std::to_string(attribute.id) + "=" + Text(attribute.value.bytes);
        }
        records.push_back(record + (op.hasData ? " data " + Text(op.data) : ""));
        return true;
    }
    std::vector<std::string> records;

private:
    static std::string Text(std::span<const std::uint8_t> bytes) {
        return {bytes.begin(), bytes.end()};
    }
};

struct Reading {
    pclxl_dump::Listing listing;
    std::vector<std::string> lines;      // offset, problem mark and text of each line
    std::vector<std::string> operators;  // what the sink was handed
};

inline Reading ReadInWindows(const std::string& file, bool strict, std::size_t window) {
    pclxl_dump::MemorySource source(
        {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    OperatorRecorder recorder;
    pclxl_dump::SpoolReading options;
    options.stopAtFirstProblem = strict;
    options.sink = &recorder;
    options.window = window;
    Reading reading{pclxl_dump::ReadSpool(source, options), {}, std::move(recorder.records)};
    for (const pclxl_dump::ListingLine& line : reading.listing.lines) {
        reading.lines.push_back(std::to_string(line.offset) + (line.problem ? " !! " : " ") +
                                line.text);
    }
    return reading;
}

// The listing of `file` read whole, after checking that windows of a few bytes read the same.
inline pclxl_dump::Listing ReadAlsoInWindows(const std::string& file, bool strict) {
    Reading whole = ReadInWindows(file, strict, pclxl_dump::kDefaultReadWindow);
    for (std::size_t window : {1, 2, 3, 5, 8}) {
        const Reading windowed = ReadInWindows(file, strict, window);
        EXPECT_EQ(windowed.lines, whole.lines) << "window " << window;
        EXPECT_EQ(windowed.operators, whole.operators) << "window " << window;
    }
    return std::move(whole.listing);
}

}  // namespace xlrender::testing
