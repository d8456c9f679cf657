#include "settings/dependent_files.h"

#include "platform/text.h"

namespace xlrender {

DependentFiles::DependentFiles(const DRIVER_INFO_3W* driver, DWORD driverBytes) {
    if (driver == nullptr || driverBytes < sizeof *driver) {
        return;
    }
    const auto* blockEnd =
        reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(driver) + driverBytes);
    const WCHAR* list = driver->pDependentFiles;
    // The list must lie inside the block, after the structure itself.
    if (list != nullptr &&
        reinterpret_cast<const BYTE*>(list) >= reinterpret_cast<const BYTE*>(driver + 1) &&
        list < blockEnd) {
        cursor_ = list;
        end_ = blockEnd;
    }
}

bool DependentFiles::Next(const WCHAR*& name, std::size_t& length) {
    if (cursor_ == nullptr || cursor_ >= end_ || *cursor_ == 0) {
        return false;
    }
    const std::size_t room = static_cast<std::size_t>(end_ - cursor_);
    const std::size_t found = TextLength(cursor_, room);
    if (found == room) {
        cursor_ = nullptr;  // the last name is not terminated inside the block
        return false;
    }
    name = cursor_;
    length = found;
    cursor_ += found + 1;
    return true;
}

}  // namespace xlrender
