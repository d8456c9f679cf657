#include "host_session.h"

#include "platform/function_cast.h"

namespace job_host {
namespace {

using sim::unidrv::PrinterCommands;

BOOL RunCommandsOf(SURFOBJ* pso, std::vector<sim::unidrv::PrinterCommand> PrinterCommands::*place) {
    HostSession* session = HostSession::Of(pso);
    if (session == nullptr) {
        return FALSE;
    }
    session->Run(session->description().*place);
    return TRUE;
}

BOOL APIENTRY HostStartDoc(SURFOBJ* pso, LPWSTR, DWORD) {
    return RunCommandsOf(pso, &PrinterCommands::jobStart);
}
BOOL APIENTRY HostEndDoc(SURFOBJ* pso, FLONG) {
    return RunCommandsOf(pso, &PrinterCommands::jobEnd);
}
BOOL APIENTRY HostStartPage(SURFOBJ* pso) {
    return RunCommandsOf(pso, &PrinterCommands::pageStart);
}
BOOL APIENTRY HostSendPage(SURFOBJ* pso) {
    return RunCommandsOf(pso, &PrinterCommands::pageEnd);
}

// Unidrv answers no escape of its own here.
ULONG APIENTRY HostEscape(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID) {
    return 0;
}

template <typename Function>
DRVFN Entry(ULONG index, Function* function) {
    return {index, xlrender::CastFunction<PFN>(function)};
}

}  // namespace

HostSession::HostSession(IPrintOemUni& plugin, sim::unidrv::Device& device,
                         const sim::unidrv::PrinterCommands& description,
                         const sim::unidrv::CommandFraming& framing)
    : plugin_(plugin), device_(device), description_(description), framing_(framing) {
    table_ = {Entry(INDEX_DrvStartDoc, &HostStartDoc), Entry(INDEX_DrvEndDoc, &HostEndDoc),
              Entry(INDEX_DrvStartPage, &HostStartPage), Entry(INDEX_DrvSendPage, &HostSendPage),
              Entry(INDEX_DrvEscape, &HostEscape)};
    functions_ = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(table_.size()), table_.data()};
    device_.SetHostContext(this);
}

HostSession::~HostSession() {
    device_.SetHostContext(nullptr);
}

HostSession* HostSession::Of(SURFOBJ* surface) {
    if (surface == nullptr) {
        return nullptr;
    }
    sim::unidrv::Device* device =
        sim::unidrv::Device::Of(reinterpret_cast<PDEVOBJ>(surface->dhpdev));
    return device == nullptr ? nullptr : static_cast<HostSession*>(device->hostContext());
}

}  // namespace job_host
