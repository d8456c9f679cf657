// xlrender dump: shows a spool file (PJL and PCL XL) as a readable listing.
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "input_file.h"
#include "pclxl_dump/spool_reader.h"

namespace xlrender::tool {
namespace {

struct DumpOptions {
    std::string file;
    bool strict = false;
    bool offsets = false;
};

int Dump(const DumpOptions& options) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(options.file, bytes)) {
        std::cerr << "xlrender dump: " << options.file << ": cannot be read\n";
        return kExitBadInput;
    }
    const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(bytes, options.strict);
    // In strict mode the problem goes to the error stream, so the listing shows what was read
    // up to it.
    pclxl_dump::PrintListing(listing, options.offsets, !options.strict, std::cout);
    std::cout.flush();
    if (options.strict && listing.problemCount > 0) {
        const pclxl_dump::ListingLine* problem = listing.FirstProblem();
        std::cerr << "xlrender dump: " << options.file << ": at byte "
                  << pclxl_dump::DescribeOffset(problem->offset) << ": " << problem->text
                  << '\n';
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
