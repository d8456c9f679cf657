#include "unidrv/unidrv_session.h"

#include <algorithm>

#include "platform/function_cast.h"
#include "unidrv/printer_command_runner.h"
#include "unidrv/raster_output.h"

namespace sim::unidrv {
namespace {

constexpr ROP4 kSourceCopy = 0xCCCC;

// GDI's COLORREF order: red in the low byte.
ULONG RgbFromColorRef(ULONG colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// Unidrv's own DDI functions, as the plug-in's hooks reach them.
BOOL APIENTRY UnidrvStartDoc(SURFOBJ* pso, LPWSTR, DWORD) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->StartDoc();
}

BOOL APIENTRY UnidrvEndDoc(SURFOBJ* pso, FLONG) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->EndDoc();
}

BOOL APIENTRY UnidrvStartPage(SURFOBJ* pso) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->StartPage();
}

BOOL APIENTRY UnidrvSendPage(SURFOBJ* pso) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->SendPage();
}

BOOL APIENTRY UnidrvStartBanding(SURFOBJ* pso, POINTL* pptl) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->StartBanding(pptl);
}

BOOL APIENTRY UnidrvNextBand(SURFOBJ* pso, POINTL* pptl) {
    UnidrvSession* session = UnidrvSession::Of(pso);
    return session != nullptr && session->NextBand(pptl);
}

BOOL APIENTRY UnidrvBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco, XLATEOBJ* pxlo,
                           RECTL* prclTrg, POINTL* pptlSrc, POINTL*, BRUSHOBJ* pbo, POINTL*,
                           ROP4 rop4) {
    UnidrvSession* session = UnidrvSession::Of(psoTrg);
    if (session == nullptr || prclTrg == nullptr) {
        return FALSE;
    }
    const POINTL origin = pptlSrc != nullptr ? *pptlSrc : POINTL{0, 0};
    const RECTL source = {origin.x, origin.y, origin.x + (prclTrg->right - prclTrg->left),
                          origin.y + (prclTrg->bottom - prclTrg->top)};
    return session->Blit(psoSrc, pco, prclTrg, &source, pbo, rop4, pxlo);
}

BOOL APIENTRY UnidrvCopyBits(SURFOBJ* psoDst, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                             RECTL* prclDst, POINTL* pptlSrc) {
    return UnidrvBitBlt(psoDst, psoSrc, nullptr, pco, pxlo, prclDst, pptlSrc, nullptr, nullptr,
                        nullptr, kSourceCopy);
}

BOOL APIENTRY UnidrvStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco,
                               XLATEOBJ* pxlo, COLORADJUSTMENT*, POINTL*, RECTL* prclDest,
                               RECTL* prclSrc, POINTL*, ULONG) {
    UnidrvSession* session = UnidrvSession::Of(psoDest);
    return session != nullptr && prclDest != nullptr &&
           session->Blit(psoSrc, pco, prclDest, prclSrc, nullptr, kSourceCopy, pxlo);
}

BOOL APIENTRY UnidrvStretchBltROP(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco,
                                  XLATEOBJ* pxlo, COLORADJUSTMENT*, POINTL*, RECTL* prclDest,
                                  RECTL* prclSrc, POINTL*, ULONG, BRUSHOBJ* pbo, DWORD rop4) {
    UnidrvSession* session = UnidrvSession::Of(psoDest);
    return session != nullptr && prclDest != nullptr &&
           session->Blit(psoSrc, pco, prclDest, prclSrc, pbo, rop4, pxlo);
}

// Text reaches the page through Unidrv's font machinery, which the stand-in does not model:
// the call is accepted and draws nothing.
BOOL APIENTRY UnidrvTextOut(SURFOBJ* pso, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*,
                            BRUSHOBJ*, BRUSHOBJ*, POINTL*, MIX) {
    return UnidrvSession::Of(pso) != nullptr;
}

// Unidrv answers no escape of its own here.
ULONG APIENTRY UnidrvEscape(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID) { return 0; }

template <typename Function>
DRVFN Entry(ULONG index, Function* function) {
    return {index, xlrender::CastFunction<PFN>(function)};
}

}  // namespace

UnidrvSession::UnidrvSession(IPrintOemUni& plugin, Device& device,
                             const PrinterCommands& description, const PageSetup& page,
                             int bandHeight)
    : plugin_(plugin),
      device_(device),
      description_(description),
      page_(page),
      bandHeight_(bandHeight) {
    table_ = {
        Entry(INDEX_DrvCopyBits, &UnidrvCopyBits),
        Entry(INDEX_DrvBitBlt, &UnidrvBitBlt),
        Entry(INDEX_DrvStretchBlt, &UnidrvStretchBlt),
        Entry(INDEX_DrvStretchBltROP, &UnidrvStretchBltROP),
        Entry(INDEX_DrvTextOut, &UnidrvTextOut),
        Entry(INDEX_DrvStartPage, &UnidrvStartPage),
        Entry(INDEX_DrvSendPage, &UnidrvSendPage),
        Entry(INDEX_DrvEscape, &UnidrvEscape),
        Entry(INDEX_DrvStartDoc, &UnidrvStartDoc),
        Entry(INDEX_DrvEndDoc, &UnidrvEndDoc),
        Entry(INDEX_DrvNextBand, &UnidrvNextBand),
        Entry(INDEX_DrvStartBanding, &UnidrvStartBanding),
    };
    functions_ = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(table_.size()), table_.data()};
    device_.SetHostContext(this);
    // What GDI draws on: the printable area.
    device_.surface()->sizlBitmap = {page_.printableWidth(), page_.printableHeight()};
}

UnidrvSession::~UnidrvSession() { device_.SetHostContext(nullptr); }

UnidrvSession* UnidrvSession::Of(SURFOBJ* surface) {
    if (surface == nullptr) {
        return nullptr;
    }
    Device* device = Device::Of(reinterpret_cast<PDEVOBJ>(surface->dhpdev));
    return device == nullptr ? nullptr : static_cast<UnidrvSession*>(device->hostContext());
}

void UnidrvSession::Write(const std::string& bytes) {
    device_.spool().Write(SpoolRoute::kUnidrv, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void UnidrvSession::Run(const std::vector<PrinterCommand>& commands) {
    RunPrinterCommands(plugin_, device_, commands, FramingFor(page_));
}

BOOL UnidrvSession::StartDoc() {
    Run(description_.jobStart);
    return TRUE;
}

BOOL UnidrvSession::EndDoc() {
    Run(description_.jobEnd);
    return TRUE;
}

BOOL UnidrvSession::StartPage() {
    bandTop_ = 0;
    Run(description_.pageStart);
    return TRUE;
}

BOOL UnidrvSession::SendPage() {
    Run(description_.pageEnd);
    return TRUE;
}

BOOL UnidrvSession::StartBanding(POINTL* origin) {
    if (origin == nullptr) {
        return FALSE;
    }
    bandTop_ = 0;
    *origin = {0, 0};
    return TRUE;
}

BOOL UnidrvSession::NextBand(POINTL* origin) {
    if (origin == nullptr) {
        return FALSE;
    }
    bandTop_ += bandHeight_;
    if (bandTop_ >= page_.printableHeight()) {
        Run(description_.pageEnd);
        *origin = {-1, -1};
    } else {
        *origin = {0, bandTop_};
    }
    return TRUE;
}

RECTL UnidrvSession::CurrentBand() const {
    return {0, bandTop_, page_.printableWidth(),
            std::min(bandTop_ + bandHeight_, page_.printableHeight())};
}

BOOL UnidrvSession::Blit(SURFOBJ* source, CLIPOBJ* clip, const RECTL* destination,
                         const RECTL* sourceRectangle, const BRUSHOBJ* brush, ROP4 rop4,
                         const XLATEOBJ* translation) {
    const std::vector<RECTL> visible = VisibleParts(*destination, clip);
    if (visible.empty()) {
        return TRUE;
    }
    if ((source == nullptr && brush == nullptr) ||
        (source != nullptr && sourceRectangle == nullptr)) {
        return FALSE;
    }
    // The page's default ROP3 (252, source OR paint) would OR an image with the current brush:
    // every blit says its own, the foreground ROP3 of its ROP4.
    std::string bytes;
    WriteRop3(bytes, static_cast<std::uint8_t>(rop4 & 0xFF));
    // A complex clip is drawn a rectangle at a time.
    for (const RECTL& part : visible) {
        if (source == nullptr) {
            WriteFilledRectangle(bytes, part, RgbFromColorRef(brush->iSolidColor));
            continue;
        }
        const RasterBlit blit{source, *sourceRectangle, *destination, part, translation};
        if (!WriteRasterImage(bytes, blit)) {
            return FALSE;
        }
    }
    Write(bytes);
    return TRUE;
}

}  // namespace sim::unidrv
