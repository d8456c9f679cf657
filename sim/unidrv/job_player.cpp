#include "unidrv/job_player.h"

#include <algorithm>
#include <memory>

#include "gdi/engine_state.h"
#include "unidrv/ddi_functions.h"
#include "unidrv/device.h"
#include "unidrv/job_page_setup.h"
#include "unidrv/job_world.h"
#include "unidrv/page_painter.h"
#include "unidrv/sheet_plan.h"
#include "unidrv/unidrv_session.h"
#include "utf16.h"
#include "world.h"

namespace sim::unidrv {
namespace {

// For the span of a job, what the engine draws onto the device surface goes to `copyBits`.
class DeviceCopyBitsRegistration {
public:
    DeviceCopyBitsRegistration(const SURFOBJ* surface, DdiCopyBits* copyBits) : surface_(surface) {
        TheWorld().engine.deviceCopyBits[surface] = copyBits;
    }
    ~DeviceCopyBitsRegistration() { TheWorld().engine.deviceCopyBits.erase(surface_); }
    DeviceCopyBitsRegistration(const DeviceCopyBitsRegistration&) = delete;
    DeviceCopyBitsRegistration& operator=(const DeviceCopyBitsRegistration&) = delete;

private:
    const SURFOBJ* surface_;
};

class JobPlayer {
public:
    JobPlayer(const JobDescription& job, const JobImages& images, const DriverSide& driver,
              IPrintOemUni& plugin, SpoolSink* output)
        : job_(job),
          pictures_(images),
          driver_(driver),
          plugin_(plugin),
          output_(output),
          page_(PageSetupFor(job)) {}

    JobOutcome Play(const PageProgress& progress) {
        JobOutcome outcome;
        outcome.succeeded = Run(progress, outcome.failure);
        if (device_) {
            if (output_ == nullptr) {
                outcome.spool = device_->spool().Bytes();
            }
            // A spool stream that lost bytes is a broken job, whoever wrote them.
            if (outcome.succeeded && device_->spool().ShortWrites() > 0) {
                outcome.succeeded = false;
                outcome.failure = "the spool stream refused a write";
            }
        }
        return outcome;
    }

private:
    bool Run(const PageProgress& progress, std::string& failure) {
        std::u16string printerName = Utf16(job_.printer.name);
        if (!OpenPrinterW(printerName.data(), &printer_, nullptr)) {
            failure = "OpenPrinterW failed for the job's printer";
            return false;
        }
        sim::unidrv::DriverHelper helper;
        const bool done = Prepare(helper, failure) && Print(progress, failure);
        if (device_ && device_->devobj()->pdevOEM != nullptr) {
            plugin_.DisablePDEV(device_->devobj());
            device_->devobj()->pdevOEM = nullptr;
        }
        plugin_.DisableDriver();
        ClosePrinter(printer_);
        return done;
    }

    bool Prepare(sim::unidrv::DriverHelper& helper, std::string& failure) {
        if (FAILED(plugin_.PublishDriverInterface(&helper))) {
            failure = "PublishDriverInterface failed";
            return false;
        }
        DWORD version = 0;
        DWORD needed = 0;
        if (FAILED(plugin_.GetInfo(OEMGI_GETINTERFACEVERSION, &version, sizeof version, &needed)) ||
            version != PRINTER_OEMINTF_VERSION) {
            failure = "GetInfo(OEMGI_GETINTERFACEVERSION) failed or named another version";
            return false;
        }
        if (FAILED(plugin_.EnableDriver(PRINTER_OEMINTF_VERSION, sizeof pluginHooks_,
                                        &pluginHooks_))) {
            failure = "EnableDriver failed";
            return false;
        }
        return PrepareDevmode(failure) && EnableDevice(failure);
    }

    bool PrepareDevmode(std::string& failure) {
        OEMDMPARAM parameters{};
        parameters.cbSize = sizeof parameters;
        parameters.hPrinter = printer_;
        parameters.hModule = PluginModuleHandle();
        if (FAILED(plugin_.DevMode(OEMDM_SIZE, &parameters))) {
            failure = "DevMode(OEMDM_SIZE) failed";
            return false;
        }
        device_ = std::make_unique<Device>(parameters.cbBufSize);
        device_->devobj()->hPrinter = printer_;
        device_->devobj()->hOEM = PluginModuleHandle();
        if (output_ != nullptr) {
            device_->spool().StreamTo(*output_);
        }
        if (job_.failSpoolWrite != 0) {
            device_->spool().LimitWrite(job_.failSpoolWrite, 0);
        }
        FillPublicDevmode(job_, page_, device_->publicDevmode());
        // Unidrv's own copy count, which drivers without a mopier send with each page.
        device_->SetStandardVariable(SVI_COPIES, job_.publicDevmode.copies);
        for (const auto& [feature, option] : job_.features) {
            device_->SelectOption(feature, option);
        }
        parameters.pPublicDMIn = &device_->publicDevmode();
        parameters.pPublicDMOut = &device_->publicDevmode();
        parameters.pOEMDMOut = device_->privateDevmode();
        if (FAILED(plugin_.DevMode(OEMDM_DEFAULT, &parameters))) {
            failure = "DevMode(OEMDM_DEFAULT) failed";
            return false;
        }
        if (driver_.privateDevmode.empty()) {
            return true;
        }
        // The user interface's settings arrive as an input devmode merged into the defaults.
        std::vector<BYTE> settings(device_->privateDevmode(),
                                   device_->privateDevmode() + parameters.cbBufSize);
        for (const DevmodePatch& patch : driver_.privateDevmode) {
            if (patch.offset + patch.bytes.size() > settings.size()) {
                failure = "a private devmode setting lies outside the private devmode";
                return false;
            }
            std::copy(patch.bytes.begin(), patch.bytes.end(), settings.begin() + patch.offset);
        }
        parameters.pOEMDMIn = settings.data();
        if (FAILED(plugin_.DevMode(OEMDM_MERGE, &parameters))) {
            failure = "DevMode(OEMDM_MERGE) failed";
            return false;
        }
        return true;
    }

    bool EnableDevice(std::string& failure) {
        session_ = std::make_unique<UnidrvSession>(plugin_, *device_, job_.printerCommands,
                                                   page_, job_.bandHeight);
        GDIINFO gdiInfo = session_->GdiInfo();
        DEVINFO devInfo{};
        std::u16string printerName = Utf16(job_.printer.name);
        PDEVOEM pdev = nullptr;
        if (FAILED(plugin_.EnablePDEV(device_->devobj(), printerName.data(), 0, nullptr,
                                      sizeof gdiInfo, &gdiInfo, sizeof devInfo, &devInfo,
                                      session_->functions(), &pdev)) ||
            pdev == nullptr) {
            failure = "EnablePDEV failed";
            return false;
        }
        device_->devobj()->pdevOEM = pdev;
        return true;
    }

    bool Print(const PageProgress& progress, std::string& failure) {
        const DdiFunctions ddi(pluginHooks_, *session_->functions());
        SURFOBJ* surface = device_->surface();
        std::u16string documentName = Utf16(job_.job.document);
        if (!ddi.Get<DdiStartDoc>(INDEX_DrvStartDoc)(surface, documentName.data(), job_.job.id)) {
            failure = "DrvStartDoc failed";
            return false;
        }
        PagePainter painter(ddi, surface, page_, pictures_, job_.banded);
        // The engine draws onto the page through the driver's DrvCopyBits.
        const DeviceCopyBitsRegistration copyBits(surface,
                                                  ddi.Get<DdiCopyBits>(INDEX_DrvCopyBits));
        const std::vector<Sheet> sheets = PlanSheets(job_, page_, driver_.pagesPerSheet);
        for (std::size_t s = 0; s < sheets.size(); ++s) {
            const std::string where = " on sheet " + std::to_string(s + 1);
            if (!ddi.Get<DdiStartPage>(INDEX_DrvStartPage)(surface)) {
                failure = "DrvStartPage failed" + where;
                return false;
            }
            if (sheets[s].layoutEscape) {
                SheetLayoutBlock block = *sheets[s].layoutEscape;
                ddi.Get<DdiEscape>(INDEX_DrvEscape)(surface, kSheetLayoutEscape, sizeof block,
                                                    &block, 0, nullptr);
            }
            if (!(job_.banded ? PrintBands(ddi, painter, sheets[s], failure)
                              : PrintWhole(ddi, painter, sheets[s], failure))) {
                failure += where;
                return false;
            }
            pictures_.PagePrinted(LastPageOf(sheets[s]));
            if (progress) {
                progress(s + 1, sheets.size());
            }
        }
        if (!ddi.Get<DdiEndDoc>(INDEX_DrvEndDoc)(surface, 0)) {
            failure = "DrvEndDoc failed";
            return false;
        }
        return true;
    }

    // The job's number (from 0) of the sheet's last page.
    std::size_t LastPageOf(const Sheet& sheet) const {
        std::size_t last = 0;
        for (const auto& placed : sheet.pages) {
            last = std::max(last, static_cast<std::size_t>(placed.first - job_.pages.data()));
        }
        return last;
    }

    static bool PaintSheet(PagePainter& painter, const Sheet& sheet, const RECTL& band) {
        for (const auto& [page, placement] : sheet.pages) {
            if (!painter.Paint(*page, placement, band)) {
                return false;
            }
        }
        return true;
    }

    bool PrintWhole(const DdiFunctions& ddi, PagePainter& painter, const Sheet& sheet,
                    std::string& failure) {
        const RECTL whole{0, 0, page_.printableWidth(), page_.printableHeight()};
        if (!PaintSheet(painter, sheet, whole)) {
            failure = "drawing the page content failed: " + painter.problem();
            return false;
        }
        if (!ddi.Get<DdiSendPage>(INDEX_DrvSendPage)(device_->surface())) {
            failure = "DrvSendPage failed";
            return false;
        }
        return true;
    }

    bool PrintBands(const DdiFunctions& ddi, PagePainter& painter, const Sheet& sheet,
                    std::string& failure) {
        SURFOBJ* surface = device_->surface();
        POINTL origin{};
        if (!ddi.Get<DdiStartBanding>(INDEX_DrvStartBanding)(surface, &origin)) {
            failure = "DrvStartBanding failed";
            return false;
        }
        while (origin.x != -1 || origin.y != -1) {
            if (!PaintSheet(painter, sheet, session_->CurrentBand())) {
                failure = "drawing the page content failed: " + painter.problem();
                return false;
            }
            if (!ddi.Get<DdiNextBand>(INDEX_DrvNextBand)(surface, &origin)) {
                failure = "DrvNextBand failed";
                return false;
            }
        }
        return true;
    }

    const JobDescription& job_;
    HeldPictures pictures_;
    const DriverSide& driver_;
    IPrintOemUni& plugin_;
    SpoolSink* output_;
    PageSetup page_;
    DRVENABLEDATA pluginHooks_{};
    std::unique_ptr<Device> device_;
    std::unique_ptr<UnidrvSession> session_;
    HANDLE printer_ = nullptr;
};

}  // namespace

JobOutcome PlayThroughPlugin(IPrintOemUni& plugin, const JobDescription& job,
                             const JobImages& images, const DriverSide& driver,
                             const PageProgress& progress, SpoolSink* output) {
    return JobPlayer(job, images, driver, plugin, output).Play(progress);
}

}  // namespace sim::unidrv
