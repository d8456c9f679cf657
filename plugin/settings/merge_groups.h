// Which bytes of the private devmode travel together when a devmode is converted or merged.
// Each group is a list of byte ranges plus the texts it holds; a text is copied up to its
// bound (terminator included) and cut there. Padding and reserved bytes belong to no group.
#pragma once

#include <cstddef>
#include <span>

#include "platform/win32_api.h"
#include "settings/private_devmode.h"

namespace xlrender {

enum class MergeGroupId {
    kHeader,  // size, signature and version
    kKept,    // copied only from a block of the current version
    kPublic,  // mirrored from the public devmode whatever the versions
    k1,
    k2,
    k3,
    k4,
    k5,
    k6,
    k7,
    k8,
};

// The numbered groups in the order defaults, conversion and merging process them.
constexpr MergeGroupId kNumberedGroups[] = {MergeGroupId::k1, MergeGroupId::k2, MergeGroupId::k3,
                                            MergeGroupId::k4, MergeGroupId::k5, MergeGroupId::k6,
                                            MergeGroupId::k7, MergeGroupId::k8};

// A byte range [begin, end). Ranges marked kOnDuplicateCheck are copied only when the input
// block asks for the duplicate-job check; otherwise the output keeps its own values.
enum class CopyCondition { kAlways, kOnDuplicateCheck };
struct ByteRange {
    std::size_t begin;
    std::size_t end;
    CopyCondition condition = CopyCondition::kAlways;
};

struct TextField {
    std::size_t offset;
    std::size_t fieldUnits;  // the field's size
    std::size_t copyUnits;   // how many units a copy takes, terminator included
    std::size_t unitBytes;   // 2 for UTF-16, 1 for 8-bit text
    constexpr std::size_t end() const { return offset + fieldUnits * unitBytes; }
};

struct MergeGroup {
    MergeGroupId id;
    const char* name;
    std::span<const ByteRange> ranges;
    std::span<const TextField> texts;
};

// Every group, header, kept and public first, then 1 to 8 in the order they are processed.
std::span<const MergeGroup> MergeGroups();
const MergeGroup& GroupOf(MergeGroupId id);

// The group a byte belongs to, or null for padding and reserved bytes.
const MergeGroup* GroupAt(std::size_t offset);

// Copies the group's bytes and bounded texts from `in` to `out`. `in` must be a full block.
void CopyGroup(const MergeGroup& group, const PrivateDevmode& in, PrivateDevmode& out);

// Sets every byte that belongs to a group to zero; padding and reserved bytes stay.
void ZeroAllGroups(PrivateDevmode& devmode);

}  // namespace xlrender
