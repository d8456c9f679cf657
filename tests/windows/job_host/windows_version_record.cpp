#include "windows_version_record.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace job_host {
namespace {

std::string FormatWindowsVersion(const sim::VersionState& version) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu %u\n", static_cast<unsigned long>(version.major),
                  static_cast<unsigned long>(version.minor),
                  static_cast<unsigned long>(version.build),
                  static_cast<unsigned>(version.productType));
    return text;
}

bool ParseWindowsVersion(const std::string& text, sim::VersionState& version) {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
    unsigned productType = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lu.%lu.%lu %u%c", &major, &minor, &build, &productType,
                    &end) != 5 ||
        end != '\n' || productType > 0xFF) {
        return false;
    }
    version = {static_cast<DWORD>(major), static_cast<DWORD>(minor), static_cast<DWORD>(build),
               static_cast<BYTE>(productType)};
    return true;
}

}  // namespace

bool WriteWindowsVersion(const char* path, const sim::VersionState& version) {
    std::ofstream file(path, std::ios::binary);
    file << FormatWindowsVersion(version);
    return static_cast<bool>(file.flush());
}

bool ReadWindowsVersion(const char* path, sim::VersionState& version) {
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return file.good() || file.eof() ? ParseWindowsVersion(text, version) : false;
}

}  // namespace job_host
