// Reads the printer of a job file: its spooler description and driver files, the options
// selected for its features, and the commands its printer description sends.
#pragma once

#include <map>
#include <string>

#include "unidrv/job_file/json_fields.h"

namespace sim::unidrv {

void ReadPrinter(const json& value, const std::string& path, PrinterSpec& printer);
void ReadFeatures(const json& value, const std::string& path,
                  std::map<std::string, std::string>& features);
void ReadPrinterCommands(const json& value, const std::string& path,
                         PrinterCommands& description);

}  // namespace sim::unidrv
