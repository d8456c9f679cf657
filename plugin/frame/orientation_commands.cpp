#include "frame/orientation_commands.h"

#include "pjl/orientation.h"
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

constexpr WCHAR kStaplingFeature[] = W("Stapling");
constexpr WCHAR kNoStapling[] = W("NONE");

bool StaplingSelected(const CommandContext& context) {
    const FeatureReading stapling(context.features(), kStaplingFeature);
    return stapling.present() && !stapling.Is(kNoStapling);
}

bool SheetTurned(const CommandContext& context) {
    const PrivateDevmode& devmode = context.devmode;
    SheetTurnInputs inputs{};
    inputs.manualDuplex = ManualDuplexInForce(context);
    // Stapling matters only without manual duplex; the feature is read only then.
    inputs.staplingSelected = !inputs.manualDuplex && StaplingSelected(context);
    inputs.privateOrientation = static_cast<DWORD>(devmode.Orientation);
    inputs.pagesPerSheet =
        EffectivePagesPerSheet(devmode, context.settings(), &context.publicDevmode);
    inputs.duplexDialogPending = context.pdev.DuplexDialogPending != 0;
    inputs.orientation = static_cast<DWORD>(context.settings().Orientation);
    inputs.flipSetting = devmode.ManualDuplexFlipSetting;
    inputs.simplexSingleLayout = devmode.SimplexSingleLayout;
    return SheetTurnFlag(inputs);
}

}  // namespace

void WriteOrientationAttribute(const CommandContext& context) {
    XlStream* stream = XlSpoolStreamCreate(context.device);
    const SHORT orientation = context.publicDevmode.dmOrientation;
    BYTE value = 0;
    if (stream != nullptr && OrientationAttributeValue(orientation,
                                                       context.devmode.RotatePages180 != 0,
                                                       SheetTurned(context), value)) {
        XlPutUByte(stream, value);
        XlPutAttribute(stream, kXlAttrOrientation);
    }
    context.pdev.WatermarkOrientation = static_cast<WORD>(orientation);
    XlStreamDestroy(stream);
}

void WriteContentOrientation(const CommandContext& context) {
    PjlLines lines;
    if (AppendContentOrientationLine(lines, context.publicDevmode.dmOrientation,
                                     PagesPerSheet(context.devmode.NupOption))) {
        WritePjlLines(context, lines);
    }
}

}  // namespace xlrender
