// Whether begin/end operator pairs and PushGS/PopGS match up, and whether the read operators
// come inside their pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "listing.h"

namespace pclxl_dump {

class OperatorBalance {
public:
    explicit OperatorBalance(ListingBuilder& out);

    // Takes operator `code` at `offset`; false when a problem stops the reading.
    bool Take(std::size_t offset, std::uint8_t code);
    // Reports what is still open where the stream ends (`where`: "before the end of the
    // file"); false when that stops the reading.
    bool Finish(std::size_t offset, const std::string& where);

private:
    struct Block {
        std::uint8_t begin;
        std::uint8_t end;
        std::uint8_t read;  // 0 when the pair has no read operator
        bool open = false;
        std::size_t openedAt = 0;
    };

    bool TakeBlock(Block& block, std::size_t offset, std::uint8_t code);
    bool CloseGraphicsStates(std::size_t offset, const std::string& where);

    ListingBuilder& out_;
    std::vector<Block> blocks_;
    std::size_t graphicsStateDepth_ = 0;
};

}  // namespace pclxl_dump
