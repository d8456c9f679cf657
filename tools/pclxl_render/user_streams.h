// The user-defined streams of a session: PCL XL streams that BeginStream / ReadStream /
// EndStream store under a name and ExecStream replays. Storage is bounded so that no file can
// make the preview hold unbounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pclxl_render {

using StoredStream = std::shared_ptr<const std::vector<std::uint8_t>>;

class UserStreams {
public:
    // All stored streams together may hold this many bytes.
    static constexpr std::size_t kMaxStoredBytes = 64 * 1024 * 1024;

    bool Defining() const { return defining_.has_value(); }
    // Starts the definition of `name`; a stream of that name is replaced when it ends.
    void Begin(std::string name);
    void Append(std::span<const std::uint8_t> data);
    void End();
    // The stored stream, or null. Shared, so that a replay outlives its own RemoveStream.
    StoredStream Find(const std::string& name) const;
    void Remove(const std::string& name);

private:
    struct Definition {
        std::string name;
        std::vector<std::uint8_t> bytes;
    };
    std::size_t StoredBytes() const;

    std::map<std::string, StoredStream> streams_;
    std::optional<Definition> defining_;
};

}  // namespace pclxl_render
