#include "unidrv/job_file/devmode_reader.h"

#include <algorithm>

#include "unidrv/paper.h"

namespace sim::unidrv {
namespace {

constexpr int kMaxCopies = 9999;
constexpr int kMaxWatermarkPoints = 1000;
constexpr int kMaxWatermarkShade = 8;

}  // namespace

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

}  // namespace sim::unidrv
