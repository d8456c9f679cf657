#include "render_spool.h"

#include "pclxl_dump/spool_reader.h"

namespace pclxl_render {

RenderOutcome RenderSpool(std::span<const std::uint8_t> bytes, const RenderOptions& options,
                          const PageConsumer& consumer) {
    pclxl_dump::MemorySource spool(bytes);
    return RenderSpool(spool, options, consumer);
}

RenderOutcome RenderSpool(pclxl_dump::ByteSource& spool, const RenderOptions& options,
                          const PageConsumer& consumer) {
    Interpreter interpreter(options, consumer);
    // Only the problem that stops the rendering matters here, not the listing's lines.
    pclxl_dump::SpoolReading reading;
    reading.stopAtFirstProblem = true;
    reading.sink = &interpreter;
    reading.onLine = [](const pclxl_dump::ListingLine&) {};
    const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(spool, reading);
    RenderOutcome outcome;
    outcome.pagesPrinted = interpreter.PagesPrinted();
    if (const auto& failure = interpreter.Failure()) {
        outcome.failureOffset = failure->offset;
        outcome.failure = failure->message;
    } else if (const pclxl_dump::ListingLine* problem = listing.FirstProblem()) {
        outcome.failureOffset = problem->offset;
        outcome.failure = problem->text;
    } else {
        outcome.succeeded = true;
    }
    return outcome;
}

}  // namespace pclxl_render
