#include "operator_balance.h"

#include <string>

#include "pclxl_names.h"

namespace pclxl_dump {
namespace {

std::string Name(std::uint8_t code) { return OperatorName(code); }

}  // namespace

OperatorBalance::OperatorBalance(ListingBuilder& out)
    : out_(out),
      blocks_{
          {op::kBeginSession, op::kEndSession, 0},
          {op::kBeginPage, op::kEndPage, 0},
          {op::kBeginFontHeader, op::kEndFontHeader, op::kReadFontHeader},
          {op::kBeginChar, op::kEndChar, op::kReadChar},
          {op::kBeginImage, op::kEndImage, op::kReadImage},
          {op::kBeginRastPattern, op::kEndRastPattern, op::kReadRastPattern},
          {op::kBeginStream, op::kEndStream, op::kReadStream},
          {op::kBeginScan, op::kEndScan, op::kScanLineRel},
      } {}

bool OperatorBalance::Take(std::size_t offset, std::uint8_t code) {
    if (code == op::kPushGS) {
        ++graphicsStateDepth_;
        return true;
    }
    if (code == op::kPopGS) {
        if (graphicsStateDepth_ == 0) {
            return out_.Problem(offset, "PopGS without a matching PushGS");
        }
        --graphicsStateDepth_;
        return true;
    }
    if (code == op::kEndPage && !CloseGraphicsStates(offset, "by EndPage")) {
        return false;
    }
    for (Block& block : blocks_) {
        if (!TakeBlock(block, offset, code)) {
            return false;
        }
    }
    return true;
}

bool OperatorBalance::TakeBlock(Block& block, std::size_t offset, std::uint8_t code) {
    if (code == block.begin) {
        const bool wasOpen = block.open;
        const std::size_t openedAt = block.openedAt;
        block.open = true;
        block.openedAt = offset;
        if (wasOpen) {
            return out_.Problem(offset, Name(code) + " while the " + Name(code) + " at " +
                                            DescribeOffset(openedAt) + " is still open");
        }
    } else if (code == block.end) {
        if (!block.open) {
            return out_.Problem(offset, Name(code) + " without a matching " + Name(block.begin));
        }
        block.open = false;
    } else if (code == block.read && block.read != 0 && !block.open) {
        return out_.Problem(offset, Name(code) + " outside " + Name(block.begin) + "/" +
                                        Name(block.end));
    }
    return true;
}

bool OperatorBalance::CloseGraphicsStates(std::size_t offset, const std::string& where) {
    const std::size_t depth = graphicsStateDepth_;
    graphicsStateDepth_ = 0;
    if (depth == 0) {
        return true;
    }
    return out_.Problem(offset, std::to_string(depth) + " PushGS without PopGS " + where);
}

bool OperatorBalance::Finish(std::size_t offset, const std::string& where) {
    if (!CloseGraphicsStates(offset, where)) {
        return false;
    }
    for (Block& block : blocks_) {
        if (block.open) {
            block.open = false;
            if (!out_.Problem(offset, Name(block.begin) + " at " +
                                          DescribeOffset(block.openedAt) + " has no " +
                                          Name(block.end) + " " + where)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace pclxl_dump
