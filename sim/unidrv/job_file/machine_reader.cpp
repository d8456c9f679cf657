#include "unidrv/job_file/machine_reader.h"

#include <cstdio>

namespace sim::unidrv {
namespace {

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

}  // namespace

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

}  // namespace sim::unidrv
