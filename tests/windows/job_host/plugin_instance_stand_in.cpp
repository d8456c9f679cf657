// The Linux side: the plug-in module beside this program, loaded by the stand-in's module loader,
// in a fresh world with the default US English user, the test printer with the job queued as
// the spooler under Wine queued it, and the Windows version the Windows run recorded.
#include <memory>
#include <string>

#include "environment_record.h"
#include "plugin_instance.h"
#include "unidrv/job_world.h"
#include "unidrv/plugin_module.h"
#include "world.h"

namespace job_host {
namespace {

// The queued job as Wine's spooler describes it: its document name, and nothing of its owner,
// machine, data type or submission time (Windows would name them all; the Linux run follows
// Wine so that both run the same paths of the plug-in).
void QueueJob(sim::World& world, DWORD jobId) {
    sim::PrinterDescription printer;
    printer.name = kTestPrinterName;
    printer.portName = u"LPT1:";
    printer.printProcessor = kDriverPrintProcessor;
    world.spooler.printers.push_back(printer);
    sim::JobDescription job;
    job.id = jobId;
    job.printerName = kTestPrinterName;
    job.document = kQueuedDocumentName;
    job.ownerUnreported = true;
    world.spooler.jobs.push_back(job);
}

}  // namespace

struct PluginInstance::Platform {
    std::unique_ptr<sim::unidrv::PluginModule> module;
};

PluginInstance::PluginInstance(const char* fontFile, const WCHAR* fontFace,
                               const char* environmentFile)
    : platform_(new Platform) {
    sim::World& world = sim::ResetWorld();
    HostEnvironment environment;
    if (!ReadEnvironment(environmentFile, environment)) {
        error_ = std::string("no environment recorded in ") + environmentFile;
        return;
    }
    world.version = environment.version;
    world.screenFonts.registry = {{fontFace, false, false, fontFile}};
    world.screenFonts.useFontconfig = false;
    QueueJob(world, environment.jobId);
    std::u16string printerName = kTestPrinterName;
    if (!OpenPrinterW(printerName.data(), &printer_, nullptr)) {
        error_ = "OpenPrinterW failed for the test printer";
        return;
    }
    jobId_ = environment.jobId;
    platform_->module =
        std::make_unique<sim::unidrv::PluginModule>(sim::unidrv::DefaultPluginModulePath(), error_);
    if (!platform_->module->loaded()) {
        return;
    }
    module_ = sim::unidrv::PluginModuleHandle();
    plugin_ = platform_->module->CreatePlugin(error_);
}

PluginInstance::~PluginInstance() {
    if (plugin_ != nullptr) {
        plugin_->Release();
    }
    if (printer_ != nullptr) {
        ClosePrinter(printer_);
    }
    delete platform_;
}

}  // namespace job_host
