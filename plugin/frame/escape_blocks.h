// The private escapes the driver's user interface and print processor send, and the blocks
// they exchange. The blocks are byte layouts shared with other modules: every offset is fixed.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win32_api.h"

namespace xlrender {

enum PrivateEscape : ULONG {
    kEscapeTechnology = 20,
    kEscapeSettingsSnapshot = 3880,
    kEscapePrintableArea = 3881,
    kEscapeEventDialog = 3882,
    kEscapePageLayout = 3883,
    kEscapeJobStorageDialog = 3900,
};

// Escape 3880: the job settings the user interface shows. Fields named Devmode<offset> carry the
// private devmode's words from that offset on; the Unwritten bytes are left as the caller's
// buffer holds them.
struct SettingsSnapshot {
    DWORD PdlType;
    DWORD Devmode710[4];     // 0x710-0x717 carried, RotatePages180, SimplexSingleLayout
    DWORD DevmodeResize[4];  // ResizeToPaper, ResizePaperSize, UseFitScale, ScalePercent
    LONG CustomRange[2];     // ActualCustomRange: first and second number
    DWORD WatermarkEnabled;
    DWORD WatermarkFirstPageOnly;
    BYTE Unwritten034[4];
    WCHAR Text0CC[256];
    WCHAR WatermarkText[256];
    WCHAR WatermarkFace[256];
    DWORD WatermarkLayout[8];  // devmode 0x6CC-0x6EB: angle, size, angle mode, shade, ...
    DWORD DevmodeBC4[4];       // devmode 0xBC4-0xBD3
    DWORD DevmodeBE0[4];       // devmode 0xBE0-0xBEF: source/media pairs 2 and 3
    DWORD AutoDuplexScaling;
    DWORD EmulateLsMargins;
    DWORD SymmetricMargins;
    DWORD ManualDuplexSelected;
    DWORD Devmode724[2];  // 0x724 carried, ManualDuplexFlipSetting
    DWORD Devmode738[2];
    DWORD ManualDuplexPageOrder;
    DWORD ManualDuplexModal;
    DWORD MapManualFeedToTray1;
    DWORD Devmode730[2];
    DWORD OutputOrderReverse;
    DWORD MopierInstalled;
    BYTE Unwritten6B4[4];
    DWORD SmartDuplexSinglePageJob;
    DWORD SmartDuplexOddPageJob;
    BYTE Unwritten6C0[12];
    DWORD PosterPrintingEnabled;
    DWORD PosterOption;
    DWORD Devmode1488[25];
    BYTE Unwritten738[4];
    DWORD Devmode14EC[4];  // source/media pairs 4 and 5
    DWORD Devmode1510;
    // 1 when DevmodeBC4[0] is set and pair 4 differs from pair 0.
    DWORD SourceMediaChanged;
    DWORD DevmodeDFC[2];
    DWORD AlternateLetterheadEnabled;
    SHORT Duplex;
    BYTE Unwritten762[2];
};

constexpr ULONG kSettingsSnapshotBytes = 1892;
static_assert(sizeof(SettingsSnapshot) == kSettingsSnapshotBytes);
static_assert(alignof(SettingsSnapshot) == 4);
static_assert(std::is_standard_layout_v<SettingsSnapshot>);
static_assert(std::is_trivially_copyable_v<SettingsSnapshot>);

#define XLR_ASSERT_OFFSET(field, offset) \
    static_assert(offsetof(SettingsSnapshot, field) == (offset), #field)
XLR_ASSERT_OFFSET(PdlType, 0x000);
XLR_ASSERT_OFFSET(Devmode710, 0x004);
XLR_ASSERT_OFFSET(DevmodeResize, 0x014);
XLR_ASSERT_OFFSET(CustomRange, 0x024);
XLR_ASSERT_OFFSET(WatermarkEnabled, 0x02C);
XLR_ASSERT_OFFSET(WatermarkFirstPageOnly, 0x030);
XLR_ASSERT_OFFSET(Unwritten034, 0x034);
XLR_ASSERT_OFFSET(Text0CC, 0x038);
XLR_ASSERT_OFFSET(WatermarkText, 0x238);
XLR_ASSERT_OFFSET(WatermarkFace, 0x438);
XLR_ASSERT_OFFSET(WatermarkLayout, 0x638);
XLR_ASSERT_OFFSET(DevmodeBC4, 0x658);
XLR_ASSERT_OFFSET(DevmodeBE0, 0x668);
XLR_ASSERT_OFFSET(AutoDuplexScaling, 0x678);
XLR_ASSERT_OFFSET(EmulateLsMargins, 0x67C);
XLR_ASSERT_OFFSET(SymmetricMargins, 0x680);
XLR_ASSERT_OFFSET(ManualDuplexSelected, 0x684);
XLR_ASSERT_OFFSET(Devmode724, 0x688);
XLR_ASSERT_OFFSET(Devmode738, 0x690);
XLR_ASSERT_OFFSET(ManualDuplexPageOrder, 0x698);
XLR_ASSERT_OFFSET(ManualDuplexModal, 0x69C);
XLR_ASSERT_OFFSET(MapManualFeedToTray1, 0x6A0);
XLR_ASSERT_OFFSET(Devmode730, 0x6A4);
XLR_ASSERT_OFFSET(OutputOrderReverse, 0x6AC);
XLR_ASSERT_OFFSET(MopierInstalled, 0x6B0);
XLR_ASSERT_OFFSET(Unwritten6B4, 0x6B4);
XLR_ASSERT_OFFSET(SmartDuplexSinglePageJob, 0x6B8);
XLR_ASSERT_OFFSET(SmartDuplexOddPageJob, 0x6BC);
XLR_ASSERT_OFFSET(Unwritten6C0, 0x6C0);
XLR_ASSERT_OFFSET(PosterPrintingEnabled, 0x6CC);
XLR_ASSERT_OFFSET(PosterOption, 0x6D0);
XLR_ASSERT_OFFSET(Devmode1488, 0x6D4);
XLR_ASSERT_OFFSET(Unwritten738, 0x738);
XLR_ASSERT_OFFSET(Devmode14EC, 0x73C);
XLR_ASSERT_OFFSET(Devmode1510, 0x74C);
XLR_ASSERT_OFFSET(SourceMediaChanged, 0x750);
XLR_ASSERT_OFFSET(DevmodeDFC, 0x754);
XLR_ASSERT_OFFSET(AlternateLetterheadEnabled, 0x75C);
XLR_ASSERT_OFFSET(Duplex, 0x760);
XLR_ASSERT_OFFSET(Unwritten762, 0x762);
#undef XLR_ASSERT_OFFSET

// Escape 3881: the printable area in device pixels.
struct PrintableArea {
    DWORD PrintableWidth;
    DWORD PrintableHeight;
    DWORD MarginX;
    DWORD MarginY;
};

constexpr ULONG kPrintableAreaBytes = 16;
static_assert(sizeof(PrintableArea) == kPrintableAreaBytes);
static_assert(offsetof(PrintableArea, PrintableHeight) == 4);
static_assert(offsetof(PrintableArea, MarginX) == 8 && offsetof(PrintableArea, MarginY) == 12);

}  // namespace xlrender
