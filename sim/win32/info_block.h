// Fills a spooler information block as Windows does: the fixed structure first, then the
// strings it points to, all inside the caller's buffer.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim {

class InfoBlock {
public:
    // Measures first: `buffer` null only counts bytes.
    explicit InfoBlock(BYTE* buffer, std::size_t fixedBytes) : buffer_(buffer), used_(fixedBytes) {}

    std::size_t size() const { return used_; }

    // Writes the fixed part (or one entry of a fixed array) at `offset`; nothing while measuring.
    void PutFixed(std::size_t offset, const void* fixed, std::size_t bytes) {
        if (buffer_ != nullptr) {
            std::memcpy(buffer_ + offset, fixed, bytes);
        }
    }

    // Places a terminated string and returns where it sits (null while measuring). A null
    // pointer is given for `absentWhenEmpty` strings that are empty.
    LPWSTR Put(const std::u16string& text, bool absentWhenEmpty = false) {
        if (absentWhenEmpty && text.empty()) {
            return nullptr;
        }
        return PutUnits(text.c_str(), text.size() + 1);
    }

    // Places a list of names, each terminated, the list ending with an empty name.
    LPWSTR PutList(const std::vector<std::u16string>& names) {
        std::u16string joined;
        for (const std::u16string& name : names) {
            joined += name;
            joined.push_back(0);
        }
        joined.push_back(0);
        return PutUnits(joined.data(), joined.size());
    }

    // Places the names one after another with nothing to end the last one.
    LPWSTR PutUnterminatedList(const std::vector<std::u16string>& names) {
        std::u16string joined;
        for (const std::u16string& name : names) {
            joined += name;
            joined.push_back(0);
        }
        if (!joined.empty()) {
            joined.pop_back();
        }
        return PutUnits(joined.data(), joined.size());
    }

private:
    LPWSTR PutUnits(const char16_t* units, std::size_t count) {
        used_ = (used_ + 1) & ~static_cast<std::size_t>(1);
        LPWSTR at = buffer_ == nullptr ? nullptr : reinterpret_cast<LPWSTR>(buffer_ + used_);
        if (at != nullptr) {
            std::memcpy(at, units, count * sizeof(char16_t));
        }
        used_ += count * sizeof(char16_t);
        return at;
    }

    BYTE* buffer_;
    std::size_t used_;
};

// Runs `fill` once to measure and, when the caller's buffer is large enough, once more into it.
// Applies the size-query protocol: too small (or null) → FALSE, ERROR_INSUFFICIENT_BUFFER.
template <typename Fill>
BOOL DeliverInfoBlock(std::size_t fixedBytes, LPBYTE buffer, DWORD bufferBytes, LPDWORD needed,
                      Fill fill) {
    InfoBlock measure(nullptr, fixedBytes);
    fill(measure);
    if (needed != nullptr) {
        *needed = static_cast<DWORD>(measure.size());
    }
    if (buffer == nullptr || bufferBytes < measure.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memset(buffer, 0, measure.size());
    InfoBlock block(buffer, fixedBytes);
    fill(block);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace sim
