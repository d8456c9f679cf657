// Plays one job through the plug-in as Unidrv does and writes every byte of its spool to a file:
// built for Linux against the plug-in module and the stand-in, and for Windows against
// XLRENDER.DLL (run under Wine). The two spools are compared by xlrender_spool_compare.
//
// Usage: xlrender_job_host FONT_FILE WINDOWS_VERSION_FILE SPOOL_OUTPUT
//   FONT_FILE is the DejaVu Sans file both sides were given for the watermark; the Windows run
//   writes WINDOWS_VERSION_FILE, the Linux run reads it.
#include <cstdio>
#include <fstream>

#include "host_job.h"
#include "plugin_instance.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: xlrender_job_host FONT_FILE WINDOWS_VERSION_FILE SPOOL_OUTPUT\n");
        return 2;
    }
    const WCHAR kWatermarkFace[] = W("DejaVu Sans");
    const job_host::PluginInstance instance(argv[1], kWatermarkFace, argv[2]);
    if (instance.plugin() == nullptr) {
        std::fprintf(stderr, "xlrender_job_host: %s\n", instance.error().c_str());
        return 1;
    }
    const job_host::HostJobOutcome outcome =
        job_host::PlayHostJob(*instance.plugin(), instance.module(), kWatermarkFace);
    if (!outcome.succeeded) {
        std::fprintf(stderr, "xlrender_job_host: %s failed\n", outcome.failure.c_str());
        return 1;
    }
    std::ofstream output(argv[3], std::ios::binary);
    output.write(outcome.spool.data(), static_cast<std::streamsize>(outcome.spool.size()));
    if (!output.flush()) {
        std::fprintf(stderr, "xlrender_job_host: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("spool of %zu bytes written to %s\n", outcome.spool.size(), argv[3]);
    return 0;
}
