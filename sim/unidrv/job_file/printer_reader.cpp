#include "unidrv/job_file/printer_reader.h"

#include <algorithm>
#include <cstdio>

#include "unidrv/paper.h"

namespace sim::unidrv {
namespace {

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

}  // namespace

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

}  // namespace sim::unidrv
