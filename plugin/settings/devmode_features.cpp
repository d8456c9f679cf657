// ReadDevmodeFeatures: the private devmode fields the plug-in itself fills at every EnablePDEV.
#include "settings/job_settings.h"
#include "settings/keyword_tables.h"
#include "settings/print_processor.h"

namespace xlrender {
namespace {

// Looks a table feature up only while the field is still unknown (0), and stores only a match:
// a printer whose GPD lacks the option keeps asking at every device context.
void LearnWhileUnknown(const FeatureSource& source, const WCHAR* feature, const KeywordTable& table,
                       DWORD& field) {
    DWORD index = 0;
    if (field == 0 && MatchFeatureOption(source, feature, table, index)) {
        field = index;
    }
}

}  // namespace

bool ReadDevmodeFeatures(const FeatureSource& source) {
    PrivateDevmode* devmode = PrivateDevmodeOf(source.device);
    if (devmode == nullptr || source.helper == nullptr) {
        return false;
    }
    LearnWhileUnknown(source, W("KZPrinterCode"), kPrinterCodeTable, devmode->PrinterCode);
    LearnWhileUnknown(source, W("KZColorMode"), kColorModeTable, devmode->ColorMode);
    LearnWhileUnknown(source, W("KZPDLType"), kPdlTable, devmode->PdlType);
    LearnWhileUnknown(source, W("KZMaxResolution"), kMaxResolutionTable, devmode->MaxResolution);

    devmode->JobRetentionInstalled =
        FeatureReading(source, W("JobRetention")).IsInstalled() ? 1 : 0;

    const FeatureReading trueTypeAsBitmaps(source, W("TTAsBitmapsSetting"));
    if (trueTypeAsBitmaps.present()) {
        devmode->TrueTypeMode =
            trueTypeAsBitmaps.Is(W("TTModeBitmap")) ? kTrueTypeAsBitmaps : kTrueTypeOther;
    }

    DetectPrintProcessor(source.device);

    // The user-interface side may have chosen manual duplex on a printer that no longer offers it.
    const FeatureReading manualDuplex(source, W("ManualDuplex"));
    if (!manualDuplex.present() || manualDuplex.Is(W("NOTINSTALLED")) ||
        manualDuplex.Is(W("FALSE"))) {
        devmode->ManualDuplexSelected = 0;
        devmode->DuplexPaperCheck = 0;
    }
    return true;
}

}  // namespace xlrender
