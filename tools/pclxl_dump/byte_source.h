// Where the spool reader's bytes come from: a file read front to back in pieces, or bytes
// already in memory. The reader asks for more only as it goes, so a file of any size is read in
// a bounded window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace pclxl_dump {

// The file could not be read to its end (an I/O error, or it shrank while being read).
class SpoolReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // How many bytes the source holds in all.
    virtual std::size_t Size() const = 0;
    // Copies the next bytes, up to `into.size()`, and says how many; 0 only at the end.
    // Throws SpoolReadError when the bytes cannot be read.
    virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Size() const override { return bytes_.size(); }
    std::size_t Read(std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Opens `path` for reading; null when it cannot be opened. A regular file is read in pieces;
// anything else (a pipe, a terminal) is read whole first, since its size is only known at its
// end and the reader's messages name how much of the file is left.
std::unique_ptr<ByteSource> OpenSpoolFile(const std::string& path);

}  // namespace pclxl_dump
