#include "frame/settings_snapshot.h"

#include <cstring>

#include "frame/escape_blocks.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr std::size_t kSnapshotTextUnits = 256;

// Runs of consecutive private devmode words, copied as they are stored.
template <std::size_t Count>
void CopyDevmodeWords(DWORD (&to)[Count], const PrivateDevmode& devmode, std::size_t offset) {
    static_assert(Count > 0);
    std::memcpy(to, reinterpret_cast<const BYTE*>(&devmode) + offset, sizeof to);
}

void CopySnapshotText(WCHAR (&to)[kSnapshotTextUnits], const WCHAR (&from)[kSnapshotTextUnits]) {
    CopyText(to, kSnapshotTextUnits, from, kSnapshotTextUnits);
}

struct ByteRange {
    std::size_t begin;
    std::size_t end;
};

// Everything but the Unwritten fields.
constexpr ByteRange kWrittenRanges[] = {
    {0, offsetof(SettingsSnapshot, Unwritten034)},
    {offsetof(SettingsSnapshot, Text0CC), offsetof(SettingsSnapshot, Unwritten6B4)},
    {offsetof(SettingsSnapshot, SmartDuplexSinglePageJob),
     offsetof(SettingsSnapshot, Unwritten6C0)},
    {offsetof(SettingsSnapshot, PosterPrintingEnabled), offsetof(SettingsSnapshot, Unwritten738)},
    {offsetof(SettingsSnapshot, Devmode14EC), offsetof(SettingsSnapshot, Unwritten762)},
};

SettingsSnapshot BuildSnapshot(const PrivateDevmode& devmode, const JobSettings& settings) {
    SettingsSnapshot snapshot{};
    snapshot.PdlType = devmode.PdlType;
    CopyDevmodeWords(snapshot.Devmode710, devmode, offsetof(PrivateDevmode, Carried710));
    CopyDevmodeWords(snapshot.DevmodeResize, devmode, offsetof(PrivateDevmode, ResizeToPaper));
    snapshot.CustomRange[0] = settings.CustomRangeFirst;
    snapshot.CustomRange[1] = settings.CustomRangeSecond;
    snapshot.WatermarkEnabled = devmode.WatermarkEnabled;
    snapshot.WatermarkFirstPageOnly = devmode.WatermarkFirstPageOnly;
    CopySnapshotText(snapshot.Text0CC, devmode.Carried0CC);
    CopySnapshotText(snapshot.WatermarkText, devmode.WatermarkText);
    CopySnapshotText(snapshot.WatermarkFace, devmode.WatermarkFace);
    CopyDevmodeWords(snapshot.WatermarkLayout, devmode, offsetof(PrivateDevmode, WatermarkAngle));
    CopyDevmodeWords(snapshot.DevmodeBC4, devmode, offsetof(PrivateDevmode, CarriedBC4));
    CopyDevmodeWords(snapshot.DevmodeBE0, devmode, offsetof(PrivateDevmode, SourceMedia2And3));
    snapshot.AutoDuplexScaling = settings.AutoDuplexScaling;
    snapshot.EmulateLsMargins = settings.EmulateLsMargins;
    snapshot.SymmetricMargins = settings.SymmetricMargins;
    snapshot.ManualDuplexSelected = devmode.ManualDuplexSelected;
    CopyDevmodeWords(snapshot.Devmode724, devmode, offsetof(PrivateDevmode, Carried724));
    CopyDevmodeWords(snapshot.Devmode738, devmode, offsetof(PrivateDevmode, Carried738));
    snapshot.ManualDuplexPageOrder = settings.ManualDuplexPageOrder;
    snapshot.ManualDuplexModal = settings.ManualDuplexModal;
    snapshot.MapManualFeedToTray1 = settings.MapManualFeedToTray1;
    CopyDevmodeWords(snapshot.Devmode730, devmode, offsetof(PrivateDevmode, Carried730));
    snapshot.OutputOrderReverse = settings.OutputOrderReverse;
    snapshot.MopierInstalled = settings.MopierInstalled;
    snapshot.SmartDuplexSinglePageJob = settings.SmartDuplexSinglePageJob;
    snapshot.SmartDuplexOddPageJob = settings.SmartDuplexOddPageJob;
    snapshot.PosterPrintingEnabled = settings.PosterPrintingEnabled;
    snapshot.PosterOption = settings.PosterOption;
    CopyDevmodeWords(snapshot.Devmode1488, devmode, offsetof(PrivateDevmode, Carried1488));
    CopyDevmodeWords(snapshot.Devmode14EC, devmode, offsetof(PrivateDevmode, SourceMedia4To7));
    snapshot.Devmode1510 = devmode.Carried150C[1];
    const SourceMediaPair& first = devmode.SourceMedia0;
    const SourceMediaPair& fourth = devmode.SourceMedia4To7[0];
    snapshot.SourceMediaChanged =
        devmode.CarriedBC4 != 0 && (fourth.Source != first.Source || fourth.Media != first.Media)
            ? 1
            : 0;
    snapshot.DevmodeDFC[0] = devmode.CarriedDFC;
    snapshot.DevmodeDFC[1] = devmode.CarriedE00;
    snapshot.AlternateLetterheadEnabled = settings.AlternateLetterheadEnabled;
    snapshot.Duplex = devmode.Duplex;
    return snapshot;
}

static_assert(offsetof(PrivateDevmode, Carried150C) + sizeof(DWORD) == 0x1510);

}  // namespace

void FillSettingsSnapshot(void* out, const PrivateDevmode& devmode, const JobSettings& settings) {
    const SettingsSnapshot snapshot = BuildSnapshot(devmode, settings);
    for (const ByteRange& range : kWrittenRanges) {
        std::memcpy(static_cast<BYTE*>(out) + range.begin,
                    reinterpret_cast<const BYTE*>(&snapshot) + range.begin,
                    range.end - range.begin);
    }
}

}  // namespace xlrender
