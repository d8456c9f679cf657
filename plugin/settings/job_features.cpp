// ReadJobFeatures and the carry-over of settings across ResetPDEV.
#include "settings/job_settings.h"
#include "settings/keyword_tables.h"

namespace xlrender {

bool ReadJobFeatures(const FeatureSource& source, JobSettings& settings) {
    if (PrivateDevmodeOf(source.device) == nullptr) {
        return false;
    }
    const FeatureReading textAsBlack(source, W("TextAsBlack"));
    if (textAsBlack.present()) {
        settings.TextAsBlackEnabled = textAsBlack.IsTrue() ? 1 : 0;
    }

    DWORD index = 0;
    if (MatchFeatureOption(source, W("KZJobAccounting"), kJobAccountingTable, index)) {
        settings.JobAccountingKind = index;
    }
    if (MatchFeatureOption(source, W("KZPJLEncoding"), kEncodingTable, index)) {
        settings.PjlEncodingKind = index;
    }

    const FeatureReading poster(source, W("KZPosterPrinting"));
    if (poster.present()) {
        settings.PosterPrintingEnabled = poster.IsTrue() ? 1 : 0;
        if (poster.IsTrue() &&
            MatchFeatureOption(source, W("KZPosterPrintingOption"), kPosterTable, index)) {
            settings.PosterOption = index;
        }
    }
    return true;
}

void CopyJobSettings(const JobSettings& from, JobSettings& to) {
    // The encoding, poster, pass-through, JPEG, geometry and custom-range settings stay as the
    // new device context read them.
    to.TextAsBlackEnabled = from.TextAsBlackEnabled;
    to.JobAccountingKind = from.JobAccountingKind;
    to.AutoDuplexScaling = from.AutoDuplexScaling;
    to.EmulateLsMargins = from.EmulateLsMargins;
    to.SymmetricMargins = from.SymmetricMargins;
    to.OutputOrderReverse = from.OutputOrderReverse;
    to.MapManualFeedToTray1 = from.MapManualFeedToTray1;
    to.ManualDuplexModal = from.ManualDuplexModal;
    to.ManualDuplexPageOrder = from.ManualDuplexPageOrder;
    to.Orientation = from.Orientation;
    to.ManualDuplexActive = from.ManualDuplexActive;
    to.MopierInstalled = from.MopierInstalled;
    to.ManualDuplexUserRotate = from.ManualDuplexUserRotate;
    to.SmartDuplexSinglePageJob = from.SmartDuplexSinglePageJob;
    to.SmartDuplexOddPageJob = from.SmartDuplexOddPageJob;
    to.ShiftMarginsForRotate180 = from.ShiftMarginsForRotate180;
    to.AlternateLetterheadEnabled = from.AlternateLetterheadEnabled;
}

}  // namespace xlrender
