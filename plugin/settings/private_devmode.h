// The plug-in's private devmode: a stored format that travels with every job and with the
// printer's saved defaults, so every offset below is fixed. Fields the user-interface side owns
// and this plug-in only carries are named after their offset. Reserved bytes are never written.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win32_api.h"
#include "settings/devmode_identity.h"

namespace xlrender {

struct SourceMediaPair {
    DWORD Source;  // DMBIN_* of the public devmode
    DWORD Media;   // DMMEDIA_* of the public devmode
};

constexpr int kManualDuplexRecordCount = 3;
constexpr int kManualDuplexRecordWords = 8;

struct PrivateDevmode {
    // OEM_DMEXTRAHEADER
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;

    DWORD PrinterCode;  // printer-code table position; 0 = not yet known
    DWORD ColorMode;    // colour-mode table position; 0 = not yet known
    DWORD PdlType;      // PDL table position; 0 = not yet known
    DWORD PrintProcessorKind;
    DWORD Carried01C;
    DWORD Carried020;
    DWORD SpoolPath;
    DWORD Carried028;
    DWORD Carried02C;

    SHORT Orientation;  // DMORIENT_*
    SHORT Duplex;       // DMDUP_*
    SHORT FitScalePercent;
    SHORT Copies;          // mirror of the public dmCopies
    SHORT Collate;         // mirror of the public dmCollate
    SHORT TrueTypeOption;  // mirror of the public dmTTOption
    SHORT Color;           // mirror of the public dmColor
    BYTE Padding03E[2];
    DWORD IcmMethod;     // mirror of the public dmICMMethod
    DWORD IcmIntent;     // mirror of the public dmICMIntent
    WCHAR FormName[16];  // the first 16 units of the public dmFormName

    DWORD Carried068;
    DWORD Carried06C;
    DWORD Carried070;
    DWORD Carried074[12];
    DWORD Grayscale;
    DWORD Carried0A8;
    DWORD Carried0AC[8];

    // Watermark settings.
    WCHAR Carried0CC[256];
    WCHAR WatermarkText[256];
    WCHAR WatermarkFace[256];
    LONG WatermarkAngle;
    LONG WatermarkSize;
    LONG WatermarkAngleMode;
    LONG WatermarkShade;
    LONG WatermarkStyle;
    DWORD Carried6E0;
    LONG WatermarkColor;
    DWORD Carried6E8;
    BYTE Padding6EC[4];
    DWORD Carried6F0;
    DWORD WatermarkEnabled;

    DWORD ResizeToPaper;
    LONG ResizePaperSize;  // DMPAPER_*
    DWORD UseFitScale;
    DWORD ScalePercent;
    DWORD WatermarkFirstPageOnly;
    FLOAT Carried70C;

    DWORD Carried710[2];
    DWORD RotatePages180;  // nonzero: every page is printed turned by 180 degrees
    DWORD SimplexSingleLayout;
    DWORD NupOption;
    DWORD Carried724;
    DWORD ManualDuplexFlipSetting;  // the user's choice for turning manual-duplex back sides
    DWORD ManualDuplexSelected;
    DWORD Carried730[2];
    DWORD Carried738;
    DWORD Carried73C;
    DWORD DuplexPaperCheck;
    DWORD Carried744;

    // Job storage and retention.
    DWORD JobRetentionInstalled;
    DWORD Carried74C;
    DWORD StorePinRequired;
    DWORD StorePin;
    WCHAR Carried758[257];
    WCHAR JobNameOverride[257];
    DWORD JobStorageMode;
    DWORD CarriedB60;
    DWORD CarriedB64[10];
    DWORD CarriedB8C[3];
    DWORD UserNameMode;  // 0: the job's user name goes to the printer; 1: only without job storage
    DWORD CarriedB9C[2];
    DWORD CarriedBA4;
    DWORD UseJobNameOverride;
    DWORD CarriedBAC;
    DWORD DuplicateJobCheck;
    DWORD DuplicateJobCommand;
    DWORD DuplicateJobAppend;

    // Paper sources, media and resolution.
    SourceMediaPair SourceMedia0;
    DWORD CarriedBC4;
    SourceMediaPair SourceMedia1;
    DWORD CarriedBD0;
    DWORD CarriedBD4;
    DWORD CarriedBD8[2];
    SourceMediaPair SourceMedia2And3[2];
    DWORD MaxResolution;  // maximum-resolution table position; 0 = not yet known
    DWORD CarriedBF4;
    DWORD ResolutionOverride;
    WCHAR ResolutionKeyword[256];
    DWORD CarriedDFC;
    DWORD CarriedE00;
    WCHAR CarriedE04[50];
    WCHAR CarriedE68[50];
    WCHAR CarriedECC[50];
    DWORD A4Locale;

    DWORD CarriedF34;
    WCHAR CarriedF38[256];
    DWORD Carried1138;
    DWORD Carried113C[10];
    DWORD Carried1164;
    DWORD Carried1168;
    BYTE Reserved116C[0x136C - 0x116C];

    WCHAR Carried136C[82];
    DWORD ManualDuplexGeometry[kManualDuplexRecordCount][kManualDuplexRecordWords];
    DWORD TrueTypeMode;
    LONG Carried1474;
    char Carried1478[15];  // 8-bit text
    BYTE Reserved1487[1];
    DWORD Carried1488[25];
    SourceMediaPair SourceMedia4To7[4];
    DWORD Carried150C[3];
    BYTE Reserved1518[8];
    DWORD RenderFlags;
};

static_assert(sizeof(PrivateDevmode) == kPrivateDevmodeSize);
static_assert(alignof(PrivateDevmode) == 4);
static_assert(std::is_standard_layout_v<PrivateDevmode>);
static_assert(std::is_trivially_copyable_v<PrivateDevmode>);

#define XLR_ASSERT_OFFSET(field, offset) \
    static_assert(offsetof(PrivateDevmode, field) == (offset), #field)
XLR_ASSERT_OFFSET(dwSize, 0x000);
XLR_ASSERT_OFFSET(dwSignature, 0x004);
XLR_ASSERT_OFFSET(dwVersion, 0x008);
XLR_ASSERT_OFFSET(PrinterCode, 0x00C);
XLR_ASSERT_OFFSET(ColorMode, 0x010);
XLR_ASSERT_OFFSET(PdlType, 0x014);
XLR_ASSERT_OFFSET(PrintProcessorKind, 0x018);
XLR_ASSERT_OFFSET(Carried01C, 0x01C);
XLR_ASSERT_OFFSET(Carried020, 0x020);
XLR_ASSERT_OFFSET(SpoolPath, 0x024);
XLR_ASSERT_OFFSET(Carried028, 0x028);
XLR_ASSERT_OFFSET(Carried02C, 0x02C);
XLR_ASSERT_OFFSET(Orientation, 0x030);
XLR_ASSERT_OFFSET(Duplex, 0x032);
XLR_ASSERT_OFFSET(FitScalePercent, 0x034);
XLR_ASSERT_OFFSET(Copies, 0x036);
XLR_ASSERT_OFFSET(Collate, 0x038);
XLR_ASSERT_OFFSET(TrueTypeOption, 0x03A);
XLR_ASSERT_OFFSET(Color, 0x03C);
XLR_ASSERT_OFFSET(Padding03E, 0x03E);
XLR_ASSERT_OFFSET(IcmMethod, 0x040);
XLR_ASSERT_OFFSET(IcmIntent, 0x044);
XLR_ASSERT_OFFSET(FormName, 0x048);
XLR_ASSERT_OFFSET(Carried068, 0x068);
XLR_ASSERT_OFFSET(Carried06C, 0x06C);
XLR_ASSERT_OFFSET(Carried070, 0x070);
XLR_ASSERT_OFFSET(Carried074, 0x074);
XLR_ASSERT_OFFSET(Grayscale, 0x0A4);
XLR_ASSERT_OFFSET(Carried0A8, 0x0A8);
XLR_ASSERT_OFFSET(Carried0AC, 0x0AC);
XLR_ASSERT_OFFSET(Carried0CC, 0x0CC);
XLR_ASSERT_OFFSET(WatermarkText, 0x2CC);
XLR_ASSERT_OFFSET(WatermarkFace, 0x4CC);
XLR_ASSERT_OFFSET(WatermarkAngle, 0x6CC);
XLR_ASSERT_OFFSET(WatermarkSize, 0x6D0);
XLR_ASSERT_OFFSET(WatermarkAngleMode, 0x6D4);
XLR_ASSERT_OFFSET(WatermarkShade, 0x6D8);
XLR_ASSERT_OFFSET(WatermarkStyle, 0x6DC);
XLR_ASSERT_OFFSET(Carried6E0, 0x6E0);
XLR_ASSERT_OFFSET(WatermarkColor, 0x6E4);
XLR_ASSERT_OFFSET(Carried6E8, 0x6E8);
XLR_ASSERT_OFFSET(Padding6EC, 0x6EC);
XLR_ASSERT_OFFSET(Carried6F0, 0x6F0);
XLR_ASSERT_OFFSET(WatermarkEnabled, 0x6F4);
XLR_ASSERT_OFFSET(ResizeToPaper, 0x6F8);
XLR_ASSERT_OFFSET(ResizePaperSize, 0x6FC);
XLR_ASSERT_OFFSET(UseFitScale, 0x700);
XLR_ASSERT_OFFSET(ScalePercent, 0x704);
XLR_ASSERT_OFFSET(WatermarkFirstPageOnly, 0x708);
XLR_ASSERT_OFFSET(Carried70C, 0x70C);
XLR_ASSERT_OFFSET(Carried710, 0x710);
XLR_ASSERT_OFFSET(RotatePages180, 0x718);
XLR_ASSERT_OFFSET(SimplexSingleLayout, 0x71C);
XLR_ASSERT_OFFSET(NupOption, 0x720);
XLR_ASSERT_OFFSET(Carried724, 0x724);
XLR_ASSERT_OFFSET(ManualDuplexFlipSetting, 0x728);
XLR_ASSERT_OFFSET(ManualDuplexSelected, 0x72C);
XLR_ASSERT_OFFSET(Carried730, 0x730);
XLR_ASSERT_OFFSET(Carried738, 0x738);
XLR_ASSERT_OFFSET(Carried73C, 0x73C);
XLR_ASSERT_OFFSET(DuplexPaperCheck, 0x740);
XLR_ASSERT_OFFSET(Carried744, 0x744);
XLR_ASSERT_OFFSET(JobRetentionInstalled, 0x748);
XLR_ASSERT_OFFSET(Carried74C, 0x74C);
XLR_ASSERT_OFFSET(StorePinRequired, 0x750);
XLR_ASSERT_OFFSET(StorePin, 0x754);
XLR_ASSERT_OFFSET(Carried758, 0x758);
XLR_ASSERT_OFFSET(JobNameOverride, 0x95A);
XLR_ASSERT_OFFSET(JobStorageMode, 0xB5C);
XLR_ASSERT_OFFSET(CarriedB60, 0xB60);
XLR_ASSERT_OFFSET(CarriedB64, 0xB64);
XLR_ASSERT_OFFSET(CarriedB8C, 0xB8C);
XLR_ASSERT_OFFSET(UserNameMode, 0xB98);
XLR_ASSERT_OFFSET(CarriedB9C, 0xB9C);
XLR_ASSERT_OFFSET(CarriedBA4, 0xBA4);
XLR_ASSERT_OFFSET(UseJobNameOverride, 0xBA8);
XLR_ASSERT_OFFSET(CarriedBAC, 0xBAC);
XLR_ASSERT_OFFSET(DuplicateJobCheck, 0xBB0);
XLR_ASSERT_OFFSET(DuplicateJobCommand, 0xBB4);
XLR_ASSERT_OFFSET(DuplicateJobAppend, 0xBB8);
XLR_ASSERT_OFFSET(SourceMedia0, 0xBBC);
XLR_ASSERT_OFFSET(CarriedBC4, 0xBC4);
XLR_ASSERT_OFFSET(SourceMedia1, 0xBC8);
XLR_ASSERT_OFFSET(CarriedBD0, 0xBD0);
XLR_ASSERT_OFFSET(CarriedBD4, 0xBD4);
XLR_ASSERT_OFFSET(CarriedBD8, 0xBD8);
XLR_ASSERT_OFFSET(SourceMedia2And3, 0xBE0);
XLR_ASSERT_OFFSET(MaxResolution, 0xBF0);
XLR_ASSERT_OFFSET(CarriedBF4, 0xBF4);
XLR_ASSERT_OFFSET(ResolutionOverride, 0xBF8);
XLR_ASSERT_OFFSET(ResolutionKeyword, 0xBFC);
XLR_ASSERT_OFFSET(CarriedDFC, 0xDFC);
XLR_ASSERT_OFFSET(CarriedE00, 0xE00);
XLR_ASSERT_OFFSET(CarriedE04, 0xE04);
XLR_ASSERT_OFFSET(CarriedE68, 0xE68);
XLR_ASSERT_OFFSET(CarriedECC, 0xECC);
XLR_ASSERT_OFFSET(A4Locale, 0xF30);
XLR_ASSERT_OFFSET(CarriedF34, 0xF34);
XLR_ASSERT_OFFSET(CarriedF38, 0xF38);
XLR_ASSERT_OFFSET(Carried1138, 0x1138);
XLR_ASSERT_OFFSET(Carried113C, 0x113C);
XLR_ASSERT_OFFSET(Carried1164, 0x1164);
XLR_ASSERT_OFFSET(Carried1168, 0x1168);
XLR_ASSERT_OFFSET(Reserved116C, 0x116C);
XLR_ASSERT_OFFSET(Carried136C, 0x136C);
XLR_ASSERT_OFFSET(ManualDuplexGeometry, 0x1410);
XLR_ASSERT_OFFSET(TrueTypeMode, 0x1470);
XLR_ASSERT_OFFSET(Carried1474, 0x1474);
XLR_ASSERT_OFFSET(Carried1478, 0x1478);
XLR_ASSERT_OFFSET(Reserved1487, 0x1487);
XLR_ASSERT_OFFSET(Carried1488, 0x1488);
XLR_ASSERT_OFFSET(SourceMedia4To7, 0x14EC);
XLR_ASSERT_OFFSET(Carried150C, 0x150C);
XLR_ASSERT_OFFSET(Reserved1518, 0x1518);
XLR_ASSERT_OFFSET(RenderFlags, 0x1520);
#undef XLR_ASSERT_OFFSET

// PrintProcessorKind values.
enum PrintProcessorKindValue : DWORD {
    kPrintProcessorDriver = 1,
    kPrintProcessorSystem = 2,
    kPrintProcessorOther = 3,
};

// SpoolPath values.
enum SpoolPathValue : DWORD {
    kSpoolPathRawOnly = 1,
    kSpoolPathSystemEmf = 2,
    kSpoolPathDriverEmf = 3,
};

// TrueTypeMode values.
constexpr DWORD kTrueTypeAsBitmaps = 1;
constexpr DWORD kTrueTypeOther = 2;

// RenderFlags bits.
constexpr DWORD kRenderRaiseColorCount = 0x00001000;
constexpr DWORD kRenderGraySurface = 0x00080000;

// The private devmode Unidrv keeps for a device context, or null.
inline PrivateDevmode* PrivateDevmodeOf(DEVOBJ* device) {
    return device == nullptr ? nullptr : static_cast<PrivateDevmode*>(device->pOEMDM);
}

}  // namespace xlrender
