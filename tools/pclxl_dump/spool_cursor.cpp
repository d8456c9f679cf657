#include "spool_cursor.h"

#include <algorithm>

namespace pclxl_dump {

SpoolCursor::SpoolCursor(ByteSource& source, std::size_t window, ReadProgress progress)
    : source_(source),
      size_(source.Size()),
      window_(std::max<std::size_t>(window, 1)),
      progress_(std::move(progress)) {}

void SpoolCursor::Hold(std::size_t count) {
    const std::size_t dropped = std::min(released_, HeldEnd()) - heldStart_;
    if (dropped > 0) {
        held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(dropped));
        heldStart_ += dropped;
    }
    const std::size_t needEnd = position_ + count;
    const std::size_t wantEnd = std::min(size_, std::max(needEnd, HeldEnd() + window_));
    std::size_t filled = held_.size();
    held_.resize(wantEnd - heldStart_);
    while (heldStart_ + filled < wantEnd) {
        const std::size_t got = source_.Read(std::span(held_).subspan(filled));
        if (got == 0) {
            throw SpoolReadError("the file ended before its size said");
        }
        filled += got;
    }
    if (progress_) {
        progress_(HeldEnd(), size_);
    }
}

std::span<const std::uint8_t> SpoolCursor::Window(std::size_t count) {
    count = std::min(count, remaining());
    if (position_ + count > HeldEnd()) {
        Hold(count);
    }
    return std::span(held_).subspan(position_ - heldStart_, count);
}

bool SpoolCursor::Skip(std::size_t count) {
    if (!Has(count)) {
        return false;
    }
    position_ += count;
    return true;
}

bool SpoolCursor::ReadLittle(std::size_t size, std::uint32_t& value) {
    if (!Has(size)) {
        return false;
    }
    const auto bytes = Window(size);
    value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    position_ += size;
    return true;
}

bool SpoolCursor::Take(std::size_t count, std::span<const std::uint8_t>& taken) {
    if (!Has(count)) {
        return false;
    }
    taken = Window(count);
    position_ += count;
    return true;
}

void SpoolCursor::SkipTo(std::uint8_t byte) {
    while (!AtEnd()) {
        Release();
        const auto held = Window(window_);
        const auto found = std::find(held.begin(), held.end(), byte);
        position_ += static_cast<std::size_t>(found - held.begin());
        if (found != held.end()) {
            return;
        }
    }
}

}  // namespace pclxl_dump
