// xlrender dump: shows a spool file (PJL and PCL XL) as a readable listing.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "pclxl_dump/spool_reader.h"
#include "read_progress.h"

namespace xlrender::tool {
namespace {

struct DumpOptions {
    std::string file;
    bool strict = false;
    bool offsets = false;
};

int Dump(const DumpOptions& options) {
    const std::string prefix = "xlrender dump: " + options.file + ": ";
    const std::unique_ptr<pclxl_dump::ByteSource> source = pclxl_dump::OpenSpoolFile(options.file);
    if (source == nullptr) {
        std::cerr << prefix << "cannot be read\n";
        return kExitBadInput;
    }
    // In strict mode the problem goes to the error stream, so the listing shows what was read
    // up to it.
    pclxl_dump::SpoolReading reading;
    reading.stopAtFirstProblem = options.strict;
    reading.onLine = [&options](const pclxl_dump::ListingLine& line) {
        pclxl_dump::PrintListingLine(line, options.offsets, !options.strict, std::cout);
    };
    ReadProgressLine progress(std::cerr);
    if (options.strict && ::isatty(STDERR_FILENO)) {
        reading.progress = progress.Reporter();
    }
    pclxl_dump::Listing listing;
    try {
        listing = pclxl_dump::ReadSpool(*source, reading);
    } catch (const pclxl_dump::SpoolReadError& error) {
        std::cout.flush();
        progress.End();
        std::cerr << prefix << "cannot be read: " << error.what() << '\n';
        return kExitBadInput;
    }
    std::cout.flush();
    progress.End();
    if (options.strict && listing.problemCount > 0) {
        const pclxl_dump::ListingLine* problem = listing.FirstProblem();
        std::cerr << prefix << "at byte " << pclxl_dump::DescribeOffset(problem->offset) << ": "
                  << problem->text << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

}  // namespace

void AddDumpCommand(CLI::App& app, CommandWork& work) {
    auto options = std::make_shared<DumpOptions>();
    auto* command = app.add_subcommand(
        "dump", "Show a spool file as a readable listing: PJL lines, the PCL XL stream header, "
                "one line per operator with its attributes, and a summary of embedded data");
    command->add_option("FILE", options->file, "Spool file to read")->required();
    command->add_flag("--strict", options->strict,
                      "Stop at the first malformed spot and exit with status 2, naming its "
                      "byte offset");
    command->add_flag("--offsets", options->offsets,
                      "Lead each line with the byte offset (hexadecimal) it starts at");
    command->callback([&work, options] { work = [options] { return Dump(*options); }; });
}

}  // namespace xlrender::tool
