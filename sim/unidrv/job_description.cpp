#include "unidrv/job_description.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "unidrv/job_file/devmode_reader.h"
#include "unidrv/job_file/json_fields.h"
#include "unidrv/job_file/machine_reader.h"
#include "unidrv/job_file/page_content_reader.h"
#include "unidrv/job_file/printer_reader.h"
#include "unidrv/paper.h"

namespace sim::unidrv {
namespace {

constexpr int kMaxBandHeight = 65535;

void CheckPagesFit(const JobDescription& job) {
    const Paper paper = *FindPaper(job.publicDevmode.paper);
    const bool landscape = job.publicDevmode.orientation == "landscape";
    const double width = landscape ? paper.heightMm : paper.widthMm;
    const double height = landscape ? paper.widthMm : paper.heightMm;
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        for (std::size_t c = 0; c < job.pages[p].content.size(); ++c) {
            const PageRectangle at = std::visit([](const auto& item) { return item.at; },
                                                job.pages[p].content[c]);
            if (at.x + at.width > width + 1e-6 || at.y + at.height > height + 1e-6) {
                std::ostringstream message;
                message << "lies outside the " << job.publicDevmode.paper << " page (" << width
                        << " x " << height << " mm)";
                throw JobFileError("/pages/" + std::to_string(p) + "/content/" +
                                       std::to_string(c) + "/at",
                                   message.str());
            }
        }
    }
}

}  // namespace

JobDescription ParseJobDescription(const std::string& text, const std::filesystem::path& base) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::exception& error) {
        // Syntax errors, and numbers too large for any type (out_of_range).
        throw JobFileError("", std::string("not valid JSON: ") + error.what());
    }
    JobDescription job;
    Fields fields(document, "");
    if (const json* printer = fields.Find("printer")) {
        ReadPrinter(*printer, "/printer", job.printer);
    }
    if (const json* features = fields.Find("features")) {
        ReadFeatures(*features, "/features", job.features);
    }
    if (const json* devmode = fields.Find("publicDevmode")) {
        ReadPublicDevmode(*devmode, "/publicDevmode", job.publicDevmode);
    }
    if (const json* devmode = fields.Find("privateDevmode")) {
        job.privateDevmode = ReadPrivateDevmode(*devmode, "/privateDevmode");
    }
    if (const json* watermark = fields.Find("watermark")) {
        MergeWatermark(ReadWatermark(*watermark, "/watermark"), job.privateDevmode);
    }
    if (const json* jobValue = fields.Find("job")) {
        ReadJob(*jobValue, "/job", job.job);
    }
    if (const json* system = fields.Find("system")) {
        ReadSystem(*system, "/system", base, job.system);
    }
    fields.Bool("banded", job.banded);
    fields.Number("failSpoolWrite", job.failSpoolWrite, 0, 0x7FFFFFFF);
    fields.Number("bandHeight", job.bandHeight, 1, kMaxBandHeight);
    if (const json* description = fields.Find("printerCommands")) {
        ReadPrinterCommands(*description, "/printerCommands", job.printerCommands);
    }
    const json* pages = fields.Find("pages");
    fields.Done();
    if (pages == nullptr || ArrayAt(*pages, "/pages").empty()) {
        throw JobFileError("/pages", "a job needs at least one page");
    }
    for (std::size_t p = 0; p < pages->size(); ++p) {
        const std::string pagePath = Child("/pages", p);
        Fields page((*pages)[p], pagePath);
        PageDescription description;
        if (const json* content = page.Find("content")) {
            const std::string contentPath = page.PathOf("content");
            for (std::size_t c = 0; c < ArrayAt(*content, contentPath).size(); ++c) {
                description.content.push_back(
                    ReadContent((*content)[c], Child(contentPath, c), base));
            }
        }
        page.Done();
        job.pages.push_back(std::move(description));
    }
    const std::vector<std::string>& papers = job.printer.papers;
    if (!papers.empty() &&
        std::find(papers.begin(), papers.end(), job.publicDevmode.paper) == papers.end()) {
        throw JobFileError("/publicDevmode/paper",
                           "the printer has no " + job.publicDevmode.paper + " paper");
    }
    CheckPagesFit(job);
    return job;
}

JobDescription ReadJobDescription(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw JobFileError("", "cannot read the job file");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseJobDescription(text.str(), file.parent_path());
}

}  // namespace sim::unidrv
