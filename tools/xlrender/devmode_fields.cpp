#include "devmode_fields.h"

#include "settings/private_devmode.h"

namespace xlrender::tool {
namespace {

#define FIELD(member, kind) \
    DevmodeField { #member, offsetof(PrivateDevmode, member), sizeof(PrivateDevmode::member), kind }
#define PAIR(member, label)                                                                   \
    DevmodeField{label ".Source", offsetof(PrivateDevmode, member), 4, FieldKind::kUnsigned}, \
        DevmodeField {                                                                        \
        label ".Media", offsetof(PrivateDevmode, member) + 4, 4, FieldKind::kUnsigned         \
    }

constexpr DevmodeField kFields[] = {
    FIELD(dwSize, FieldKind::kUnsigned),
    FIELD(dwSignature, FieldKind::kSignature),
    FIELD(dwVersion, FieldKind::kFlags),
    FIELD(PrinterCode, FieldKind::kUnsigned),
    FIELD(ColorMode, FieldKind::kUnsigned),
    FIELD(PdlType, FieldKind::kUnsigned),
    FIELD(PrintProcessorKind, FieldKind::kUnsigned),
    FIELD(SpoolPath, FieldKind::kUnsigned),
    FIELD(Orientation, FieldKind::kShort),
    FIELD(Duplex, FieldKind::kShort),
    FIELD(FitScalePercent, FieldKind::kShort),
    FIELD(Copies, FieldKind::kShort),
    FIELD(Collate, FieldKind::kShort),
    FIELD(TrueTypeOption, FieldKind::kShort),
    FIELD(Color, FieldKind::kShort),
    FIELD(IcmMethod, FieldKind::kUnsigned),
    FIELD(IcmIntent, FieldKind::kUnsigned),
    FIELD(FormName, FieldKind::kWideText),
    FIELD(Grayscale, FieldKind::kUnsigned),
    FIELD(Carried0CC, FieldKind::kWideText),
    FIELD(WatermarkText, FieldKind::kWideText),
    FIELD(WatermarkFace, FieldKind::kWideText),
    FIELD(WatermarkAngle, FieldKind::kSigned),
    FIELD(WatermarkSize, FieldKind::kSigned),
    FIELD(WatermarkAngleMode, FieldKind::kSigned),
    FIELD(WatermarkShade, FieldKind::kSigned),
    FIELD(WatermarkStyle, FieldKind::kSigned),
    FIELD(WatermarkColor, FieldKind::kSigned),
    FIELD(WatermarkEnabled, FieldKind::kUnsigned),
    FIELD(ResizeToPaper, FieldKind::kUnsigned),
    FIELD(ResizePaperSize, FieldKind::kSigned),
    FIELD(UseFitScale, FieldKind::kUnsigned),
    FIELD(ScalePercent, FieldKind::kUnsigned),
    FIELD(WatermarkFirstPageOnly, FieldKind::kUnsigned),
    FIELD(Carried70C, FieldKind::kFloat),
    FIELD(SimplexSingleLayout, FieldKind::kUnsigned),
    FIELD(NupOption, FieldKind::kUnsigned),
    FIELD(ManualDuplexSelected, FieldKind::kUnsigned),
    FIELD(DuplexPaperCheck, FieldKind::kUnsigned),
    FIELD(JobRetentionInstalled, FieldKind::kUnsigned),
    FIELD(StorePinRequired, FieldKind::kUnsigned),
    FIELD(StorePin, FieldKind::kUnsigned),
    FIELD(Carried758, FieldKind::kWideText),
    FIELD(JobNameOverride, FieldKind::kWideText),
    FIELD(JobStorageMode, FieldKind::kUnsigned),
    FIELD(UseJobNameOverride, FieldKind::kUnsigned),
    FIELD(DuplicateJobCheck, FieldKind::kUnsigned),
    FIELD(DuplicateJobCommand, FieldKind::kUnsigned),
    FIELD(DuplicateJobAppend, FieldKind::kUnsigned),
    PAIR(SourceMedia0, "SourceMedia0"),
    PAIR(SourceMedia1, "SourceMedia1"),
    PAIR(SourceMedia2And3[0], "SourceMedia2"),
    PAIR(SourceMedia2And3[1], "SourceMedia3"),
    FIELD(MaxResolution, FieldKind::kUnsigned),
    FIELD(ResolutionOverride, FieldKind::kUnsigned),
    FIELD(ResolutionKeyword, FieldKind::kWideText),
    FIELD(CarriedE04, FieldKind::kWideText),
    FIELD(CarriedE68, FieldKind::kWideText),
    FIELD(CarriedECC, FieldKind::kWideText),
    FIELD(A4Locale, FieldKind::kUnsigned),
    FIELD(CarriedF38, FieldKind::kWideText),
    FIELD(Carried136C, FieldKind::kWideText),
    FIELD(ManualDuplexGeometry, FieldKind::kWords),
    FIELD(TrueTypeMode, FieldKind::kUnsigned),
    FIELD(Carried1474, FieldKind::kSigned),
    FIELD(Carried1478, FieldKind::kNarrowText),
    PAIR(SourceMedia4To7[0], "SourceMedia4"),
    PAIR(SourceMedia4To7[1], "SourceMedia5"),
    PAIR(SourceMedia4To7[2], "SourceMedia6"),
    PAIR(SourceMedia4To7[3], "SourceMedia7"),
    FIELD(RenderFlags, FieldKind::kFlags),
};

#undef FIELD
#undef PAIR

constexpr bool SortedWithoutOverlap() {
    for (std::size_t i = 1; i < std::size(kFields); ++i) {
        if (kFields[i].offset < kFields[i - 1].offset + kFields[i - 1].size) {
            return false;
        }
    }
    return true;
}
static_assert(SortedWithoutOverlap());

}  // namespace

std::span<const DevmodeField> DevmodeFields() { return kFields; }

}  // namespace xlrender::tool
