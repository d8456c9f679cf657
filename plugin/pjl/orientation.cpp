#include "pjl/orientation.h"

namespace xlrender {
namespace {

constexpr DWORD kPortraitOrientation = 1;
constexpr DWORD kLandscapeOrientation = 2;
constexpr DWORD kTwoUp = 2;
constexpr DWORD kSixUp = 6;

constexpr BYTE kXlPortrait = 0;
constexpr BYTE kXlLandscape = 1;
constexpr BYTE kXlReversedPortrait = 2;
constexpr BYTE kXlReversedLandscape = 3;

constexpr char kContentOrientationCommand[] = "@PJL SET CONTENTORIENTATION=";

// 2-up and 6-up put the pages sideways on the sheet.
bool TurnsContent(DWORD pagesPerSheet) {
    return pagesPerSheet == kTwoUp || pagesPerSheet == kSixUp;
}

}  // namespace

bool ManualDuplexFlip(DWORD pagesPerSheet, DWORD orientation, DWORD flipSetting,
                      DWORD simplexSingleLayout) {
    const bool turned = TurnsContent(pagesPerSheet);
    bool flip = false;
    if (orientation == kPortraitOrientation) {
        flip = (flipSetting != 0) == turned;
    } else if (orientation == kLandscapeOrientation) {
        flip = (flipSetting != 0) != turned;
    }
    if (pagesPerSheet == kTwoUp) {
        flip = flip && simplexSingleLayout == 0;
    }
    return flip;
}

bool SheetTurnFlag(const SheetTurnInputs& inputs) {
    if (!inputs.manualDuplex) {
        return inputs.staplingSelected && inputs.privateOrientation == kLandscapeOrientation &&
               TurnsContent(inputs.pagesPerSheet);
    }
    if (inputs.duplexDialogPending) {
        return ManualDuplexFlip(inputs.pagesPerSheet, inputs.orientation, inputs.flipSetting,
                                inputs.simplexSingleLayout);
    }
    return false;
}

bool OrientationAttributeValue(SHORT publicOrientation, bool reversed, bool turned, BYTE& value) {
    const bool upsideDown = reversed != turned;
    if (publicOrientation == DMORIENT_PORTRAIT) {
        value = upsideDown ? kXlReversedPortrait : kXlPortrait;
        return true;
    }
    if (publicOrientation == DMORIENT_LANDSCAPE) {
        value = upsideDown ? kXlReversedLandscape : kXlLandscape;
        return true;
    }
    return false;
}

bool AppendContentOrientationLine(PjlLines& lines, SHORT publicOrientation, DWORD pagesPerSheet) {
    const bool turned = TurnsContent(pagesPerSheet);
    const char* value = nullptr;
    if (publicOrientation == DMORIENT_PORTRAIT) {
        value = turned ? "LANDSCAPE" : "NOTSPECIFIED";
    } else if (publicOrientation == DMORIENT_LANDSCAPE) {
        value = turned ? "PORTRAIT" : "NOTSPECIFIED";
    } else {
        return false;
    }
    char line[kPjlLineBufferBytes];
    FormatText(line, sizeof line, "%s%s", kContentOrientationCommand, value);
    return lines.AppendLine(line);
}

}  // namespace xlrender
