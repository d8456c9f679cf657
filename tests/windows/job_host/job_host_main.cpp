// Plays the same job twice through the plug-in as Unidrv does and writes every byte of each
// spool to a file: built for Linux against the plug-in module and the stand-in, and for Windows
// against XLRENDER.DLL (run under Wine). First on a printer the spooler does not know (the job
// header with every command callback, from settings alone), then on the test printer with its
// queued job (the spooler's answers, and the page with the scalable watermark, which is drawn
// for spooled jobs only). xlrender_spool_compare holds the Linux spools against the Windows ones.
//
// Usage: xlrender_job_host FONT_FILE ENVIRONMENT_FILE UNKNOWN_PRINTER_SPOOL QUEUED_JOB_SPOOL
//   FONT_FILE is the DejaVu Sans file both sides were given for the watermark; the Windows run
//   writes ENVIRONMENT_FILE, the Linux run reads it.
#include <cstdio>
#include <fstream>

#include "host_job.h"
#include "plugin_instance.h"

namespace {

// The job id Unidrv passes for the printer the spooler does not know.
constexpr DWORD kUnspooledJobId = 42;

bool PlayInto(const job_host::PluginInstance& instance, const WCHAR* face,
              const job_host::SpoolerJob& job, const char* path) {
    const job_host::HostJobOutcome outcome =
        job_host::PlayHostJob(*instance.plugin(), instance.module(), face, job);
    if (!outcome.succeeded) {
        std::fprintf(stderr, "xlrender_job_host: %s failed\n", outcome.failure.c_str());
        return false;
    }
    std::ofstream output(path, std::ios::binary);
    output.write(outcome.spool.data(), static_cast<std::streamsize>(outcome.spool.size()));
    if (!output.flush()) {
        std::fprintf(stderr, "xlrender_job_host: cannot write %s\n", path);
        return false;
    }
    std::printf("spool of %zu bytes written to %s\n", outcome.spool.size(), path);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: xlrender_job_host FONT_FILE ENVIRONMENT_FILE "
                     "UNKNOWN_PRINTER_SPOOL QUEUED_JOB_SPOOL\n");
        return 2;
    }
    const WCHAR kWatermarkFace[] = W("DejaVu Sans");
    const job_host::PluginInstance instance(argv[1], kWatermarkFace, argv[2]);
    if (instance.plugin() == nullptr) {
        std::fprintf(stderr, "xlrender_job_host: %s\n", instance.error().c_str());
        return 1;
    }
    const bool played =
        PlayInto(instance, kWatermarkFace, {job_host::UnknownPrinterHandle(), kUnspooledJobId},
                 argv[3]) &&
        PlayInto(instance, kWatermarkFace, {instance.printer(), instance.jobId()}, argv[4]);
    return played ? 0 : 1;
}
