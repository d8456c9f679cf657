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

// A point on the page in millimetres from the top left corner of the paper.
struct PagePoint {
    double x = 0;
    double y = 0;
};

// The clip GDI hands the driver with a picture (always cut to the band as well).
struct ClipShape {
    enum class Kind { kRectangle, kRectangles, kPolygon, kEllipse };
    Kind kind = Kind::kRectangle;
    std::vector<PageRectangle> rectangles;  // the rectangle, the list, or the ellipse's box
    std::vector<PagePoint> polygon;
    bool enumerateAsPath = false;  // the clip object prefers TC_PATHOBJ to TC_RECTANGLES
};

// The DDI function GDI draws a picture through.
enum class BlitVia { kBitBlt, kStretchBlt, kStretchBltRop, kCopyBits, kPlgBlt };

// The engine bitmap GDI hands the driver: its row order and pixel format.
struct SurfaceLayout {
    bool topDown = true;
    int bitsPerPixel = 24;  // 8 (grey, with a palette translation), 24 or 32
};

constexpr std::uint32_t kSourceCopyRop4 = 0xCCCC;

struct ImageContent {
    std::filesystem::path file;
    PageRectangle at;
    std::optional<ClipShape> clip;
    // Unset: DrvBitBlt when the picture is drawn at its own size, DrvStretchBlt when scaled,
    // DrvPlgBlt when turned.
    std::optional<BlitVia> via;
    std::uint32_t rop4 = kSourceCopyRop4;
    int rotate = 0;  // degrees clockwise: 0, 90, 180 or 270
    SurfaceLayout surface;
};

struct FillContent {
    PageRectangle at;
    std::uint32_t rgb = 0;  // 0xRRGGBB
};

using PageContent = std::variant<ImageContent, FillContent>;

struct PageDescription {
    std::vector<PageContent> content;
};

// A file of the driver package, with the version its version resource reports.
struct DriverFile {
    std::string path;
    std::uint16_t version[4] = {0, 0, 0, 0};
};

struct MediaTypeSpec {
    std::uint32_t id = 0;
    std::string name;
};

struct PrinterSpec {
    std::string name = "XL Laser 4100";
    std::string port = "USB001";
    std::string printProcessor = "ZQXPP041";
    std::uint32_t attributes = 0;  // PRINTER_ATTRIBUTE_*
    std::string driverPath = "C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\UNIDRV.DLL";
    std::uint16_t driverVersion[4] = {6, 1, 7601, 17514};
    std::vector<DriverFile> dependentFiles;
    // Where the driver package installs the rendering plug-in (what GetModuleFileNameW reports
    // for the plug-in's module handle).
    std::string pluginPath = "C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\XLRENDER.DLL";
    std::vector<MediaTypeSpec> mediaTypes;
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

// A moment in UTC.
struct Timestamp {
    int year = 2026;
    int month = 1;
    int day = 1;
    int hour = 12;
    int minute = 0;
    int second = 0;
};

struct JobSpec {
    std::uint32_t id = 1;
    std::string document = "Untitled";
    std::string dataType = "NT EMF 1.008";
    std::string user = "user";
    std::string machine = "\\\\WORKSTATION";
    Timestamp submitted;
};

// A font file the machine has, under a face name and style.
struct FontFileSpec {
    std::string face;
    std::string file;  // absolute, or relative to the job file's folder when read
    bool bold = false;
    bool italic = false;
    int index = 0;  // the face inside a collection file
};

// The machine the job is printed on.
struct SystemSpec {
    std::string country = "1";  // LOCALE_ICOUNTRY
    int uiLanguage = 1033;      // LANGID of the user interface
    int language = -1;          // the user's default LANGID; -1: the interface language
    std::vector<FontFileSpec> fonts;  // found before the machine's own fonts
    std::string shortDate = "M/d/yyyy";
    int osMajor = 5;
    int osMinor = 1;
    std::string productName;  // empty: no "ProductName" registry value
    std::string domain;       // empty: no logon domain
    int timeZoneBias = 0;     // minutes: UTC = local time + bias
};

// One private devmode field the job sets, by name, as the driver's user interface would.
struct PrivateDevmodeSetting {
    std::string path;  // JSON path, for messages
    std::string name;
    std::variant<long long, double, std::string> value;
};

struct JobDescription {
    PrinterSpec printer;
    std::map<std::string, std::string> features;
    PublicDevmodeSpec publicDevmode;
    std::vector<PrivateDevmodeSetting> privateDevmode;
    JobSpec job;
    SystemSpec system;
    // For testing what a job does when the spool stream refuses a write: that write (1 = the
    // first) takes nothing; 0 = every write goes through.
    std::size_t failSpoolWrite = 0;
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
