// The pictures a job places on its pages. A print of the job decodes each when a page first
// draws it and drops it after the last page that draws it, so a long job holds only the pictures
// of the pages at hand, not every picture before its first page.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>

#include "unidrv/image_file.h"
#include "unidrv/job_description.h"

namespace sim::unidrv {

// Which pictures a job draws and on which pages; never changed by printing, so jobs printed side
// by side can share it.
class JobImages {
public:
    // No pictures: for jobs that draw none.
    JobImages() = default;

    // Supplies the picture of `file` in memory instead of from the file; it is never dropped.
    void Give(const std::string& file, BgrImage picture);

private:
    friend class HeldPictures;
    friend JobImages ReadJobImages(const JobDescription& job);

    std::map<std::string, std::size_t> lastPage_;  // by file: the last page that draws it
    std::map<std::string, BgrImage> given_;
};

// The pictures one print of a job holds right now.
class HeldPictures {
public:
    explicit HeldPictures(const JobImages& images) : images_(images) {}

    // The picture of `file` (one the job names), decoded now if it is not held.
    // Throws ImageFileError when it cannot be decoded.
    const BgrImage& Get(const std::filesystem::path& file);
    // Page `page` (counted from 0) is printed: drops the pictures no later page draws.
    void PagePrinted(std::size_t page);
    // How many pictures are decoded and held right now.
    std::size_t Count() const { return held_.size(); }

private:
    const JobImages& images_;
    std::map<std::string, BgrImage> held_;
};

// Checks every picture the job names before the plug-in runs, so a bad file is a bad job, not a
// failed one: each is decoded once and dropped again. Throws JobFileError naming the JSON path of
// the picture that cannot be read.
JobImages ReadJobImages(const JobDescription& job);

}  // namespace sim::unidrv
