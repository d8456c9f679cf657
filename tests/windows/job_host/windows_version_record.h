// The Windows version the plug-in reads through GetVersionExW, carried from the Windows run to
// the Linux run as one line of text ("10.0.19045 1": major.minor.build, product type): it is the
// environment's, not the plug-in's, so the stand-in is given the version Wine reported and the
// two spools can be held to each other byte for byte.
#pragma once

#include "os_version_state.h"

namespace job_host {

bool WriteWindowsVersion(const char* path, const sim::VersionState& version);
// False when the file cannot be read or is not one such line.
bool ReadWindowsVersion(const char* path, sim::VersionState& version);

}  // namespace job_host
