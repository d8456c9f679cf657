#include "unidrv/job_description.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
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

PagePoint ReadPoint(const json& value, const std::string& path) {
    PagePoint point;
    Fields fields(value, path);
    fields.Real("x", point.x, 0.0, kMaxPageMm);
    fields.Real("y", point.y, 0.0, kMaxPageMm);
    fields.Done();
    return point;
}

// A clip: a rectangle, or {"rectangles": [...]}, {"polygon": [...]} or {"ellipse": RECT}, each
// with an optional "enumerate": "rectangles" or "path".
ClipShape ReadClip(const json& value, const std::string& path) {
    if (value.is_object() && value.contains("x")) {
        return {ClipShape::Kind::kRectangle, {ReadRectangle(value, path)}, {}, false};
    }
    Fields fields(value, path);
    ClipShape clip;
    std::string enumerate = "rectangles";
    fields.Choice("enumerate", enumerate, {"rectangles", "path"});
    clip.enumerateAsPath = enumerate == "path";
    const json* rectangles = fields.Find("rectangles");
    const json* polygon = fields.Find("polygon");
    const json* ellipse = fields.Find("ellipse");
    fields.Done();
    if ((rectangles != nullptr) + (polygon != nullptr) + (ellipse != nullptr) != 1) {
        throw JobFileError(path,
                           "give a rectangle or exactly one of \"rectangles\", "
                           "\"polygon\" and \"ellipse\"");
    }
    if (rectangles != nullptr) {
        clip.kind = ClipShape::Kind::kRectangles;
        const std::string listPath = fields.PathOf("rectangles");
        for (std::size_t i = 0; i < ArrayAt(*rectangles, listPath).size(); ++i) {
            clip.rectangles.push_back(ReadRectangle((*rectangles)[i], Child(listPath, i)));
        }
    } else if (polygon != nullptr) {
        clip.kind = ClipShape::Kind::kPolygon;
        const std::string listPath = fields.PathOf("polygon");
        for (std::size_t i = 0; i < ArrayAt(*polygon, listPath).size(); ++i) {
            clip.polygon.push_back(ReadPoint((*polygon)[i], Child(listPath, i)));
        }
        if (clip.polygon.size() < 3) {
            throw JobFileError(listPath, "a polygon needs at least three corners");
        }
    } else {
        clip.kind = ClipShape::Kind::kEllipse;
        clip.rectangles.push_back(ReadRectangle(*ellipse, fields.PathOf("ellipse")));
    }
    return clip;
}

const std::map<std::string, BlitVia> kBlitFunctions = {{"BitBlt", BlitVia::kBitBlt},
                                                       {"StretchBlt", BlitVia::kStretchBlt},
                                                       {"StretchBltROP", BlitVia::kStretchBltRop},
                                                       {"CopyBits", BlitVia::kCopyBits},
                                                       {"PlgBlt", BlitVia::kPlgBlt}};

SurfaceLayout ReadSurface(const json& value, const std::string& path) {
    Fields fields(value, path);
    std::string rows = "top-down";
    std::string format = "24bpp";
    fields.Choice("rows", rows, {"top-down", "bottom-up"});
    fields.Choice("format", format, {"8bpp", "24bpp", "32bpp"});
    fields.Done();
    return {rows == "top-down", std::stoi(format)};
}

// The image keys that say how GDI hands the picture over, checked against each other.
void ReadBlitKeys(Fields& fields, ImageContent& content) {
    std::string via;
    fields.String("via", via);
    if (!via.empty()) {
        const auto found = kBlitFunctions.find(via);
        if (found == kBlitFunctions.end()) {
            throw JobFileError(fields.PathOf("via"), "\"" + via +
                                                         "\" is not one of BitBlt, StretchBlt, "
                                                         "StretchBltROP, CopyBits, PlgBlt");
        }
        content.via = found->second;
    }
    const bool ropGiven = fields.Find("rop") != nullptr;
    fields.Number("rop", content.rop4, 0, 0xFFFF);
    fields.Number("rotate", content.rotate, 0, 270);
    if (content.rotate % 90 != 0) {
        throw JobFileError(fields.PathOf("rotate"), "must be 0, 90, 180 or 270");
    }
    if (const json* surface = fields.Find("surface")) {
        content.surface = ReadSurface(*surface, fields.PathOf("surface"));
    }
    if (ropGiven && content.via && *content.via != BlitVia::kBitBlt &&
        *content.via != BlitVia::kStretchBltRop) {
        throw JobFileError(fields.PathOf("rop"), "only BitBlt and StretchBltROP take a ROP");
    }
    if (content.rotate != 0 && content.via && *content.via != BlitVia::kPlgBlt) {
        throw JobFileError(fields.PathOf("rotate"), "a turned picture goes through PlgBlt");
    }
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
    if (at == nullptr) {
        throw JobFileError(fields.PathOf("at"), "missing: every content item needs its place");
    }
    if (image.empty() == colour.empty()) {
        throw JobFileError(path,
                           "give exactly one of \"image\" (a PNG or JPEG file) and "
                           "\"fill\" (a colour)");
    }
    if (!image.empty()) {
        ImageContent content;
        ReadBlitKeys(fields, content);
        fields.Done();
        const std::filesystem::path file(image);
        content.file = file.is_absolute() ? file : base / file;
        content.at = ReadRectangle(*at, fields.PathOf("at"));
        if (clip != nullptr) {
            content.clip = ReadClip(*clip, fields.PathOf("clip"));
        }
        return content;
    }
    fields.Done();
    if (clip != nullptr) {
        throw JobFileError(fields.PathOf("clip"), "only images take a clip");
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

void ReadFonts(const json& value, const std::string& path, const std::filesystem::path& base,
               std::vector<FontFileSpec>& fonts) {
    for (std::size_t i = 0; i < ArrayAt(value, path).size(); ++i) {
        Fields fields(value[i], Child(path, i));
        FontFileSpec font;
        fields.String("face", font.face);
        fields.String("file", font.file);
        fields.Bool("bold", font.bold);
        fields.Bool("italic", font.italic);
        fields.Number("index", font.index, 0, 0xFFFF);
        fields.Done();
        if (font.face.empty()) {
            throw JobFileError(fields.PathOf("face"), "a font needs a face name");
        }
        const std::filesystem::path file = base / font.file;
        if (font.file.empty() || !std::filesystem::is_regular_file(file)) {
            throw JobFileError(fields.PathOf("file"), "no font file at " + file.string());
        }
        font.file = file.string();
        fonts.push_back(std::move(font));
    }
}

void ReadSystem(const json& value, const std::string& path, const std::filesystem::path& base,
                SystemSpec& system) {
    Fields fields(value, path);
    fields.String("country", system.country);
    fields.Number("uiLanguage", system.uiLanguage, 0, 0xFFFF);
    fields.Number("language", system.language, 0, 0xFFFF);
    if (const json* fonts = fields.Find("fonts")) {
        ReadFonts(*fonts, fields.PathOf("fonts"), base, system.fonts);
    }
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

constexpr int kMaxWatermarkPoints = 1000;
constexpr int kMaxWatermarkShade = 8;

// The "watermark" object: the watermark's private devmode fields under friendlier names.
std::vector<PrivateDevmodeSetting> ReadWatermark(const json& value, const std::string& path) {
    Fields fields(value, path);
    std::vector<PrivateDevmodeSetting> settings = {{path, "WatermarkEnabled", 1LL}};
    const auto set = [&](const char* key, const char* name,
                         std::variant<long long, double, std::string> setting) {
        settings.push_back({fields.PathOf(key), name, std::move(setting)});
    };
    std::string text;
    if (fields.Find("text") != nullptr) {
        fields.String("text", text);
        set("text", "WatermarkText", text);
    }
    if (fields.Find("face") != nullptr) {
        fields.String("face", text);
        set("face", "WatermarkFace", text);
    }
    int number = 0;
    if (fields.Find("size") != nullptr) {
        fields.Number("size", number, 1, kMaxWatermarkPoints);
        set("size", "WatermarkSize", number);
    }
    bool mirror = false;
    const bool mirrorGiven = fields.Find("mirror") != nullptr;
    fields.Bool("mirror", mirror);
    if (const json* angle = fields.Find("angle")) {
        if (angle->is_string() && angle->get<std::string>() == "diagonal") {
            if (mirrorGiven) {
                throw JobFileError(fields.PathOf("mirror"),
                                   "the diagonal always turns with a right-to-left interface; "
                                   "mirror applies to a fixed angle");
            }
            set("angle", "WatermarkAngleMode", 0LL);
        } else {
            fields.Number("angle", number, -360, 360);
            set("angle", "WatermarkAngle", number);
            set("angle", "WatermarkAngleMode", mirror ? 2LL : 1LL);
        }
    } else if (mirrorGiven) {
        throw JobFileError(fields.PathOf("mirror"), "mirror applies to a fixed angle");
    }
    if (fields.Find("style") != nullptr) {
        static const std::vector<std::string> styles = {"regular", "bold", "italic",
                                                        "bold-italic"};
        fields.Choice("style", text, {styles.begin(), styles.end()});
        set("style", "WatermarkStyle",
            static_cast<long long>(std::find(styles.begin(), styles.end(), text) - styles.begin()));
    }
    if (fields.Find("shade") != nullptr) {
        fields.Number("shade", number, 0, kMaxWatermarkShade);
        set("shade", "WatermarkShade", number);
    }
    if (fields.Find("color") != nullptr) {
        static const std::vector<std::string> colours = {"black", "red",  "yellow", "green",
                                                         "cyan",  "blue", "magenta"};
        fields.Choice("color", text, {colours.begin(), colours.end()});
        set("color", "WatermarkColor",
            static_cast<long long>(std::find(colours.begin(), colours.end(), text) -
                                   colours.begin()));
    }
    bool flag = false;
    if (fields.Find("firstPageOnly") != nullptr) {
        fields.Bool("firstPageOnly", flag);
        set("firstPageOnly", "WatermarkFirstPageOnly", flag ? 1LL : 0LL);
    }
    if (fields.Find("resizeToPaper") != nullptr) {
        fields.Bool("resizeToPaper", flag);
        set("resizeToPaper", "ResizeToPaper", flag ? 1LL : 0LL);
    }
    fields.Done();
    return settings;
}

// Adds the watermark's fields to the private devmode's; a field named both ways is an error.
void MergeWatermark(std::vector<PrivateDevmodeSetting> watermark,
                    std::vector<PrivateDevmodeSetting>& settings) {
    for (PrivateDevmodeSetting& setting : watermark) {
        const auto twin = std::find_if(settings.begin(), settings.end(),
                                       [&](const PrivateDevmodeSetting& other) {
                                           return other.name == setting.name;
                                       });
        if (twin != settings.end()) {
            throw JobFileError(setting.path, "names the same field as " + twin->path);
        }
    }
    for (PrivateDevmodeSetting& setting : watermark) {
        settings.push_back(std::move(setting));
    }
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
