// The benchmarks' A4 photo page: an A4 page at 600 dpi holding a 2400 x 1600 photograph made by
// the project's own generator, drawn at its own size.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "unidrv/job_description.h"

namespace xlrender::bench {

constexpr int kPhotoWidth = 2400;
constexpr int kPhotoHeight = 1600;

inline std::filesystem::path ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// The photograph, made once; empty when it cannot be made.
inline std::filesystem::path PhotoFile() {
    const std::filesystem::path photo =
        std::filesystem::temp_directory_path() / "xlrender-bench-photo-2400x1600.jpg";
    if (!std::filesystem::exists(photo)) {
        const std::string command = (ProgramFolder() / "xlrender-example-photo").string() + " " +
                                    std::to_string(kPhotoWidth) + " " +
                                    std::to_string(kPhotoHeight) + " " + photo.string();
        if (std::system(command.c_str()) != 0) {
            return {};
        }
    }
    return photo;
}

// 2400 x 1600 pixels at 600 dpi is 101.6 x 67.733 mm: drawn at its own size (DrvBitBlt).
// `jobKeys` are further top-level keys of the job (with a trailing comma).
inline sim::unidrv::JobDescription PhotoPageJob(const std::filesystem::path& photo,
                                                const std::string& jobKeys = "") {
    const std::string json = "{" + jobKeys + R"("pages": [{"content": [{"image": ")" +
                             photo.string() +
                             R"(", "at": {"x": 20, "y": 30, "width": 101.6,
                                          "height": 67.7333333}}]}]})";
    return sim::unidrv::ParseJobDescription(json, "/");
}

// The keys that send photographs as JPEG: colour output and "JPEGEnable" "Maximum".
constexpr char kJpegJobKeys[] =
    R"("features": {"JPEGEnable": "Maximum"}, "publicDevmode": {"color": "color"},)";

}  // namespace xlrender::bench
