#include "environment_record.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace job_host {
namespace {

constexpr unsigned kLargestProductType = 0xFF;

std::string FormatEnvironment(const HostEnvironment& environment) {
    const sim::VersionState& version = environment.version;
    char text[96];
    std::snprintf(
        text, sizeof text, "%lu.%lu.%lu %u\njob %lu\n", static_cast<unsigned long>(version.major),
        static_cast<unsigned long>(version.minor), static_cast<unsigned long>(version.build),
        static_cast<unsigned>(version.productType), static_cast<unsigned long>(environment.jobId));
    return text;
}

bool ParseEnvironment(const std::string& text, HostEnvironment& environment) {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
    unsigned productType = 0;
    unsigned long jobId = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lu.%lu.%lu %u\njob %lu%c", &major, &minor, &build, &productType,
                    &jobId, &end) != 6 ||
        end != '\n' || productType > kLargestProductType) {
        return false;
    }
    environment.version = {static_cast<DWORD>(major), static_cast<DWORD>(minor),
                           static_cast<DWORD>(build), static_cast<BYTE>(productType)};
    environment.jobId = static_cast<DWORD>(jobId);
    return true;
}

}  // namespace

bool WriteEnvironment(const char* path, const HostEnvironment& environment) {
    std::ofstream file(path, std::ios::binary);
    file << FormatEnvironment(environment);
    return static_cast<bool>(file.flush());
}

bool ReadEnvironment(const char* path, HostEnvironment& environment) {
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return (file.good() || file.eof()) && ParseEnvironment(text, environment);
}

}  // namespace job_host
