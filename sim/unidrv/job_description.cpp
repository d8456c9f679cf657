#include "unidrv/job_description.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "unidrv/paper.h"

namespace sim::unidrv {
namespace {

using nlohmann::json;

constexpr int kMaxCopies = 9999;
constexpr int kMaxBandHeight = 65535;

std::string Child(const std::string& path, const std::string& key) { return path + "/" + key; }

std::string Child(const std::string& path, std::size_t index) {
    return path + "/" + std::to_string(index);
}

// The members of one JSON object: each is read at most once, and whatever was not read when the
// object is done is an unknown key.
class Fields {
public:
    Fields(const json& value, std::string path) : object_(value), path_(std::move(path)) {
        if (!object_.is_object()) {
            throw JobFileError(Where(), "expected an object");
        }
    }

    const json* Find(const char* key) {
        seen_.insert(key);
        const auto found = object_.find(key);
        return found == object_.end() ? nullptr : &*found;
    }

    std::string PathOf(const char* key) const { return Child(path_, key); }

    void String(const char* key, std::string& target) {
        if (const json* value = Find(key)) {
            if (!value->is_string()) {
                throw JobFileError(PathOf(key), "expected a string");
            }
            target = value->get<std::string>();
        }
    }

    void Choice(const char* key, std::string& target, const std::set<std::string>& allowed) {
        String(key, target);
        if (allowed.count(target) == 0) {
            std::string list;
            for (const std::string& option : allowed) {
                list += (list.empty() ? "" : ", ") + option;
            }
            throw JobFileError(PathOf(key), "\"" + target + "\" is not one of " + list);
        }
    }

    template <typename Integer>
    void Number(const char* key, Integer& target, long long minimum, long long maximum) {
        if (const json* value = Find(key)) {
            if (!value->is_number_integer()) {
                throw JobFileError(PathOf(key), "expected a whole number");
            }
            const long long number = value->get<long long>();
            if (number < minimum || number > maximum) {
                throw JobFileError(PathOf(key), "must lie between " + std::to_string(minimum) +
                                                    " and " + std::to_string(maximum));
            }
            target = static_cast<Integer>(number);
        }
    }

    void Real(const char* key, double& target, double minimum, double maximum) {
        if (const json* value = Find(key)) {
            if (!value->is_number()) {
                throw JobFileError(PathOf(key), "expected a number");
            }
            target = value->get<double>();
            if (!(target >= minimum && target <= maximum)) {
                std::ostringstream range;
                range << "must lie between " << minimum << " and " << maximum;
                throw JobFileError(PathOf(key), range.str());
            }
        }
    }

    void Bool(const char* key, bool& target) {
        if (const json* value = Find(key)) {
            if (!value->is_boolean()) {
                throw JobFileError(PathOf(key), "expected true or false");
            }
            target = value->get<bool>();
        }
    }

    void Done() const {
        for (const auto& [key, value] : object_.items()) {
            if (seen_.count(key) == 0) {
                throw JobFileError(Child(path_, key), "unknown key");
            }
        }
    }

    std::string Where() const { return path_.empty() ? "/" : path_; }

private:
    const json& object_;
    std::string path_;
    std::set<std::string> seen_;
};

const json& ArrayAt(const json& value, const std::string& path) {
    if (!value.is_array()) {
        throw JobFileError(path, "expected an array");
    }
    return value;
}

constexpr double kMaxPageMm = 2000.0;

PageRectangle ReadRectangle(const json& value, const std::string& path) {
    PageRectangle rectangle;
    Fields fields(value, path);
    fields.Real("x", rectangle.x, 0.0, kMaxPageMm);
    fields.Real("y", rectangle.y, 0.0, kMaxPageMm);
    fields.Real("width", rectangle.width, 0.0, kMaxPageMm);
    fields.Real("height", rectangle.height, 0.0, kMaxPageMm);
    fields.Done();
    if (rectangle.width <= 0 || rectangle.height <= 0) {
        throw JobFileError(path, "width and height must be positive");
    }
    return rectangle;
}

std::uint32_t ReadColour(const std::string& text, const std::string& path) {
    const bool wellFormed = text.size() == 7 && text[0] == '#' &&
                            text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (!wellFormed) {
        throw JobFileError(path, "expected a colour as #RRGGBB");
    }
    return static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

PageContent ReadContent(const json& value, const std::string& path,
                        const std::filesystem::path& base) {
    Fields fields(value, path);
    std::string image;
    std::string colour;
    fields.String("image", image);
    fields.String("fill", colour);
    const json* at = fields.Find("at");
    const json* clip = fields.Find("clip");
    fields.Done();
    if (at == nullptr) {
        throw JobFileError(fields.PathOf("at"), "missing: every content item needs its place");
    }
    if (image.empty() == colour.empty()) {
        throw JobFileError(path, "give exactly one of \"image\" (a PNG or JPEG file) and "
                                 "\"fill\" (a colour)");
    }
    if (!image.empty()) {
        ImageContent content;
        const std::filesystem::path file(image);
        content.file = file.is_absolute() ? file : base / file;
        content.at = ReadRectangle(*at, fields.PathOf("at"));
        if (clip != nullptr) {
            content.clip = ReadRectangle(*clip, fields.PathOf("clip"));
        }
        return content;
    }
    if (clip != nullptr) {
        throw JobFileError(fields.PathOf("clip"), "only images take a clip rectangle");
    }
    return FillContent{ReadRectangle(*at, fields.PathOf("at")),
                       ReadColour(colour, fields.PathOf("fill"))};
}

void ReadFileVersion(Fields& fields, const char* key, std::uint16_t (&version)[4]) {
    std::string text;
    fields.String(key, text);
    if (text.empty()) {
        return;
    }
    unsigned parts[4] = {};
    char end = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                    &end) != 4 ||
        std::any_of(std::begin(parts), std::end(parts), [](unsigned p) { return p > 0xFFFF; })) {
        throw JobFileError(fields.PathOf(key), "expected four numbers 0-65535 as a.b.c.d");
    }
    for (int i = 0; i < 4; ++i) {
        version[i] = static_cast<std::uint16_t>(parts[i]);
    }
}

DriverFile ReadDriverFile(const json& value, const std::string& path) {
    DriverFile file;
    Fields fields(value, path);
    fields.String("path", file.path);
    ReadFileVersion(fields, "version", file.version);
    fields.Done();
    if (file.path.empty()) {
        throw JobFileError(fields.PathOf("path"), "must name the file");
    }
    return file;
}

MediaTypeSpec ReadMediaType(const json& value, const std::string& path) {
    MediaTypeSpec media;
    Fields fields(value, path);
    fields.Number("id", media.id, 0, 0xFFFFFFFFLL);
    fields.String("name", media.name);
    fields.Done();
    return media;
}

template <typename Item, typename Reader>
std::vector<Item> ReadList(const json& value, const std::string& path, Reader read) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < ArrayAt(value, path).size(); ++i) {
        items.push_back(read(value[i], Child(path, i)));
    }
    return items;
}

void ReadPrinter(const json& value, const std::string& path, PrinterSpec& printer) {
    Fields fields(value, path);
    fields.String("name", printer.name);
    fields.String("port", printer.port);
    fields.String("printProcessor", printer.printProcessor);
    fields.Number("attributes", printer.attributes, 0, 0xFFFFFFFFLL);
    fields.String("driverPath", printer.driverPath);
    ReadFileVersion(fields, "driverVersion", printer.driverVersion);
    fields.String("pluginPath", printer.pluginPath);
    if (const json* files = fields.Find("dependentFiles")) {
        printer.dependentFiles =
            ReadList<DriverFile>(*files, fields.PathOf("dependentFiles"), ReadDriverFile);
    }
    if (const json* media = fields.Find("mediaTypes")) {
        printer.mediaTypes =
            ReadList<MediaTypeSpec>(*media, fields.PathOf("mediaTypes"), ReadMediaType);
    }
    fields.Number("resolution", printer.resolution, 150, 1200);
    fields.Real("marginMm", printer.marginMm, 0.0, 50.0);
    if (const json* papers = fields.Find("papers")) {
        const std::string papersPath = fields.PathOf("papers");
        for (std::size_t i = 0; i < ArrayAt(*papers, papersPath).size(); ++i) {
            const json& paper = (*papers)[i];
            if (!paper.is_string() || !FindPaper(paper.get<std::string>())) {
                throw JobFileError(Child(papersPath, i), "expected a paper name the stand-in "
                                                         "knows");
            }
            printer.papers.push_back(paper.get<std::string>());
        }
    }
    fields.Done();
    if (printer.resolution != 150 && printer.resolution != 300 && printer.resolution != 600 &&
        printer.resolution != 1200) {
        throw JobFileError(fields.PathOf("resolution"), "must be 150, 300, 600 or 1200");
    }
    if (printer.name.empty()) {
        throw JobFileError(fields.PathOf("name"), "must not be empty");
    }
}

void ReadPublicDevmode(const json& value, const std::string& path, PublicDevmodeSpec& devmode) {
    Fields fields(value, path);
    std::set<std::string> papers;
    for (const std::string& name : PaperNames()) {
        papers.insert(name);
    }
    fields.Choice("paper", devmode.paper, papers);
    fields.Choice("orientation", devmode.orientation, {"portrait", "landscape"});
    fields.Number("copies", devmode.copies, 1, kMaxCopies);
    fields.Bool("collate", devmode.collate);
    fields.Choice("duplex", devmode.duplex, {"simplex", "long-edge", "short-edge"});
    fields.Choice("color", devmode.color, {"monochrome", "color"});
    fields.Number("mediaType", devmode.mediaType, 0, 0xFFFFFFFFLL);
    fields.Number("defaultSource", devmode.defaultSource, 0, 0x7FFF);
    fields.Done();
}

Timestamp ReadTimestamp(const std::string& text, const std::string& path) {
    Timestamp time;
    char zone = 0;
    char end = 0;
    const int read = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%c", &time.year,
                                 &time.month, &time.day, &time.hour, &time.minute, &time.second,
                                 &zone, &end);
    const bool valid = read == 7 && zone == 'Z' && time.year >= 1601 && time.year <= 30827 &&
                       time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31 &&
                       time.hour <= 23 && time.minute <= 59 && time.second <= 59 &&
                       time.hour >= 0 && time.minute >= 0 && time.second >= 0;
    if (!valid) {
        throw JobFileError(path, "expected a UTC time as YYYY-MM-DDTHH:MM:SSZ");
    }
    return time;
}

void ReadJob(const json& value, const std::string& path, JobSpec& job) {
    Fields fields(value, path);
    fields.Number("id", job.id, 0, 0xFFFFFFFFLL);
    fields.String("document", job.document);
    fields.String("dataType", job.dataType);
    fields.String("user", job.user);
    fields.String("machine", job.machine);
    std::string submitted;
    fields.String("submitted", submitted);
    fields.Done();
    if (!submitted.empty()) {
        job.submitted = ReadTimestamp(submitted, fields.PathOf("submitted"));
    }
}

void ReadSystem(const json& value, const std::string& path, SystemSpec& system) {
    Fields fields(value, path);
    fields.String("country", system.country);
    fields.Number("uiLanguage", system.uiLanguage, 0, 0xFFFF);
    fields.String("shortDate", system.shortDate);
    std::string os = std::to_string(system.osMajor) + "." + std::to_string(system.osMinor);
    fields.String("osVersion", os);
    fields.String("productName", system.productName);
    fields.String("domain", system.domain);
    fields.Number("timeZoneBias", system.timeZoneBias, -24 * 60, 24 * 60);
    fields.Done();
    char end = 0;
    if (std::sscanf(os.c_str(), "%d.%d%c", &system.osMajor, &system.osMinor, &end) != 2 ||
        system.osMajor < 0 || system.osMinor < 0) {
        throw JobFileError(fields.PathOf("osVersion"), "expected MAJOR.MINOR, such as 5.1");
    }
    if (system.country.empty() ||
        system.country.find_first_not_of("0123456789") != std::string::npos) {
        throw JobFileError(fields.PathOf("country"), "expected the country's dialling code");
    }
}

std::vector<PrivateDevmodeSetting> ReadPrivateDevmode(const json& value,
                                                      const std::string& path) {
    if (!value.is_object()) {
        throw JobFileError(path, "expected an object of private devmode field names and values");
    }
    std::vector<PrivateDevmodeSetting> settings;
    for (const auto& [name, item] : value.items()) {
        PrivateDevmodeSetting setting{Child(path, name), name, 0LL};
        if (item.is_number_integer()) {
            setting.value = item.get<long long>();
        } else if (item.is_number()) {
            setting.value = item.get<double>();
        } else if (item.is_string()) {
            setting.value = item.get<std::string>();
        } else {
            throw JobFileError(setting.path, "expected a number or a text");
        }
        settings.push_back(std::move(setting));
    }
    return settings;
}

std::vector<PrinterCommand> ReadCommands(const json& value, const std::string& path) {
    std::vector<PrinterCommand> commands;
    for (std::size_t i = 0; i < ArrayAt(value, path).size(); ++i) {
        const json& item = value[i];
        const auto command =
            item.is_string() ? ParsePrinterCommand(item.get<std::string>()) : std::nullopt;
        if (!command) {
            throw JobFileError(Child(path, i),
                               "expected a printer command (\"uel\", \"pjl @PJL ...\", "
                               "\"callback N\", \"stream-header\", or a framing operator)");
        }
        commands.push_back(*command);
    }
    return commands;
}

void ReadPrinterCommands(const json& value, const std::string& path,
                            PrinterCommands& description) {
    Fields fields(value, path);
    const std::pair<const char*, std::vector<PrinterCommand>*> lists[] = {
        {"jobStart", &description.jobStart},
        {"pageStart", &description.pageStart},
        {"pageEnd", &description.pageEnd},
        {"jobEnd", &description.jobEnd},
    };
    for (const auto& [key, list] : lists) {
        if (const json* commands = fields.Find(key)) {
            *list = ReadCommands(*commands, fields.PathOf(key));
        }
    }
    fields.Done();
}

void ReadFeatures(const json& value, const std::string& path,
                  std::map<std::string, std::string>& features) {
    if (!value.is_object()) {
        throw JobFileError(path, "expected an object of feature names and option keywords");
    }
    for (const auto& [feature, option] : value.items()) {
        if (!option.is_string()) {
            throw JobFileError(Child(path, feature), "expected an option keyword");
        }
        features[feature] = option.get<std::string>();
    }
}

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
    if (const json* jobValue = fields.Find("job")) {
        ReadJob(*jobValue, "/job", job.job);
    }
    if (const json* system = fields.Find("system")) {
        ReadSystem(*system, "/system", job.system);
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
