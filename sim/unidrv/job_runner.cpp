#include "unidrv/job_runner.h"

#include <algorithm>
#include <cmath>
#include <strings.h>
#include <optional>
#include <memory>
#include <vector>

#include "gdi/engine_state.h"
#include "platform/function_cast.h"
#include "utf16.h"
#include "unidrv/device.h"
#include "unidrv/job_world.h"
#include "unidrv/nup_layout.h"
#include "unidrv/picture_blit.h"
#include "unidrv/plugin_module.h"
#include "unidrv/unidrv_session.h"

namespace sim::unidrv {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr char kOwnPrintProcessor[] = "ZQXPP041";
constexpr ROP4 kPatternCopy = 0xF0F0;
constexpr SHORT kAutoSelectBin = 7;
constexpr SHORT kManualFeedBin = 4;
constexpr SHORT kUpperBin = 1;
constexpr SHORT kLowerBin = 2;
constexpr SHORT kEnvelopeBin = 5;

LONG ToPixels(double millimetres, int resolution) {
    return static_cast<LONG>(std::lround(millimetres / kMmPerInch * resolution));
}

std::uint8_t MediaSourceFor(SHORT bin) {
    switch (bin) {
        case kAutoSelectBin: return 1;
        case kManualFeedBin: return 2;
        case kUpperBin: return 4;
        case kLowerBin: return 5;
        case kEnvelopeBin: return 6;
        default: return 0;
    }
}

PageSetup PageSetupFor(const JobDescription& job) {
    PageSetup page;
    page.paper = *FindPaper(job.publicDevmode.paper);
    page.landscape = job.publicDevmode.orientation == "landscape";
    page.resolution = job.printer.resolution;
    page.marginPixels = ToPixels(job.printer.marginMm, page.resolution);
    const LONG width = ToPixels(page.paper.widthMm, page.resolution);
    const LONG height = ToPixels(page.paper.heightMm, page.resolution);
    page.paperWidthPixels = page.landscape ? height : width;
    page.paperHeightPixels = page.landscape ? width : height;
    page.mediaSource = MediaSourceFor(static_cast<SHORT>(job.publicDevmode.defaultSource));
    return page;
}

void FillPublicDevmode(const JobDescription& job, const PageSetup& page, DEVMODEW& devmode) {
    const PublicDevmodeSpec& requested = job.publicDevmode;
    devmode.dmPaperSize = page.paper.devmodeCode;
    devmode.dmOrientation = page.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    devmode.dmCopies = static_cast<SHORT>(requested.copies);
    devmode.dmCollate = requested.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    devmode.dmDuplex = requested.duplex == "simplex"     ? DMDUP_SIMPLEX
                       : requested.duplex == "long-edge" ? DMDUP_VERTICAL
                                                    : DMDUP_HORIZONTAL;
    devmode.dmColor = requested.color == "color" ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    devmode.dmPrintQuality = static_cast<SHORT>(page.resolution);
    devmode.dmYResolution = static_cast<SHORT>(page.resolution);
    devmode.dmMediaType = requested.mediaType;
    devmode.dmDefaultSource = static_cast<SHORT>(requested.defaultSource);
    devmode.dmTTOption = DMTT_DOWNLOAD;
    for (std::size_t i = 0; page.paper.name[i] != '\0' && i + 1 < CCHFORMNAME; ++i) {
        devmode.dmFormName[i] = static_cast<WCHAR>(page.paper.name[i]);
    }
}

// The plug-in's hook for a DDI function, or Unidrv's own when the plug-in hooks none: GDI calls
// whichever the driver's table lists.
class DdiFunctions {
public:
    DdiFunctions(const DRVENABLEDATA& plugin, const DRVENABLEDATA& unidrv)
        : plugin_(plugin), unidrv_(unidrv) {}

    template <typename Function>
    Function* Get(ULONG index) const {
        for (const DRVENABLEDATA* table : {&plugin_, &unidrv_}) {
            for (ULONG i = 0; i < table->c; ++i) {
                if (table->pdrvfn[i].iFunc == index) {
                    return xlrender::CastFunction<Function*>(table->pdrvfn[i].pfn);
                }
            }
        }
        return nullptr;
    }

private:
    const DRVENABLEDATA& plugin_;
    const DRVENABLEDATA& unidrv_;
};

// Where a logical page lands on the sheet: scaled by `scale`, then moved by the offset (device
// pixels). One page per sheet is the identity.
struct PagePlacement {
    double scale = 1.0;
    LONG left = 0;
    LONG top = 0;
};

// The placement that fits a printable page into `slot`, centred, keeping its proportions.
PagePlacement PlacementInSlot(const PageSetup& page, const RECTL& slot) {
    const double slotWidth = slot.right - slot.left;
    const double slotHeight = slot.bottom - slot.top;
    const double scale = std::min(slotWidth / page.printableWidth(),
                                  slotHeight / page.printableHeight());
    return {scale, slot.left + static_cast<LONG>((slotWidth - page.printableWidth() * scale) / 2),
            slot.top + static_cast<LONG>((slotHeight - page.printableHeight() * scale) / 2)};
}

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

class PagePainter {
public:
    PagePainter(const DdiFunctions& ddi, SURFOBJ* device, const PageSetup& page,
                const JobImages& images, bool banded)
        : ddi_(ddi),
          device_(device),
          page_(page),
          images_(images),
          banded_(banded),
          blits_{ddi.Get<DdiBitBlt>(INDEX_DrvBitBlt), ddi.Get<DdiStretchBlt>(INDEX_DrvStretchBlt),
                 ddi.Get<DdiStretchBltROP>(INDEX_DrvStretchBltROP),
                 ddi.Get<DdiCopyBits>(INDEX_DrvCopyBits), ddi.Get<DdiPlgBlt>(INDEX_DrvPlgBlt)} {
        if (blits_.plgBlt == nullptr) {
            blits_.plgBlt = &EngPlgBlt;
        }
    }

    // Why the last Paint failed.
    const std::string& problem() const { return problem_; }

    // Draws every item of the page where `placement` puts it, each clipped to `band` and to its
    // own clip.
    bool Paint(const PageDescription& description, const PagePlacement& placement,
               const RECTL& band) {
        placement_ = placement;
        for (const PageContent& item : description.content) {
            const bool drawn = std::visit([&](const auto& content) { return Draw(content, band); },
                                          item);
            if (!drawn) {
                return false;
            }
        }
        return true;
    }

private:
    LONG Place(LONG pixels, LONG offset) const {
        return offset + static_cast<LONG>(std::lround(pixels * placement_.scale));
    }

    RECTL OnDevice(const PageRectangle& at) const {
        const LONG left = ToPixels(at.x, page_.resolution) - page_.marginPixels;
        const LONG top = ToPixels(at.y, page_.resolution) - page_.marginPixels;
        const LONG right = left + ToPixels(at.width, page_.resolution);
        const LONG bottom = top + ToPixels(at.height, page_.resolution);
        return {Place(left, placement_.left), Place(top, placement_.top),
                Place(right, placement_.left), Place(bottom, placement_.top)};
    }

    POINTL OnDevice(const PagePoint& at) const {
        return {Place(ToPixels(at.x, page_.resolution) - page_.marginPixels, placement_.left),
                Place(ToPixels(at.y, page_.resolution) - page_.marginPixels, placement_.top)};
    }

    std::optional<DeviceClip> OnDevice(const std::optional<ClipShape>& clip) const {
        if (!clip) {
            return std::nullopt;
        }
        DeviceClip device{clip->kind, {}, {}, clip->enumerateAsPath};
        for (const PageRectangle& rectangle : clip->rectangles) {
            device.rectangles.push_back(OnDevice(rectangle));
        }
        for (const PagePoint& corner : clip->polygon) {
            device.polygon.push_back(OnDevice(corner));
        }
        return device;
    }

    bool Draw(const ImageContent& content, const RECTL& band) {
        const RECTL destination = OnDevice(content.at);
        std::optional<gdi::ClipRegion> clip =
            ClipForPicture(OnDevice(content.clip), destination, band, banded_);
        if (!clip) {
            return true;  // nothing of it shows in this band: GDI makes no call
        }
        const BgrImage* image = nullptr;
        try {
            image = &images_.Get(content.file);
        } catch (const ImageFileError& error) {
            problem_ = error.what();
            return false;
        }
        SourcePicture picture(*image, content.surface);
        return BlitPicture(blits_, device_, content, picture, destination, clip->object(),
                           problem_);
    }

    bool Draw(const FillContent& content, const RECTL& band) {
        RECTL destination = OnDevice(content.at);
        std::optional<gdi::ClipRegion> clip =
            ClipForPicture(std::nullopt, destination, band, banded_);
        if (!clip) {
            return true;
        }
        BRUSHOBJ brush{};
        // GDI's COLORREF: red in the low byte.
        brush.iSolidColor =
            ((content.rgb >> 16) & 0xFF) | (content.rgb & 0xFF00) | ((content.rgb & 0xFF) << 16);
        POINTL brushOrigin{0, 0};
        if (!ddi_.Get<DdiBitBlt>(INDEX_DrvBitBlt)(device_, nullptr, nullptr, clip->object(),
                                                  nullptr, &destination, nullptr, nullptr, &brush,
                                                  &brushOrigin, kPatternCopy)) {
            problem_ = "the driver failed a fill";
            return false;
        }
        return true;
    }

    const DdiFunctions& ddi_;
    SURFOBJ* device_;
    const PageSetup& page_;
    const JobImages& images_;
    bool banded_;
    BlitFunctions blits_;
    PagePlacement placement_;
    std::string problem_;
};

// The logical pages of one sheet and where each goes.
struct Sheet {
    std::vector<std::pair<const PageDescription*, PagePlacement>> pages;
    std::optional<SheetLayoutBlock> layoutEscape;  // sent by the driver's own print processor
};

// One job through one plug-in object, in Unidrv's order; each step names itself on failure.
class JobPlayer {
public:
    JobPlayer(const JobDescription& job, const JobImages& images,
              const DriverSide& driver, IPrintOemUni& plugin, SpoolSink* output)
        : job_(job),
          images_(images),
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

    // The driver's own print processor plays journaled jobs: it lays out N-up sheets and tells
    // the plug-in each sheet's layout. Anything else reaches the driver page by page.
    bool OwnPrintProcessorPlays() const {
        return strcasecmp(job_.job.dataType.c_str(), "RAW") != 0 &&
               strcasecmp(job_.printer.printProcessor.c_str(), kOwnPrintProcessor) == 0;
    }

    std::vector<Sheet> PlanSheets() const {
        const bool ownProcessor = OwnPrintProcessorPlays();
        const std::size_t perSheet =
            ownProcessor ? static_cast<std::size_t>(std::max(driver_.pagesPerSheet, 1)) : 1;
        const std::size_t total = job_.pages.size();
        std::vector<Sheet> sheets;
        for (std::size_t first = 0; first < total; first += perSheet) {
            Sheet sheet;
            const SheetLayout layout =
                LayOutSheet(static_cast<int>(perSheet), first / perSheet, total,
                            page_.printableWidth(), page_.printableHeight(),
                            page_.paperWidthPixels, page_.paperHeightPixels, page_.landscape);
            for (const SheetSlot& slot : layout.slots) {
                const PagePlacement placement =
                    perSheet == 1 ? PagePlacement{} : PlacementInSlot(page_, slot.rectangle);
                sheet.pages.emplace_back(&job_.pages[slot.pageNumber - 1], placement);
            }
            if (ownProcessor) {
                sheet.layoutEscape = LayoutBlock(layout, total);
            }
            sheets.push_back(std::move(sheet));
        }
        return sheets;
    }

    bool Print(const PageProgress& progress, std::string& failure) {
        const DdiFunctions ddi(pluginHooks_, *session_->functions());
        SURFOBJ* surface = device_->surface();
        std::u16string documentName = Utf16(job_.job.document);
        if (!ddi.Get<DdiStartDoc>(INDEX_DrvStartDoc)(surface, documentName.data(), job_.job.id)) {
            failure = "DrvStartDoc failed";
            return false;
        }
        PagePainter painter(ddi, surface, page_, images_, job_.banded);
        // The engine draws onto the page through the driver's DrvCopyBits.
        const DeviceCopyBitsRegistration copyBits(surface,
                                                  ddi.Get<DdiCopyBits>(INDEX_DrvCopyBits));
        const std::vector<Sheet> sheets = PlanSheets();
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
            images_.PagePrinted(LastPageOf(sheets[s]));
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
    const JobImages& images_;
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

JobOutcome RunJob(const JobDescription& job, const JobImages& images,
                  const std::string& modulePath, const DriverSide& driver,
                  const PageProgress& progress, SpoolSink* output) {
    DescribeJobToWorld(job, ResetWorld());
    JobOutcome outcome;
    std::string error;
    PluginModule module(modulePath, error);
    if (!module.loaded()) {
        outcome.failure = error;
        return outcome;
    }
    IPrintOemUni* plugin = module.CreatePlugin(error);
    if (plugin == nullptr) {
        outcome.failure = error;
        return outcome;
    }
    outcome = JobPlayer(job, images, driver, *plugin, output).Play(progress);
    plugin->Release();
    return outcome;
}

}  // namespace sim::unidrv
