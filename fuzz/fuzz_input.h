// Splits a fuzzer's bytes into the values a target needs. Every read succeeds: past the end of
// the input it yields zeros and empty pieces, so any input describes some case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xlrender::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return left() > 0 ? data_[position_++] : 0; }

    bool Flag() { return (Byte() & 1) != 0; }

    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }

    // Up to `count` bytes.
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        count = std::min(count, left());
        std::vector<std::uint8_t> bytes(data_ + position_, data_ + position_ + count);
        position_ += count;
        return bytes;
    }

    // A piece whose length the input states in one byte.
    std::vector<std::uint8_t> Piece() { return Bytes(Byte()); }

    // A piece of UTF-16 text of up to 127 units, with whatever units the input holds.
    std::u16string Text() {
        const std::vector<std::uint8_t> bytes = Bytes(Byte() & ~1u);
        std::u16string text(bytes.size() / 2, u'\0');
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(text.data()));
        return text;
    }

    std::vector<std::uint8_t> Rest() { return Bytes(left()); }

    std::size_t left() const { return size_ - position_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace xlrender::fuzz
