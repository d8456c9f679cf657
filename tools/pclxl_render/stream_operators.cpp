// User-defined streams: BeginStream, ReadStream and EndStream store a PCL XL stream (its own
// header line first) under a name for the session; ExecStream reads it as if its operators
// stood in place of the ExecStream; RemoveStream forgets it. Replays may nest, to a bounded
// depth and a bounded number of replayed operators, so that streams calling each other cannot
// make the preview run without end.
#include <string>
#include <string_view>

#include "interpreter.h"
#include "operator_codes.h"
#include "pclxl_dump/byte_source.h"
#include "pclxl_dump/listing.h"
#include "pclxl_dump/xl_stream_reader.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

using pclxl_dump::XlOperator;

constexpr int kMaxReplayDepth = 32;
// How the interpreter labels a failure of ExecStream, and one inside a replay.
constexpr std::string_view kExecStreamLabel = "ExecStream: ";
constexpr std::string_view kNestedFailure = "ExecStream: in stream \"";
// Operators that replays may read in one file: far more than any real page needs.
constexpr std::size_t kMaxReplayedOperators = 1'000'000;

// Hands a replay's operators to the interpreter, counting them against the file's budget.
class ReplaySink : public pclxl_dump::XlOperatorSink {
public:
    ReplaySink(pclxl_dump::XlOperatorSink& interpreter, std::size_t& replayed)
        : interpreter_(interpreter), replayed_(replayed) {}

    bool Take(const XlOperator& op) override {
        if (++replayed_ > kMaxReplayedOperators) {
            exhausted_ = true;
            return false;
        }
        return interpreter_.Take(op);
    }
    bool Exhausted() const { return exhausted_; }

private:
    pclxl_dump::XlOperatorSink& interpreter_;
    std::size_t& replayed_;
    bool exhausted_ = false;
};

std::string StreamName(const Attributes& attributes) {
    return attributes.Text(attr_code::kStreamName);
}

}  // namespace

void Interpreter::BeginStream(const XlOperator&, const Attributes& attributes) {
    streams_.Begin(StreamName(attributes));
}

void Interpreter::ReadStream(const XlOperator& op, const Attributes& attributes) {
    const double length = attributes.Number(attr_code::kStreamDataLength);
    if (length != static_cast<double>(op.data.size())) {
        throw RenderError("StreamDataLength " + std::to_string(static_cast<long long>(length)) +
                          " differs from the " + std::to_string(op.data.size()) +
                          " bytes of data");
    }
    streams_.Append(op.data);
}

void Interpreter::EndStream(const XlOperator&, const Attributes&) {
    streams_.End();
}

void Interpreter::RemoveStream(const XlOperator&, const Attributes& attributes) {
    streams_.Remove(StreamName(attributes));
}

void Interpreter::ExecStream(const XlOperator&, const Attributes& attributes) {
    const std::string name = StreamName(attributes);
    const StoredStream stream = streams_.Find(name);
    if (stream == nullptr) {
        throw RenderError("no stream \"" + name + "\" is defined");
    }
    if (replayDepth_ >= kMaxReplayDepth) {
        throw RenderError("streams nest more than " + std::to_string(kMaxReplayDepth) +
                          " deep");
    }
    pclxl_dump::Listing listing;
    pclxl_dump::ListingBuilder builder(listing, true);
    pclxl_dump::MemorySource source(*stream);
    pclxl_dump::SpoolCursor cursor(source);
    ReplaySink sink(*this, replayedOperators_);
    ++replayDepth_;
    pclxl_dump::ReadXlStream(cursor, builder, &sink);
    --replayDepth_;
    const std::string where = "in stream \"" + name + "\" ";
    if (failure_) {
        const RenderFailure inner = std::move(*failure_);
        failure_.reset();
        // A failure in a nested replay already names its stream and offset: it is handed on
        // as it is, so the message names where it happened, not every level around it.
        if (inner.message.starts_with(kNestedFailure)) {
            throw RenderError(inner.message.substr(kExecStreamLabel.size()));
        }
        throw RenderError(where + "at byte " + pclxl_dump::DescribeOffset(inner.offset) + ": " +
                          inner.message);
    }
    if (sink.Exhausted()) {
        throw RenderError("streams replayed more than " + std::to_string(kMaxReplayedOperators) +
                          " operators");
    }
    if (const pclxl_dump::ListingLine* problem = listing.FirstProblem()) {
        throw RenderError(where + "at byte " + pclxl_dump::DescribeOffset(problem->offset) +
                          ": " + problem->text);
    }
}

}  // namespace pclxl_render
