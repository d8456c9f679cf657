#include "pjl/pjl_text_conversion.h"

#include <climits>
#include <cstring>
#include <utility>

#include "platform/memory.h"

namespace xlrender {

OwnedPjlText::OwnedPjlText(OwnedPjlText&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      charset_(other.charset_) {}

OwnedPjlText& OwnedPjlText::operator=(OwnedPjlText&& other) noexcept {
    if (this != &other) {
        FreeBlock(bytes_);
        bytes_ = std::exchange(other.bytes_, nullptr);
        length_ = std::exchange(other.length_, 0);
        charset_ = other.charset_;
    }
    return *this;
}

OwnedPjlText::~OwnedPjlText() {
    FreeBlock(bytes_);
}

OwnedPjlText OwnedPjlText::CopyOf(const char* bytes, std::size_t length, PjlCharset charset) {
    auto* copy = static_cast<char*>(AllocateZeroed(length + 1));
    if (copy == nullptr || bytes == nullptr) {
        FreeBlock(copy);
        return {};
    }
    std::memcpy(copy, bytes, length);
    return OwnedPjlText(copy, length, charset);
}

OwnedPjlText ConvertForPjl(const WCHAR* text, PjlCharset charset, std::size_t sourceLimit) {
    if (text == nullptr) {
        return {};
    }
    const std::size_t units = TextLength(text, sourceLimit);
    if (units > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const UINT codePage = charset == PjlCharset::kUtf8 ? CP_UTF8 : CP_ACP;
    const DWORD flags = charset == PjlCharset::kUtf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int unitCount = static_cast<int>(units);
    // The converter rejects an empty input; an empty text converts to an empty value.
    int needed = 0;
    if (unitCount > 0) {
        needed =
            WideCharToMultiByte(codePage, flags, text, unitCount, nullptr, 0, nullptr, nullptr);
        if (needed <= 0) {
            return {};
        }
    }
    auto* bytes = static_cast<char*>(AllocateZeroed(static_cast<std::size_t>(needed) + 1));
    if (bytes == nullptr) {
        return {};
    }
    if (unitCount > 0 && WideCharToMultiByte(codePage, flags, text, unitCount, bytes, needed,
                                             nullptr, nullptr) != needed) {
        FreeBlock(bytes);
        return {};
    }
    return OwnedPjlText(bytes, static_cast<std::size_t>(needed), charset);
}

}  // namespace xlrender
