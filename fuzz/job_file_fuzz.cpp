// What `xlrender print` reads before anything is printed: the job description, the private
// devmode settings it names and the pictures its pages place. The input is the JSON text, then
// a zero byte, then the bytes of the picture file "picture" next to it. Any input must end as a
// job or as a JobFileError that says where it went wrong: no other exception, no crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "private_devmode_settings.h"
#include "unidrv/job_description.h"
#include "unidrv/job_runner.h"

namespace {

// A folder of this process's own for the picture file, removed when the process ends.
class PictureFolder {
public:
    PictureFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("xlrender-job-file-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~PictureFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const PictureFolder folder;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\0');
    const std::string json = input.substr(0, end);
    {
        std::ofstream picture(folder.path() / "picture", std::ios::binary | std::ios::trunc);
        if (end != std::string::npos) {
            picture << input.substr(end + 1);
        }
    }
    try {
        const sim::unidrv::JobDescription job =
            sim::unidrv::ParseJobDescription(json, folder.path());
        xlrender::tool::DriverSideFor(job);
        sim::unidrv::ReadJobImages(job);
    } catch (const sim::unidrv::JobFileError&) {
        // A bad job, told as such.
    }
    return 0;
}
