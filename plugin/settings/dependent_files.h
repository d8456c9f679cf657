// The dependent-file list of a printer driver (DRIVER_INFO_3W), read only inside the block the
// spooler filled: a list that runs past the block's end is never read beyond it.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

class DependentFiles {
public:
    // `driver` and `driverBytes` as GetDriverInfo3 returns them.
    DependentFiles(const DRIVER_INFO_3W* driver, DWORD driverBytes);

    // The next name and its length in units; false at the end of the list or at a name that is
    // not terminated inside the block.
    bool Next(const WCHAR*& name, std::size_t& length);

private:
    const WCHAR* cursor_ = nullptr;
    const WCHAR* end_ = nullptr;
};

}  // namespace xlrender
