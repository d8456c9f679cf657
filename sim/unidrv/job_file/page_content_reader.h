// Reads one content item of a page: a picture (with how GDI hands it over and its clip) or a
// filled rectangle.
#pragma once

#include <filesystem>
#include <string>

#include "unidrv/job_file/json_fields.h"

namespace sim::unidrv {

PageContent ReadContent(const json& value, const std::string& path,
                        const std::filesystem::path& base);

}  // namespace sim::unidrv
