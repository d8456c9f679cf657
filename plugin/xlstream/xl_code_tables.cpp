#include "xlstream/xl_code_tables.h"

#include <array>
#include <initializer_list>

namespace xlrender {
namespace {

struct CodeRange {
    BYTE first;
    BYTE last;
};

using CodeTable = std::array<BYTE, 256>;

// Entry i holds i for an accepted code, 0 otherwise.
constexpr CodeTable BuildTable(std::initializer_list<CodeRange> accepted) {
    CodeTable table{};
    for (const CodeRange& range : accepted) {
        for (int code = range.first; code <= range.last; ++code) {
            table[static_cast<std::size_t>(code)] = static_cast<BYTE>(code);
        }
    }
    return table;
}

constexpr int CountAccepted(const CodeTable& table) {
    int count = 0;
    for (BYTE entry : table) {
        count += entry != 0 ? 1 : 0;
    }
    return count;
}

constexpr CodeTable kAttributeTable = BuildTable({
    {0x01, 0x09}, {0x0B, 0x0F}, {0x11, 0x15}, {0x1D, 0x2D}, {0x2F, 0x36}, {0x41, 0x54},
    {0x61, 0x69}, {0x6B, 0x6F}, {0x73, 0x78}, {0x81, 0x82}, {0x86, 0x86}, {0x88, 0x8D},
    {0x8F, 0x8F}, {0x91, 0xB1},
});
static_assert(CountAccepted(kAttributeTable) == 127);

constexpr CodeTable kOperatorTable = BuildTable({
    {0x41, 0x44}, {0x46, 0x4B}, {0x4F, 0x58}, {0x5B, 0x81}, {0x84, 0x86}, {0x91, 0x99},
    {0x9B, 0x9B}, {0x9D, 0xA3}, {0xA8, 0xAA}, {0xB0, 0xB6}, {0xB8, 0xB9}, {0xBF, 0xBF},
});
static_assert(CountAccepted(kOperatorTable) == 92);

BYTE Lookup(const CodeTable& table, WORD code) {
    return code < table.size() ? table[code] : BYTE{0};
}

}  // namespace

BYTE XlAcceptedAttribute(WORD id) { return Lookup(kAttributeTable, id); }

BYTE XlAcceptedOperator(WORD code) { return Lookup(kOperatorTable, code); }

}  // namespace xlrender
