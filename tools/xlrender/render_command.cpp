// xlrender render: draws the printed pages of a spool file as PNG images, a preview of what the
// printer puts on paper.
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "output_file.h"
#include "pclxl_dump/listing.h"
#include "pclxl_dump/pclxl_names.h"
#include "pclxl_dump/spool_reader.h"
#include "pclxl_render/png_encoder.h"
#include "pclxl_render/render_error.h"
#include "pclxl_render/render_spool.h"

namespace xlrender::tool {
namespace {

constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 1200;
constexpr std::string_view kPageNumberMark = "%d";

struct RenderOptions {
    std::string spool;
    std::string output;
    int dpi = static_cast<int>(pclxl_render::kDefaultDpi);
    std::string pages;
};

// Counts the pages a file prints, reading it the way rendering will.
class PageCounter : public pclxl_dump::XlOperatorSink {
public:
    bool Take(const pclxl_dump::XlOperator& op) override {
        pages += op.code == pclxl_dump::op::kEndPage ? 1 : 0;
        return true;
    }
    int pages = 0;
};

// "A-B" or "A", pages counted from 1; false when the text is neither.
bool ParsePageRange(const std::string& text, int& first, int& last) {
    if (text.empty()) {
        return true;
    }
    std::size_t used = 0;
    try {
        first = std::stoi(text, &used);
        if (used == text.size()) {
            last = first;
        } else if (text[used] == '-' && used + 1 < text.size() &&
                   std::isdigit(static_cast<unsigned char>(text[used + 1]))) {
            std::size_t more = 0;
            last = std::stoi(text.substr(used + 1), &more);
            used += 1 + more;
        }
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size() && first >= 1 && last >= first;
}

// The output file of page `number`: every "%d" of the name replaced by the number.
std::string PageFileName(const std::string& pattern, int number) {
    std::string name;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(kPageNumberMark); at != std::string::npos;
         at = pattern.find(kPageNumberMark, from)) {
        name += pattern.substr(from, at - from) + std::to_string(number);
        from = at + kPageNumberMark.size();
    }
    return name + pattern.substr(from);
}

int RenderPages(const RenderOptions& options) {
    const std::string prefix = "xlrender render: ";
    pclxl_render::RenderOptions render;
    render.dpi = options.dpi;
    if (!ParsePageRange(options.pages, render.firstPage, render.lastPage)) {
        std::cerr << prefix << "--pages wants A-B or A (pages counted from 1), not \""
                  << options.pages << "\"\n";
        return kExitBadInput;
    }
    std::unique_ptr<pclxl_dump::ByteSource> spool = pclxl_dump::OpenSpoolFile(options.spool);
    if (spool == nullptr) {
        std::cerr << prefix << options.spool << ": cannot be read\n";
        return kExitBadInput;
    }
    if (options.output.find(kPageNumberMark) == std::string::npos) {
        PageCounter counter;
        pclxl_dump::SpoolReading reading;
        reading.stopAtFirstProblem = true;
        reading.sink = &counter;
        reading.onLine = [](const pclxl_dump::ListingLine&) {};
        pclxl_dump::ReadSpool(*spool, reading);
        const int selected = std::min(counter.pages, render.lastPage) - render.firstPage + 1;
        if (selected > 1) {
            std::cerr << prefix << selected << " pages are to be drawn into the one file "
                      << options.output << ": put %d in its name for the page number\n";
            return kExitBadInput;
        }
        // The count read the file to its end: read it again from the start.
        spool = pclxl_dump::OpenSpoolFile(options.spool);
        if (spool == nullptr) {
            std::cerr << prefix << options.spool << ": cannot be read\n";
            return kExitBadInput;
        }
    }
    const auto writePage = [&](const pclxl_render::RenderedPage& page) {
        const std::string file = PageFileName(options.output, page.number);
        const std::string problem =
            WriteWholeFile(file, pclxl_render::EncodePng(page.raster, options.dpi));
        if (!problem.empty()) {
            throw pclxl_render::RenderError(problem);
        }
        std::cout << "page " << page.number << ": " << file;
        if (page.copies != 1) {
            std::cout << " (" << page.copies << " copies)";
        }
        std::cout << '\n';
    };
    const pclxl_render::RenderOutcome outcome = pclxl_render::RenderSpool(*spool, render, writePage);
    std::cout.flush();
    if (!outcome.succeeded) {
        std::cerr << prefix << options.spool << ": at byte "
                  << pclxl_dump::DescribeOffset(outcome.failureOffset) << ": " << outcome.failure
                  << '\n';
        return kExitWorkFailed;
    }
    if (outcome.pagesPrinted < render.firstPage) {
        std::cerr << prefix << options.spool << " prints " << outcome.pagesPrinted
                  << (outcome.pagesPrinted == 1 ? " page" : " pages")
                  << ", none of those asked for\n";
        return kExitWorkFailed;
    }
    return kExitSuccess;
}

// Rendering, with a file that cannot be read to its end named as such.
int Render(const RenderOptions& options) {
    try {
        return RenderPages(options);
    } catch (const pclxl_dump::SpoolReadError& error) {
        std::cout.flush();
        std::cerr << "xlrender render: " << options.spool << ": cannot be read: " << error.what()
                  << '\n';
        return kExitBadInput;
    }
}

}  // namespace

void AddRenderCommand(CLI::App& app, CommandWork& work) {
    auto options = std::make_shared<RenderOptions>();
    auto* command =
        app.add_subcommand("render",
                           "Draw the printed pages of a spool file as 8-bit RGB PNG images, as the "
                           "printer would print them");
    command->add_option("SPOOL", options->spool, "Spool file to draw")->required();
    command
        ->add_option("-o,--output", options->output,
                     "PNG file to write; %d in the name stands for the page number")
        ->required();
    command->add_option("-r,--resolution", options->dpi, "Dots per inch (50 to 1200)")
        ->check(CLI::Range(kMinDpi, kMaxDpi))
        ->capture_default_str();
    command->add_option("--pages", options->pages, "Pages to draw: A-B or A, counted from 1");
    command->callback([&work, options] { work = [options] { return Render(*options); }; });
}

}  // namespace xlrender::tool
