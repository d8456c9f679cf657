// Plays Unidrv for one job: loads the plug-in module through its two exports, sets it up as
// Unidrv does, prints the job's pages through the plug-in's DDI hooks and collects the spool.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "unidrv/image_file.h"
#include "unidrv/job_description.h"

namespace sim::unidrv {

struct JobOutcome {
    bool succeeded = false;
    std::string failure;  // which call failed, when it did
    std::string spool;    // everything written to the spool stream
};

// Called after each page with the page number (1-based) and the page count.
using PageProgress = std::function<void(std::size_t page, std::size_t pages)>;

// The job's pictures, read before the plug-in runs so a bad file is a bad job, not a failed one.
// Throws JobFileError naming the JSON path of the picture that cannot be read.
std::map<std::string, BgrImage> ReadJobImages(const JobDescription& job);

JobOutcome RunJob(const JobDescription& job, const std::map<std::string, BgrImage>& images,
                  const std::string& modulePath, const PageProgress& progress = {});

}  // namespace sim::unidrv
