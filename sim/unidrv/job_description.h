// A print job as the xlrender command takes it: the printer, the selected driver options, the
// public devmode, the job, and the pages with their content.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "unidrv/printer_commands.h"

namespace sim::unidrv {

// A place on the page in millimetres from the top left corner of the paper.
struct PageRectangle {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct ImageContent {
    std::filesystem::path file;
    PageRectangle at;
    std::optional<PageRectangle> clip;
};

struct FillContent {
    PageRectangle at;
    std::uint32_t rgb = 0;  // 0xRRGGBB
};

using PageContent = std::variant<ImageContent, FillContent>;

struct PageDescription {
    std::vector<PageContent> content;
};

struct PrinterSpec {
    std::string name = "XL Laser 4100";
    std::string port = "USB001";
    std::string printProcessor = "ZQXPP041";
    std::vector<std::string> papers;  // empty: every paper the stand-in knows
    int resolution = 600;             // dots per inch
    double marginMm = 4.2;            // unprintable border on every side
};

struct PublicDevmodeSpec {
    std::string paper = "A4";
    std::string orientation = "portrait";
    int copies = 1;
    bool collate = true;
    std::string duplex = "simplex";
    std::string color = "monochrome";
    std::uint32_t mediaType = 1;
    int defaultSource = 7;
};

struct JobSpec {
    std::uint32_t id = 1;
    std::string document = "Untitled";
    std::string dataType = "NT EMF 1.008";
};

struct JobDescription {
    PrinterSpec printer;
    std::map<std::string, std::string> features;
    PublicDevmodeSpec publicDevmode;
    JobSpec job;
    bool banded = false;
    int bandHeight = 512;  // device pixels per band when banded
    PrinterCommands printerCommands = DefaultPrinterCommands();
    std::vector<PageDescription> pages;
};

// A job file that cannot be used: names the JSON path of the fault.
class JobFileError : public std::runtime_error {
public:
    JobFileError(const std::string& path, const std::string& message)
        : std::runtime_error(path.empty() ? message : path + ": " + message) {}
};

// Reads a job description; relative image paths are taken from the file's own folder.
// Throws JobFileError on anything that is not a usable job.
JobDescription ReadJobDescription(const std::filesystem::path& file);
JobDescription ParseJobDescription(const std::string& json, const std::filesystem::path& base);

}  // namespace sim::unidrv
