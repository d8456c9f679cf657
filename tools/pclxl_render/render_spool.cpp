#include "render_spool.h"

#include "pclxl_dump/spool_reader.h"

namespace pclxl_render {

RenderOutcome RenderSpool(std::span<const std::uint8_t> bytes, const RenderOptions& options,
                          const PageConsumer& consumer) {
    Interpreter interpreter(options, consumer);
    const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(bytes, true, &interpreter);
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
