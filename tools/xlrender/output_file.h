// Result files that appear whole or not at all: written to a temporary file beside the
// destination and renamed over it only when everything was written.
#pragma once

#include <string>
#include <string_view>

namespace xlrender::tool {

// A result file written piece by piece. "-" is standard output, which is written as the pieces
// come. Dropped without Commit, the temporary file is removed and the destination is untouched.
class OutputFile {
public:
    // Creates the temporary file; problem() says why when that fails.
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False, with problem() set, when the bytes cannot be written.
    bool Write(std::string_view bytes);
    // Writes what is buffered, syncs and renames the file into place; false with problem() set
    // when any of it fails.
    bool Commit();
    // What went wrong, empty while nothing has.
    const std::string& problem() const { return problem_; }

private:
    bool Flush();
    bool WriteOut(std::string_view bytes);
    void Discard();

    std::string path_;
    std::string temporary_;
    int descriptor_ = -1;
    std::string buffered_;
    std::string problem_;
};

// Writes `bytes` to `path` through OutputFile. Returns an empty string on success, else what
// went wrong.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace xlrender::tool
