#include "settings/merge_groups.h"

#include <cstring>
#include <iterator>

#include "platform/text.h"

namespace xlrender {
namespace {

#define XLR_FIELD_RANGE(first, last)                                      \
    ByteRange {                                                           \
        offsetof(PrivateDevmode, first),                                  \
            offsetof(PrivateDevmode, last) + sizeof(PrivateDevmode::last) \
    }
#define XLR_WIDE_TEXT(field, bound)                                                            \
    TextField {                                                                                \
        offsetof(PrivateDevmode, field), sizeof(PrivateDevmode::field) / sizeof(WCHAR), bound, \
            sizeof(WCHAR)                                                                      \
    }

constexpr ByteRange kHeaderRanges[] = {XLR_FIELD_RANGE(dwSize, dwVersion)};

constexpr ByteRange kKeptRanges[] = {
    XLR_FIELD_RANGE(PrinterCode, Carried02C),
    XLR_FIELD_RANGE(TrueTypeMode, Carried1474),
    XLR_FIELD_RANGE(RenderFlags, RenderFlags),
};
constexpr TextField kKeptTexts[] = {
    XLR_WIDE_TEXT(Carried136C, 82),
    TextField{offsetof(PrivateDevmode, Carried1478), sizeof(PrivateDevmode::Carried1478), 15, 1},
};

constexpr ByteRange kPublicRanges[] = {
    XLR_FIELD_RANGE(Copies, Color),
    XLR_FIELD_RANGE(IcmMethod, FormName),
};

constexpr ByteRange kGroup1Ranges[] = {
    XLR_FIELD_RANGE(Orientation, FitScalePercent),
    XLR_FIELD_RANGE(Carried068, Carried068),
};

constexpr ByteRange kGroup2Ranges[] = {XLR_FIELD_RANGE(Carried06C, Carried0AC)};

constexpr ByteRange kGroup3Ranges[] = {
    XLR_FIELD_RANGE(WatermarkAngle, Carried6E8),
    XLR_FIELD_RANGE(Carried6F0, Carried70C),
};
constexpr TextField kGroup3Texts[] = {
    XLR_WIDE_TEXT(Carried0CC, 256),
    XLR_WIDE_TEXT(WatermarkText, 256),
    XLR_WIDE_TEXT(WatermarkFace, 256),
};

constexpr ByteRange kGroup4Ranges[] = {
    XLR_FIELD_RANGE(Carried710, Carried744),
    XLR_FIELD_RANGE(Carried1488, Carried1488),
};

constexpr ByteRange kGroup5Ranges[] = {
    XLR_FIELD_RANGE(JobRetentionInstalled, StorePin),
    XLR_FIELD_RANGE(JobStorageMode, CarriedBAC),
    ByteRange{offsetof(PrivateDevmode, DuplicateJobCheck),
              offsetof(PrivateDevmode, DuplicateJobAppend) + sizeof(DWORD),
              CopyCondition::kOnDuplicateCheck},
};
constexpr TextField kGroup5Texts[] = {
    XLR_WIDE_TEXT(Carried758, 16),
    XLR_WIDE_TEXT(JobNameOverride, 16),
};

constexpr ByteRange kGroup6Ranges[] = {
    XLR_FIELD_RANGE(Duplex, Duplex),
    XLR_FIELD_RANGE(SourceMedia0, ResolutionOverride),
    XLR_FIELD_RANGE(CarriedDFC, CarriedE00),
    XLR_FIELD_RANGE(A4Locale, A4Locale),
    XLR_FIELD_RANGE(SourceMedia4To7, Carried150C),
};
constexpr TextField kGroup6Texts[] = {
    XLR_WIDE_TEXT(ResolutionKeyword, 256),
    XLR_WIDE_TEXT(CarriedE04, 50),
    XLR_WIDE_TEXT(CarriedE68, 50),
    XLR_WIDE_TEXT(CarriedECC, 50),
};

constexpr ByteRange kGroup7Ranges[] = {XLR_FIELD_RANGE(ManualDuplexGeometry, ManualDuplexGeometry)};

constexpr ByteRange kGroup8Ranges[] = {
    XLR_FIELD_RANGE(CarriedF34, CarriedF34),
    XLR_FIELD_RANGE(Carried1138, Carried1168),
};
constexpr TextField kGroup8Texts[] = {XLR_WIDE_TEXT(CarriedF38, 256)};

#undef XLR_FIELD_RANGE
#undef XLR_WIDE_TEXT

constexpr MergeGroup kGroups[] = {
    {MergeGroupId::kHeader, "header", kHeaderRanges, {}},
    {MergeGroupId::kKept, "kept", kKeptRanges, kKeptTexts},
    {MergeGroupId::kPublic, "public", kPublicRanges, {}},
    {MergeGroupId::k1, "1", kGroup1Ranges, {}},
    {MergeGroupId::k2, "2", kGroup2Ranges, {}},
    {MergeGroupId::k3, "3", kGroup3Ranges, kGroup3Texts},
    {MergeGroupId::k4, "4", kGroup4Ranges, {}},
    {MergeGroupId::k5, "5", kGroup5Ranges, kGroup5Texts},
    {MergeGroupId::k6, "6", kGroup6Ranges, kGroup6Texts},
    {MergeGroupId::k7, "7", kGroup7Ranges, {}},
    {MergeGroupId::k8, "8", kGroup8Ranges, kGroup8Texts},
};

BYTE* BytesOf(PrivateDevmode& devmode) { return reinterpret_cast<BYTE*>(&devmode); }
const BYTE* BytesOf(const PrivateDevmode& devmode) {
    return reinterpret_cast<const BYTE*>(&devmode);
}

void CopyBoundedText(const TextField& text, const BYTE* from, BYTE* to) {
    if (text.unitBytes == sizeof(WCHAR)) {
        CopyText(reinterpret_cast<WCHAR*>(to + text.offset), text.copyUnits,
                 reinterpret_cast<const WCHAR*>(from + text.offset), text.copyUnits);
    } else {
        CopyText(reinterpret_cast<char*>(to + text.offset), text.copyUnits,
                 reinterpret_cast<const char*>(from + text.offset), text.copyUnits);
    }
}

}  // namespace

std::span<const MergeGroup> MergeGroups() { return kGroups; }

const MergeGroup& GroupOf(MergeGroupId id) { return kGroups[static_cast<std::size_t>(id)]; }

const MergeGroup* GroupAt(std::size_t offset) {
    for (const MergeGroup& group : kGroups) {
        for (const ByteRange& range : group.ranges) {
            if (offset >= range.begin && offset < range.end) {
                return &group;
            }
        }
        for (const TextField& text : group.texts) {
            if (offset >= text.offset && offset < text.end()) {
                return &group;
            }
        }
    }
    return nullptr;
}

void CopyGroup(const MergeGroup& group, const PrivateDevmode& in, PrivateDevmode& out) {
    const bool duplicateCheckRequested = in.DuplicateJobCheck == 1;
    for (const ByteRange& range : group.ranges) {
        if (range.condition == CopyCondition::kOnDuplicateCheck && !duplicateCheckRequested) {
            continue;
        }
        std::memcpy(BytesOf(out) + range.begin, BytesOf(in) + range.begin, range.end - range.begin);
    }
    for (const TextField& text : group.texts) {
        CopyBoundedText(text, BytesOf(in), BytesOf(out));
    }
}

void ZeroAllGroups(PrivateDevmode& devmode) {
    for (const MergeGroup& group : kGroups) {
        for (const ByteRange& range : group.ranges) {
            std::memset(BytesOf(devmode) + range.begin, 0, range.end - range.begin);
        }
        for (const TextField& text : group.texts) {
            std::memset(BytesOf(devmode) + text.offset, 0, text.end() - text.offset);
        }
    }
}

}  // namespace xlrender
