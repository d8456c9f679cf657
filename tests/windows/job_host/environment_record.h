// What the Windows run's environment supplied that reaches the plug-in's output, carried from the
// Windows run to the Linux run as text: the Windows version GetVersionExW reports and the id the
// spooler gave the job ("6.1.7601 1" and "job 1", one a line). They are the environment's, not
// the plug-in's, so the stand-in is given the values Wine gave and the two spools can be held to
// each other byte for byte.
#pragma once

#include "os_version_state.h"
#include "platform/win32_api.h"

namespace job_host {

struct HostEnvironment {
    sim::VersionState version;
    DWORD jobId = 0;
};

bool WriteEnvironment(const char* path, const HostEnvironment& environment);
// False when the file cannot be read or does not hold the two lines.
bool ReadEnvironment(const char* path, HostEnvironment& environment);

}  // namespace job_host
