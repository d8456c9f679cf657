// The spool stream of one simulated device: every write is kept as its own chunk so tests can
// count writes, or goes on to a sink as it is written, as a spooler passes a job to its port;
// a write can be told to fail or to take fewer bytes than offered.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_api.h"

namespace sim::unidrv {

// Which path a chunk came through: the plug-in's two ways into the spool, or Unidrv's own
// output (the printer description's commands and the raster it draws).
enum class SpoolRoute { kDrvProcs, kHelperInterface, kUnidrv };

struct SpoolChunk {
    SpoolRoute route;
    std::string bytes;
};

// Where a streamed spool goes.
class SpoolSink {
public:
    virtual ~SpoolSink() = default;
    // Takes the bytes of one write; false when they cannot be taken, which fails the write.
    virtual bool Write(std::string_view bytes) = 0;
};

class SpoolCapture {
public:
    // From now on, accepted bytes go to `sink` and are not kept as chunks.
    void StreamTo(SpoolSink& sink) { sink_ = &sink; }

    // Takes what Unidrv would take of `count` bytes and returns how many were accepted.
    DWORD Write(SpoolRoute route, const void* bytes, DWORD count);

    // The write that many writes from now (1 = the next) accepts at most `accepted` bytes;
    // 0 makes it fail.
    void LimitWrite(std::size_t writesFromNow, DWORD accepted = 0);

    const std::vector<SpoolChunk>& Chunks() const { return chunks_; }
    // How many writes took fewer bytes than offered (none at all included).
    std::size_t ShortWrites() const { return shortWrites_; }
    // Everything accepted so far, in order.
    std::string Bytes() const;
    void Clear();

private:
    SpoolSink* sink_ = nullptr;
    std::vector<SpoolChunk> chunks_;
    std::size_t writesSeen_ = 0;
    std::size_t shortWrites_ = 0;
    std::map<std::size_t, DWORD> limits_;  // by write number
};

}  // namespace sim::unidrv
