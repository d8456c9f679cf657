// Module files with version resources, as GetFileVersionInfoW finds them.
#pragma once

#include <map>
#include <string>

#include "platform/win32_api.h"

namespace sim {

// The four parts of a file version, most significant first.
struct FileVersion {
    WORD major;
    WORD minor;
    WORD build;
    WORD revision;
};

struct VersionResources {
    // Declares a file with a version resource. File names compare ignoring case, as Windows
    // file names do.
    void Declare(const std::u16string& path, FileVersion version);
    // The version of a declared file, or null.
    const FileVersion* Find(const WCHAR* path) const;

    std::map<std::u16string, FileVersion> byUpperCasePath;
};

}  // namespace sim
