#include "host_job.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host_session.h"
#include "plugin_instance.h"
#include "settings/private_devmode.h"
#include "unidrv/ddi_functions.h"
#include "unidrv/device.h"
#include "unidrv/nup_layout.h"
#include "unidrv/page_setup.h"
#include "unidrv/printer_commands.h"

namespace job_host {
namespace {

using sim::unidrv::PrinterCommand;
using xlrender::PrivateDevmode;

constexpr int kResolution = 600;
constexpr double kMarginMm = 4.0;
constexpr SHORT kAutoSelectBin = 7;            // DMBIN_AUTO
constexpr std::uint8_t kAutoSelectSource = 1;  // its PCL XL MediaSource
constexpr SHORT kCopies = 2;

// The printer description: the job and page framing of this printer family, with every command
// callback the plug-in answers (1 to 13) at a place a printer description may put it.
sim::unidrv::PrinterCommands HostPrinterCommands() {
    using Kind = PrinterCommand::Kind;
    const auto named = [](Kind kind) { return PrinterCommand{kind, {}, 0}; };
    const auto callback = [](unsigned id) { return PrinterCommand{Kind::kCallback, {}, id}; };
    sim::unidrv::PrinterCommands description;
    description.jobStart = {named(Kind::kUniversalExit),
                            callback(1),
                            callback(5),
                            callback(3),
                            callback(4),
                            callback(6),
                            callback(7),
                            callback(8),
                            callback(9),
                            callback(10),
                            callback(12),
                            callback(13),
                            {Kind::kPjlLine, "@PJL ENTER LANGUAGE=PCLXL", 0},
                            named(Kind::kStreamHeader),
                            named(Kind::kBeginSession),
                            named(Kind::kOpenDataSource)};
    description.pageStart = {callback(2),  named(Kind::kMediaSize), named(Kind::kMediaSource),
                             callback(11), named(Kind::kBeginPage), named(Kind::kPageOrigin)};
    description.jobEnd = {named(Kind::kCloseDataSource),
                          named(Kind::kEndSession),
                          named(Kind::kUniversalExit),
                          {Kind::kPjlLine, "@PJL EOJ", 0},
                          named(Kind::kUniversalExit)};
    return description;
}

// The printer description's features as the user set them: UTF-8 PJL with job accounting and
// time stamps, job storage installed, the job's user name and born-on date asked for, usage
// commands sent, monochrome.
void SelectFeatures(sim::unidrv::Device& device) {
    static const char* const kOptions[][2] = {
        {"KZPJLEncoding", "UTF8"},     {"KZJobAccounting", "KZJOBACCT_JOBACNT_TIMESTAMP"},
        {"JobRetention", "INSTALLED"}, {"KZJobByJobOverride", "JBJO"},
        {"KZBornOnDate", "KZBOD"},     {"KZSendPJLUsageCmd", "True"},
        {"ColorMode", "Mono"}};
    for (const auto& option : kOptions) {
        device.SelectOption(option[0], option[1]);
    }
}

void FillPublicDevmode(const sim::unidrv::PageSetup& page, DEVMODEW& devmode) {
    devmode.dmPaperSize = page.paper.devmodeCode;
    devmode.dmOrientation = DMORIENT_PORTRAIT;
    devmode.dmCopies = kCopies;
    devmode.dmCollate = DMCOLLATE_TRUE;
    devmode.dmDuplex = DMDUP_VERTICAL;
    devmode.dmColor = DMCOLOR_MONOCHROME;
    devmode.dmPrintQuality = static_cast<SHORT>(page.resolution);
    devmode.dmYResolution = static_cast<SHORT>(page.resolution);
    devmode.dmDefaultSource = kAutoSelectBin;
    devmode.dmTTOption = DMTT_DOWNLOAD;
    for (std::size_t i = 0; page.paper.name[i] != '\0' && i + 1 < CCHFORMNAME; ++i) {
        devmode.dmFormName[i] = static_cast<WCHAR>(page.paper.name[i]);
    }
}

// Cut to the field and always terminated, as the user interface stores text.
template <std::size_t Units>
void SetText(WCHAR (&field)[Units], const WCHAR* text) {
    const std::size_t length = std::min(std::char_traits<WCHAR>::length(text), Units - 1);
    std::char_traits<WCHAR>::copy(field, text, length);
    field[length] = 0;
}

// What the driver's user interface set: a diagonal watermark in the given face, and job
// storage (proof and hold) under a stored user name with a PIN.
void ChooseSettings(PrivateDevmode& devmode, const WCHAR* watermarkFace) {
    devmode.WatermarkEnabled = 1;
    SetText(devmode.WatermarkText, W("Draft, not for release"));
    SetText(devmode.WatermarkFace, watermarkFace);
    devmode.WatermarkSize = 60;
    devmode.WatermarkAngleMode = 0;
    devmode.WatermarkStyle = 0;
    devmode.WatermarkShade = 4;
    devmode.JobRetentionInstalled = 1;
    devmode.JobStorageMode = 1;
    SetText(devmode.Carried758, W("bob"));
    devmode.StorePinRequired = 1;
    devmode.StorePin = 4711;
}

class HostJob {
public:
    HostJob(IPrintOemUni& plugin, HMODULE module, const SpoolerJob& job)
        : plugin_(plugin),
          module_(module),
          job_(job),
          page_(sim::unidrv::LayOutPage(*sim::unidrv::FindPaper("A4"), false, kResolution,
                                        kMarginMm, kAutoSelectSource)),
          description_(HostPrinterCommands()) {}

    bool Play(const WCHAR* watermarkFace, std::string& failure) {
        const bool played = Prepare(watermarkFace, failure) && Print(failure);
        if (device_ && device_->devobj()->pdevOEM != nullptr) {
            plugin_.DisablePDEV(device_->devobj());
            device_->devobj()->pdevOEM = nullptr;
        }
        plugin_.DisableDriver();
        return played;
    }

    std::string Spool() const { return device_ ? device_->spool().Bytes() : std::string(); }

private:
    bool Prepare(const WCHAR* watermarkFace, std::string& failure) {
        if (FAILED(plugin_.PublishDriverInterface(&helper_))) {
            failure = "PublishDriverInterface";
            return false;
        }
        if (FAILED(plugin_.EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks_, &hooks_))) {
            failure = "EnableDriver";
            return false;
        }
        return PrepareDevmodes(watermarkFace, failure) && EnableDevice(failure);
    }

    bool PrepareDevmodes(const WCHAR* watermarkFace, std::string& failure) {
        OEMDMPARAM parameters{};
        parameters.cbSize = sizeof parameters;
        parameters.hPrinter = job_.printer;
        parameters.hModule = module_;
        if (FAILED(plugin_.DevMode(OEMDM_SIZE, &parameters)) ||
            parameters.cbBufSize < sizeof(PrivateDevmode)) {
            failure = "DevMode(OEMDM_SIZE)";
            return false;
        }
        device_ = std::make_unique<sim::unidrv::Device>(parameters.cbBufSize);
        device_->devobj()->hPrinter = job_.printer;
        device_->devobj()->hOEM = module_;
        FillPublicDevmode(page_, device_->publicDevmode());
        device_->SetStandardVariable(SVI_COPIES, kCopies);
        SelectFeatures(*device_);
        parameters.pPublicDMIn = &device_->publicDevmode();
        parameters.pPublicDMOut = &device_->publicDevmode();
        parameters.pOEMDMOut = device_->privateDevmode();
        if (FAILED(plugin_.DevMode(OEMDM_DEFAULT, &parameters))) {
            failure = "DevMode(OEMDM_DEFAULT)";
            return false;
        }
        // The user interface's settings arrive as an input devmode merged into the defaults.
        std::vector<DWORD> settings(parameters.cbBufSize / sizeof(DWORD) + 1);
        std::memcpy(settings.data(), device_->privateDevmode(), parameters.cbBufSize);
        ChooseSettings(*reinterpret_cast<PrivateDevmode*>(settings.data()), watermarkFace);
        parameters.pOEMDMIn = settings.data();
        if (FAILED(plugin_.DevMode(OEMDM_MERGE, &parameters))) {
            failure = "DevMode(OEMDM_MERGE)";
            return false;
        }
        return true;
    }

    bool EnableDevice(std::string& failure) {
        session_ = std::make_unique<HostSession>(plugin_, *device_, description_,
                                                 sim::unidrv::FramingFor(page_));
        device_->surface()->sizlBitmap = {page_.printableWidth(), page_.printableHeight()};
        GDIINFO gdiInfo = sim::unidrv::GdiInfoFor(page_);
        DEVINFO devInfo{};
        WCHAR printerName[std::size(kTestPrinterName)];
        std::copy(std::begin(kTestPrinterName), std::end(kTestPrinterName), printerName);
        PDEVOEM pdev = nullptr;
        if (FAILED(plugin_.EnablePDEV(device_->devobj(), printerName, 0, nullptr, sizeof gdiInfo,
                                      &gdiInfo, sizeof devInfo, &devInfo, session_->functions(),
                                      &pdev)) ||
            pdev == nullptr) {
            failure = "EnablePDEV";
            return false;
        }
        device_->devobj()->pdevOEM = pdev;
        return true;
    }

    bool Print(std::string& failure) {
        const sim::unidrv::DdiFunctions ddi(hooks_, *session_->functions());
        SURFOBJ* surface = device_->surface();
        WCHAR documentName[] = W("Quarterly report.docx");
        const auto step = [&failure](BOOL done, const char* name) {
            if (!done) {
                failure = name;
            }
            return done != FALSE;
        };
        if (!step(ddi.Get<DdiStartDoc>(INDEX_DrvStartDoc)(surface, documentName, job_.id),
                  "DrvStartDoc") ||
            !step(ddi.Get<DdiStartPage>(INDEX_DrvStartPage)(surface), "DrvStartPage")) {
            return false;
        }
        // The driver's print processor tells the plug-in how the sheet is laid out.
        const sim::unidrv::SheetLayout layout = sim::unidrv::LayOutSheet(
            1, 0, 1, page_.printableWidth(), page_.printableHeight(), page_.paperWidthPixels,
            page_.paperHeightPixels, page_.landscape);
        sim::unidrv::SheetLayoutBlock block = sim::unidrv::LayoutBlock(layout, 1);
        ddi.Get<DdiEscape>(INDEX_DrvEscape)(surface, sim::unidrv::kSheetLayoutEscape, sizeof block,
                                            &block, 0, nullptr);
        return step(ddi.Get<DdiSendPage>(INDEX_DrvSendPage)(surface), "DrvSendPage") &&
               step(ddi.Get<DdiEndDoc>(INDEX_DrvEndDoc)(surface, 0), "DrvEndDoc");
    }

    IPrintOemUni& plugin_;
    HMODULE module_;
    SpoolerJob job_;
    sim::unidrv::PageSetup page_;
    sim::unidrv::PrinterCommands description_;
    sim::unidrv::DriverHelper helper_;
    DRVENABLEDATA hooks_{};
    std::unique_ptr<sim::unidrv::Device> device_;
    std::unique_ptr<HostSession> session_;
};

}  // namespace

HANDLE UnknownPrinterHandle() {
    static int token = 0;
    return &token;
}

HostJobOutcome PlayHostJob(IPrintOemUni& plugin, HMODULE module, const WCHAR* watermarkFace,
                           const SpoolerJob& spooled) {
    HostJob job(plugin, module, spooled);
    HostJobOutcome outcome;
    outcome.succeeded = job.Play(watermarkFace, outcome.failure);
    outcome.spool = job.Spool();
    return outcome;
}

}  // namespace job_host
