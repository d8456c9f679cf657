#include "byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pclxl_dump {
namespace {

constexpr std::size_t kPipeChunkBytes = 1 << 16;

// Reads as much as the descriptor gives, retrying interrupted reads; -1 on an error.
ssize_t ReadSome(int descriptor, std::span<std::uint8_t> into) {
    for (;;) {
        const ssize_t got = ::read(descriptor, into.data(), into.size());
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

// A regular file, read in order; its size is fixed when it is opened.
class FileSource final : public ByteSource {
public:
    FileSource(int descriptor, std::size_t size) : descriptor_(descriptor), size_(size) {}

    std::size_t Size() const override { return size_; }

    std::size_t Read(std::span<std::uint8_t> into) override {
        into = into.first(std::min(into.size(), size_ - position_));
        if (into.empty()) {
            return 0;
        }
        const ssize_t got = ReadSome(descriptor_.get(), into);
        if (got < 0) {
            throw SpoolReadError(std::strerror(errno));
        }
        if (got == 0) {
            throw SpoolReadError("the file became shorter while it was read");
        }
        position_ += static_cast<std::size_t>(got);
        return static_cast<std::size_t>(got);
    }

private:
    Descriptor descriptor_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Whatever is not a regular file, read whole.
class ReadWholeSource final : public ByteSource {
public:
    explicit ReadWholeSource(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes)), memory_(bytes_) {}
    std::size_t Size() const override { return memory_.Size(); }
    std::size_t Read(std::span<std::uint8_t> into) override { return memory_.Read(into); }

private:
    std::vector<std::uint8_t> bytes_;
    MemorySource memory_;
};

}  // namespace

std::size_t MemorySource::Read(std::span<std::uint8_t> into) {
    const std::size_t count = std::min(into.size(), bytes_.size() - position_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, into.begin());
    position_ += count;
    return count;
}

std::unique_ptr<ByteSource> OpenSpoolFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    if (S_ISREG(status.st_mode)) {
        ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
        return std::make_unique<FileSource>(descriptor, static_cast<std::size_t>(status.st_size));
    }
    const Descriptor owned(descriptor);
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t used = bytes.size();
        bytes.resize(used + kPipeChunkBytes);
        const ssize_t got = ReadSome(owned.get(), std::span(bytes).subspan(used));
        if (got < 0) {
            return nullptr;
        }
        bytes.resize(used + static_cast<std::size_t>(got));
        if (got == 0) {
            return std::make_unique<ReadWholeSource>(std::move(bytes));
        }
    }
}

}  // namespace pclxl_dump
