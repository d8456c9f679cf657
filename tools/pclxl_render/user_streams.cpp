#include "user_streams.h"

#include "render_error.h"

namespace pclxl_render {

void UserStreams::Begin(std::string name) {
    if (defining_) {
        throw RenderError("the stream \"" + defining_->name + "\" is still being defined");
    }
    defining_ = Definition{std::move(name), {}};
}

void UserStreams::Append(std::span<const std::uint8_t> data) {
    if (!defining_) {
        throw RenderError("no stream is being defined");
    }
    if (StoredBytes() + defining_->bytes.size() + data.size() > kMaxStoredBytes) {
        throw RenderError("user-defined streams would hold more than " +
                          std::to_string(kMaxStoredBytes >> 20) + " MB");
    }
    defining_->bytes.insert(defining_->bytes.end(), data.begin(), data.end());
}

void UserStreams::End() {
    if (!defining_) {
        throw RenderError("no stream is being defined");
    }
    Definition definition = std::move(*defining_);
    defining_.reset();
    streams_[definition.name] =
        std::make_shared<const std::vector<std::uint8_t>>(std::move(definition.bytes));
}

StoredStream UserStreams::Find(const std::string& name) const {
    const auto found = streams_.find(name);
    return found == streams_.end() ? nullptr : found->second;
}

void UserStreams::Remove(const std::string& name) {
    if (streams_.erase(name) == 0) {
        throw RenderError("no stream \"" + name + "\" is defined");
    }
}

std::size_t UserStreams::StoredBytes() const {
    std::size_t total = 0;
    for (const auto& [name, bytes] : streams_) {
        total += bytes->size();
    }
    return total;
}

}  // namespace pclxl_render
