// xlrender print: runs a job description through the plug-in inside the simulated driver and
// writes the printer-ready spool file.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string_view>

#include "command.h"
#include "output_file.h"
#include "pclxl_dump/spool_reader.h"
#include "private_devmode_settings.h"
#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace xlrender::tool {
namespace {

struct PrintOptions {
    std::string jobFile;
    std::string output;
    std::string modulePath = sim::unidrv::DefaultPluginModulePath();
    bool dump = false;
};

// The plug-in's spool writes, straight on to the output file.
class OutputFileSink final : public sim::unidrv::SpoolSink {
public:
    explicit OutputFileSink(OutputFile& file) : file_(file) {}
    bool Write(std::string_view bytes) override { return file_.Write(bytes); }

private:
    OutputFile& file_;
};

// Lists the written file as `xlrender dump` does; false when it cannot be read back.
bool ShowDump(const std::string& spool) {
    const std::unique_ptr<pclxl_dump::ByteSource> source = pclxl_dump::OpenSpoolFile(spool);
    if (source == nullptr) {
        return false;
    }
    pclxl_dump::SpoolReading reading;
    reading.onLine = [](const pclxl_dump::ListingLine& line) {
        pclxl_dump::PrintListingLine(line, false, true, std::cout);
    };
    try {
        pclxl_dump::ReadSpool(*source, reading);
    } catch (const pclxl_dump::SpoolReadError&) {
        return false;
    }
    return true;
}

int Print(const PrintOptions& options) {
    if (options.dump && options.output == "-") {
        std::cerr << "xlrender print: --dump cannot share standard output with the spool file\n";
        return kExitBadInput;
    }
    sim::unidrv::JobDescription job;
    sim::unidrv::JobImages images;
    sim::unidrv::DriverSide driver;
    try {
        job = sim::unidrv::ReadJobDescription(options.jobFile);
        driver = DriverSideFor(job);
        images = sim::unidrv::ReadJobImages(job);
    } catch (const sim::unidrv::JobFileError& error) {
        std::cerr << "xlrender print: " << options.jobFile << ": " << error.what() << '\n';
        return kExitBadInput;
    }
    sim::unidrv::PageProgress progress;
    if (::isatty(STDERR_FILENO)) {
        progress = [](std::size_t page, std::size_t pages) {
            std::cerr << "\rprinted sheet " << page << " of " << pages << std::flush;
            if (page == pages) {
                std::cerr << '\n';
            }
        };
    }
    OutputFile output(options.output);
    if (!output.problem().empty()) {
        std::cerr << "xlrender print: " << output.problem() << '\n';
        return kExitWorkFailed;
    }
    OutputFileSink sink(output);
    const sim::unidrv::JobOutcome outcome =
        sim::unidrv::RunJob(job, images, options.modulePath, driver, progress, &sink);
    if (!outcome.succeeded && output.problem().empty()) {
        std::cerr << "xlrender print: " << options.jobFile << ": the job failed: "
                  << outcome.failure << '\n';
        return kExitWorkFailed;
    }
    if (!outcome.succeeded || !output.Commit()) {
        std::cerr << "xlrender print: " << output.problem() << '\n';
        return kExitWorkFailed;
    }
    if (options.dump && !ShowDump(options.output)) {
        std::cerr << "xlrender print: " << options.output << ": cannot be read back\n";
        return kExitWorkFailed;
    }
    return kExitSuccess;
}

}  // namespace

void AddPrintCommand(CLI::App& app, CommandWork& work) {
    auto options = std::make_shared<PrintOptions>();
    auto* command = app.add_subcommand(
        "print", "Print a job description through the plug-in and write the spool file");
    command->add_option("job", options->jobFile, "Job description (JSON)")->required();
    command->add_option("-o,--output", options->output,
                        "Spool file to write; - writes to standard output")
        ->required();
    command->add_option("--module", options->modulePath, "Path of the plug-in module")
        ->capture_default_str();
    command->add_flag("--dump", options->dump,
                      "Show the written spool file as `xlrender dump` lists it");
    command->callback([&work, options] { work = [options] { return Print(*options); }; });
}

}  // namespace xlrender::tool
