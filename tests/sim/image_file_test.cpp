// Job pictures read from files: a file's claims are checked before they cost memory.
#include "unidrv/image_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace sim::unidrv {
namespace {

// The start of a progressive colour JPEG claiming `side` x `side` pixels: the header up to its
// first scan, and nothing of the scan.
std::vector<unsigned char> ProgressiveHeader(unsigned side) {
    const auto high = static_cast<unsigned char>(side >> 8);
    const auto low = static_cast<unsigned char>(side & 0xFF);
    return {0xFF, 0xD8,                                                   // start of image
            0xFF, 0xC2, 0x00, 0x11, 0x08, high, low, high, low, 0x03,     // progressive frame
            0x01, 0x11, 0x00, 0x02, 0x11, 0x00, 0x03, 0x11, 0x00,         // its components
            0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x00, 0x03,   // first scan: DC
            0x00, 0x00, 0x00, 0x00,                                       // of all three
            0xFF, 0xD9};                                                  // end of image
}

// Virtual memory of this process, in bytes.
rlim_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// Reads `file` with room for a few hundred megabytes more, and exits 0 when it is refused for
// its size: a reader that allocates first runs out of memory instead.
[[noreturn]] void ReadWithLittleMemory(const std::filesystem::path& file) {
    constexpr rlim_t kRoom = rlim_t{256} << 20;
    const rlimit limit{AddressSpaceInUse() + kRoom, RLIM_INFINITY};
    ::setrlimit(RLIMIT_AS, &limit);
    try {
        ReadImageFile(file);
    } catch (const ImageFileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        std::exit(std::string(error.what()).find("image size") == std::string::npos ? 1 : 0);
    }
    std::exit(2);
}

TEST(ImageFile, AnOversizedProgressiveJpegIsRefusedBeforeItsBuffersAreMade) {
    // 65500 x 65500 is the largest size JPEG can state; its coefficients would take 25 GB.
    const std::vector<unsigned char> bytes = ProgressiveHeader(65500);
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("xlrender-claim-" + std::to_string(::getpid()) + ".jpg");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_EXIT(ReadWithLittleMemory(file), ::testing::ExitedWithCode(0),
                "image size 65500 x 65500");
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace sim::unidrv
