#include "unidrv/spool_capture.h"

#include <algorithm>

namespace sim::unidrv {

DWORD SpoolCapture::Write(SpoolRoute route, const void* bytes, DWORD count) {
    ++writesSeen_;
    DWORD accepted = count;
    const auto limit = limits_.find(writesSeen_);
    if (limit != limits_.end()) {
        accepted = std::min(count, limit->second);
        limits_.erase(limit);
    }
    const std::string_view taken(static_cast<const char*>(bytes), bytes == nullptr ? 0 : accepted);
    if (sink_ != nullptr && !taken.empty() && !sink_->Write(taken)) {
        accepted = 0;
    }
    if (accepted < count || bytes == nullptr) {
        ++shortWrites_;
    }
    if (accepted == 0 || bytes == nullptr) {
        return 0;
    }
    if (sink_ == nullptr) {
        chunks_.push_back({route, std::string(taken)});
    }
    return accepted;
}

void SpoolCapture::LimitWrite(std::size_t writesFromNow, DWORD accepted) {
    limits_[writesSeen_ + writesFromNow] = accepted;
}

std::string SpoolCapture::Bytes() const {
    std::string all;
    for (const SpoolChunk& chunk : chunks_) {
        all += chunk.bytes;
    }
    return all;
}

void SpoolCapture::Clear() {
    chunks_.clear();
}

}  // namespace sim::unidrv
