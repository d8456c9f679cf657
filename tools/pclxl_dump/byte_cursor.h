// A read position in a byte span that never moves past its end: every read says whether the
// bytes were there, so no input can make the reader look outside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pclxl_dump {

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : bytes_(bytes), position_(position < bytes.size() ? position : bytes.size()) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }
    bool Has(std::size_t count) const { return count <= remaining(); }

    // The byte at `ahead` bytes past the position; only call when Has(ahead + 1).
    std::uint8_t Peek(std::size_t ahead = 0) const { return bytes_[position_ + ahead]; }
    // The next `count` bytes (fewer at the end of the span).
    std::span<const std::uint8_t> Window(std::size_t count) const {
        return bytes_.subspan(position_, count < remaining() ? count : remaining());
    }

    bool Skip(std::size_t count) {
        if (!Has(count)) {
            return false;
        }
        position_ += count;
        return true;
    }
    void SkipToEnd() { position_ = bytes_.size(); }
    void MoveTo(std::size_t position) {
        position_ = position < bytes_.size() ? position : bytes_.size();
    }

    // Little-endian unsigned reads of 1, 2 or 4 bytes; false (nothing consumed) when short.
    bool ReadLittle(std::size_t size, std::uint32_t& value) {
        if (!Has(size)) {
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint32_t>(bytes_[position_ + i]) << (8 * i);
        }
        position_ += size;
        return true;
    }

    // Big-endian unsigned reads of 1, 2 or 4 bytes, as font data stores them; false (nothing
    // consumed) when short.
    bool ReadBig(std::size_t size, std::uint32_t& value) {
        if (!Has(size)) {
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value = value << 8 | bytes_[position_ + i];
        }
        position_ += size;
        return true;
    }

    // Takes the next `count` bytes; false (nothing consumed) when short.
    bool Take(std::size_t count, std::span<const std::uint8_t>& taken) {
        if (!Has(count)) {
            return false;
        }
        taken = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
};

}  // namespace pclxl_dump
