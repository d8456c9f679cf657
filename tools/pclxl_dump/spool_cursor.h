// A read position in a spool file that holds only a window of it in memory: bytes come from the
// source as the reader moves on, and bytes behind the last Release are dropped when more are
// needed. Whatever the reader looks at (a line, a value, a data block) is held whole until it
// releases it, so a block is never split; nothing past the end of the file is ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "byte_source.h"

namespace pclxl_dump {

// Told how far the reading is (bytes read from the file, bytes in all) each time the window
// moves on.
using ReadProgress = std::function<void(std::size_t bytesRead, std::size_t size)>;

// Bytes read from the source at a time, unless a block needs more.
constexpr std::size_t kDefaultReadWindow = 256 * 1024;

class SpoolCursor {
public:
    explicit SpoolCursor(ByteSource& source, std::size_t window = kDefaultReadWindow,
                         ReadProgress progress = {});

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return size_ - position_; }
    bool AtEnd() const { return position_ == size_; }
    bool Has(std::size_t count) const { return count <= remaining(); }

    // The byte at `ahead` bytes past the position; only call when Has(ahead + 1).
    std::uint8_t Peek(std::size_t ahead = 0) {
        if (position_ + ahead >= HeldEnd()) {
            Hold(ahead + 1);
        }
        return held_[position_ + ahead - heldStart_];
    }
    // The next `count` bytes (fewer at the end of the file), valid until the cursor reads on.
    std::span<const std::uint8_t> Window(std::size_t count);

    bool Skip(std::size_t count);
    // Little-endian unsigned reads of 1, 2 or 4 bytes; false (nothing consumed) when short.
    bool ReadLittle(std::size_t size, std::uint32_t& value);
    // Takes the next `count` bytes, valid until the cursor reads on; false (nothing consumed)
    // when short.
    bool Take(std::size_t count, std::span<const std::uint8_t>& taken);

    // How far past the position the first byte from `from` bytes on lies that `isEnd` accepts,
    // or remaining() when there is none; the bytes up to it are held.
    template <typename Predicate>
    std::size_t Find(std::size_t from, Predicate isEnd) {
        for (std::size_t ahead = from; ahead < remaining(); ++ahead) {
            if (isEnd(Peek(ahead))) {
                return ahead;
            }
        }
        return remaining();
    }
    // Moves to the next `byte` at or after the position, or to the end, releasing what it
    // passes.
    void SkipTo(std::uint8_t byte);

    // The bytes before the position are not needed any more.
    void Release() { released_ = position_; }
    // Bytes read earlier and not released: `offset` at or after the last Release.
    std::span<const std::uint8_t> HeldBytes(std::size_t offset, std::size_t count) const {
        return std::span(held_).subspan(offset - heldStart_, count);
    }

private:
    std::size_t HeldEnd() const { return heldStart_ + held_.size(); }
    // Makes the `count` bytes from the position (which must exist) held.
    void Hold(std::size_t count);

    ByteSource& source_;
    std::size_t size_;
    std::size_t window_;
    ReadProgress progress_;
    std::vector<std::uint8_t> held_;  // the file's bytes from heldStart_ on
    std::size_t heldStart_ = 0;
    std::size_t position_ = 0;
    std::size_t released_ = 0;
};

}  // namespace pclxl_dump
