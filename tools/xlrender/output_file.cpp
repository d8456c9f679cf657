#include "output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace xlrender::tool {
namespace {

// Small writes are gathered up to this much before they reach the file.
constexpr std::size_t kBufferBytes = 1 << 20;
constexpr std::string_view kStandardOutput = "-";

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
    buffered_.reserve(kBufferBytes);
    if (path == kStandardOutput) {
        descriptor_ = STDOUT_FILENO;
        return;
    }
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    temporary_ = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    descriptor_ = ::mkstemp(temporary_.data());
    if (descriptor_ < 0) {
        problem_ = "cannot create a file in " + folder.string() + ": " + std::strerror(errno);
        temporary_.clear();
    }
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Discard() {
    if (temporary_.empty()) {
        return;
    }
    ::close(descriptor_);
    std::remove(temporary_.c_str());
    temporary_.clear();
}

bool OutputFile::Write(std::string_view bytes) {
    if (!problem_.empty()) {
        return false;
    }
    if (buffered_.size() + bytes.size() <= kBufferBytes) {
        buffered_ += bytes;
        return true;
    }
    if (!Flush()) {
        return false;
    }
    if (bytes.size() < kBufferBytes) {
        buffered_ += bytes;
        return true;
    }
    return WriteOut(bytes);
}

bool OutputFile::Flush() {
    const bool written = WriteOut(buffered_);
    buffered_.clear();
    return written;
}

bool OutputFile::WriteOut(std::string_view bytes) {
    if (!WriteAll(descriptor_, bytes)) {
        problem_ = "cannot write " +
                   (path_ == kStandardOutput ? std::string("to standard output") : path_) + ": " +
                   std::strerror(errno);
        return false;
    }
    return true;
}

bool OutputFile::Commit() {
    if (!problem_.empty() || !Flush()) {
        return false;
    }
    if (path_ == kStandardOutput) {
        return true;
    }
    const bool synced = ::fsync(descriptor_) == 0;
    const int syncError = errno;
    const bool closed = ::close(descriptor_) == 0;
    if (!synced || !closed) {
        problem_ = "cannot write " + path_ + ": " + std::strerror(synced ? errno : syncError);
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        problem_ = "cannot create " + path_ + ": " + std::strerror(errno);
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    return true;
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file(path);
    if (file.Write(bytes)) {
        file.Commit();
    }
    return file.problem();
}

}  // namespace xlrender::tool
