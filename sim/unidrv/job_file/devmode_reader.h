// Reads the devmode settings of a job file: the public devmode, the private devmode's fields by
// name, and the watermark's fields under friendlier names.
#pragma once

#include <string>
#include <vector>

#include "unidrv/job_file/json_fields.h"

namespace sim::unidrv {

void ReadPublicDevmode(const json& value, const std::string& path, PublicDevmodeSpec& devmode);
std::vector<PrivateDevmodeSetting> ReadPrivateDevmode(const json& value,
                                                      const std::string& path);
// The "watermark" object as private devmode fields.
std::vector<PrivateDevmodeSetting> ReadWatermark(const json& value, const std::string& path);
// Adds the watermark's fields to the private devmode's; a field named both ways is an error.
void MergeWatermark(std::vector<PrivateDevmodeSetting> watermark,
                    std::vector<PrivateDevmodeSetting>& settings);

}  // namespace sim::unidrv
