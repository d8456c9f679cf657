#include "linux_announcement.h"

#include <cstdlib>
#include <iterator>
#include <sstream>

namespace xlrender::smoke {
namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

DWORD HexAfter(const std::string& line, const std::string& marker) {
    const std::size_t at = line.find(marker);
    return at == std::string::npos ? 0
                                   : std::strtoul(line.c_str() + at + marker.size(), nullptr, 16);
}

}  // namespace

bool ParseLinuxAnnouncement(const std::string& text, LinuxAnnouncement& announced) {
    std::istringstream lines(text);
    const std::string implemented = "implemented:";
    const std::string notImplemented = "not implemented:";
    const std::string hookIndex = "(index ";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("signature:", 0) == 0) {
            announced.signature = HexAfter(line, "(0x");
        } else if (line.rfind("interface version:", 0) == 0) {
            announced.interfaceVersion = HexAfter(line, "0x");
        } else if (line.rfind("plug-in version:", 0) == 0) {
            announced.version = HexAfter(line, "0x");
        } else if (line.rfind(implemented, 0) == 0) {
            announced.implemented = Words(line.substr(implemented.size()));
        } else if (line.rfind(notImplemented, 0) == 0) {
            announced.notImplemented = Words(line.substr(notImplemented.size()));
        } else if (const std::size_t at = line.find(hookIndex); at != std::string::npos) {
            announced.hookIndexes.push_back(
                std::strtoul(line.c_str() + at + hookIndex.size(), nullptr, 10));
        }
    }
    return announced.signature != 0 && announced.version != 0 && !announced.implemented.empty() &&
           !announced.notImplemented.empty() && !announced.hookIndexes.empty();
}

}  // namespace xlrender::smoke
