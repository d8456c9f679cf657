// Reads where a job comes from: the spooler's job (document, user, machine, when it was
// submitted) and the system it is printed on (locale, fonts, Windows version, time zone).
#pragma once

#include <filesystem>
#include <string>

#include "unidrv/job_file/json_fields.h"

namespace sim::unidrv {

void ReadJob(const json& value, const std::string& path, JobSpec& job);
// Font files are taken relative to `base`.
void ReadSystem(const json& value, const std::string& path, const std::filesystem::path& base,
                SystemSpec& system);

}  // namespace sim::unidrv
