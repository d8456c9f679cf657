#include "settings/private_devmode_defaults.h"

#include <cstring>
#include <iterator>

#include "platform/text.h"
#include "settings/locale_queries.h"

namespace xlrender {
namespace {

constexpr SHORT kFullScalePercent = 100;
constexpr DWORD kWatermarkDefaultAngle = 52;
constexpr DWORD kWatermarkDefaultSize = 80;
constexpr DWORD kWatermarkDefaultShade = 1;
constexpr DWORD kLightGrey = 0x00C0C0C0;
constexpr DWORD kAllBitsSet = 0xFFFFFFFF;
constexpr const WCHAR* kNoWatermark = W(" [none]");
// The text at 0xF38 is defaulted by clearing its first 256 bytes (half the field).
constexpr std::size_t kClearedF38Units = 256 / sizeof(WCHAR);

void ResetGroup1(PrivateDevmode& devmode, const DEVMODEW* publicIn) {
    if (publicIn != nullptr) {
        devmode.Orientation = publicIn->dmOrientation;
        devmode.Duplex = publicIn->dmDuplex;
    }
    devmode.FitScalePercent = kFullScalePercent;
    devmode.Carried068 = 0;
}

void ResetGroup2(PrivateDevmode& devmode, const DEVMODEW* publicIn) {
    devmode.Carried06C = 1;
    devmode.Carried070 = 6;
    for (int index : {0, 1, 4, 5, 8, 9}) {
        devmode.Carried074[index] = 0;
    }
    if (publicIn != nullptr) {
        devmode.Grayscale = publicIn->dmColor != DMCOLOR_COLOR ? 1 : 0;
    }
    devmode.Carried0A8 = 0;
    for (DWORD& value : devmode.Carried0AC) {
        value = 0;
    }
}

void ResetGroup3(PrivateDevmode& devmode, const DEVMODEW* publicIn) {
    CopyText(devmode.Carried0CC, std::size(devmode.Carried0CC), kNoWatermark);
    CopyText(devmode.WatermarkText, std::size(devmode.WatermarkText), kNoWatermark);
    devmode.WatermarkAngle = kWatermarkDefaultAngle;
    devmode.WatermarkSize = kWatermarkDefaultSize;
    devmode.WatermarkAngleMode = 0;
    devmode.WatermarkShade = kWatermarkDefaultShade;
    devmode.WatermarkStyle = 0;
    devmode.Carried6E0 = kLightGrey;
    devmode.WatermarkColor = 0;
    devmode.Carried6E8 = kLightGrey;
    devmode.Carried6F0 = 0;
    devmode.WatermarkEnabled = 0;
    devmode.ResizeToPaper = 0;
    if (publicIn != nullptr) {
        devmode.ResizePaperSize = publicIn->dmPaperSize;
    }
    devmode.UseFitScale = 1;
    devmode.ScalePercent = kFullScalePercent;
    devmode.WatermarkFirstPageOnly = 0;
    devmode.Carried70C = 1.0F;
}

void ResetGroup4(PrivateDevmode& devmode) {
    for (DWORD& value : devmode.Carried710) {
        value = 0;
    }
    devmode.RotatePages180 = 0;
    devmode.SimplexSingleLayout = 0;
    devmode.NupOption = 1;
    devmode.Carried724 = 0;
    devmode.ManualDuplexFlipSetting = 0;
    devmode.ManualDuplexSelected = 0;
    devmode.Carried730[0] = 0;
    devmode.Carried730[1] = 0;
    devmode.Carried738 = 1;
    devmode.Carried73C = 0;
    devmode.DuplexPaperCheck = 0;
    devmode.Carried744 = 0;
    for (DWORD& value : devmode.Carried1488) {
        value = 1;
    }
}

void ResetGroup5(PrivateDevmode& devmode) {
    devmode.Carried74C = 0;
    devmode.StorePinRequired = 0;
    devmode.StorePin = 0;
    devmode.JobNameOverride[0] = 0;
    devmode.JobStorageMode = 0;
    devmode.CarriedBA4 = 0;
    devmode.UseJobNameOverride = 0;
    devmode.CarriedBAC = 1;
    devmode.DuplicateJobCheck = 0;
    devmode.DuplicateJobCommand = 0;
    devmode.DuplicateJobAppend = 1;
}

void SetPairFromPublic(SourceMediaPair& pair, const DEVMODEW& publicIn) {
    pair.Source = static_cast<DWORD>(static_cast<LONG>(publicIn.dmDefaultSource));
    pair.Media = publicIn.dmMediaType;
}

void ResetGroup6(PrivateDevmode& devmode, const DEVMODEW* publicIn) {
    if (publicIn != nullptr) {
        SetPairFromPublic(devmode.SourceMedia0, *publicIn);
        SetPairFromPublic(devmode.SourceMedia1, *publicIn);
        for (SourceMediaPair& pair : devmode.SourceMedia2And3) {
            SetPairFromPublic(pair, *publicIn);
        }
        for (SourceMediaPair& pair : devmode.SourceMedia4To7) {
            SetPairFromPublic(pair, *publicIn);
        }
    }
    devmode.CarriedBC4 = 0;
    devmode.CarriedBD0 = 0;
    devmode.CarriedBD4 = kAllBitsSet;
    devmode.CarriedBF4 = 0;
    devmode.ResolutionOverride = 0;
    devmode.ResolutionKeyword[0] = 0;
    devmode.CarriedDFC = 0;
    devmode.CarriedE00 = 0;
    devmode.CarriedE04[0] = 0;
    devmode.CarriedE68[0] = 0;
    devmode.CarriedECC[0] = 0;
    devmode.A4Locale = IsA4Locale();
    for (DWORD& value : devmode.Carried150C) {
        value = 0;
    }
    devmode.Duplex = DMDUP_SIMPLEX;
}

void ResetGroup7(PrivateDevmode& devmode) {
    for (auto& record : devmode.ManualDuplexGeometry) {
        for (DWORD& value : record) {
            value = 0;
        }
    }
}

void ResetGroup8(PrivateDevmode& devmode) {
    devmode.CarriedF34 = 0;
    for (std::size_t unit = 0; unit < kClearedF38Units; ++unit) {
        devmode.CarriedF38[unit] = 0;
    }
    devmode.Carried1138 = 0;
    for (DWORD& value : devmode.Carried113C) {
        value = 0;
    }
    devmode.Carried1164 = 100;
    devmode.Carried1168 = 1;
}

void WriteKeptDefaults(PrivateDevmode& devmode) {
    devmode.PrintProcessorKind = kPrintProcessorDriver;
    devmode.Carried01C = 0;
    devmode.Carried020 = 0;
    devmode.Carried02C = 0;
    devmode.TrueTypeMode = kTrueTypeOther;
    devmode.Carried1474 = -1;
    devmode.Carried1478[0] = 0;
    devmode.Carried136C[0] = 0;
    devmode.RenderFlags = 0;
}

}  // namespace

void WritePrivateDevmodeHeader(PrivateDevmode& devmode) {
    devmode.dwSize = kPrivateDevmodeSize;
    devmode.dwSignature = kPrivateDevmodeSignature;
    devmode.dwVersion = kPrivateDevmodeVersion;
}

void ResetGroup(MergeGroupId group, PrivateDevmode& devmode, const DEVMODEW* publicIn) {
    switch (group) {
        case MergeGroupId::k1: ResetGroup1(devmode, publicIn); break;
        case MergeGroupId::k2: ResetGroup2(devmode, publicIn); break;
        case MergeGroupId::k3: ResetGroup3(devmode, publicIn); break;
        case MergeGroupId::k4: ResetGroup4(devmode); break;
        case MergeGroupId::k5: ResetGroup5(devmode); break;
        case MergeGroupId::k6: ResetGroup6(devmode, publicIn); break;
        case MergeGroupId::k7: ResetGroup7(devmode); break;
        case MergeGroupId::k8: ResetGroup8(devmode); break;
        case MergeGroupId::kHeader:
        case MergeGroupId::kKept:
        case MergeGroupId::kPublic: break;  // not reset: written by the steps that own them
    }
}

void MirrorPublicDevmode(PrivateDevmode& devmode, const DEVMODEW& publicIn) {
    devmode.Copies = publicIn.dmCopies;
    devmode.Collate = publicIn.dmCollate;
    devmode.TrueTypeOption = publicIn.dmTTOption;
    devmode.Color = publicIn.dmColor;
    devmode.IcmMethod = publicIn.dmICMMethod;
    devmode.IcmIntent = publicIn.dmICMIntent;
    // Raw bytes, as the form name is stored: the first 16 units whether terminated or not.
    std::memcpy(devmode.FormName, publicIn.dmFormName, sizeof devmode.FormName);
}

bool SetPrivateDevmodeDefaults(OEMDMPARAM& param) {
    auto* devmode = static_cast<PrivateDevmode*>(param.pOEMDMOut);
    if (devmode == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    ZeroAllGroups(*devmode);
    WritePrivateDevmodeHeader(*devmode);
    WriteKeptDefaults(*devmode);
    for (MergeGroupId group : kNumberedGroups) {
        ResetGroup(group, *devmode, param.pPublicDMIn);
    }
    return true;
}

}  // namespace xlrender
