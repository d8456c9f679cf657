#include "unidrv/job_images.h"

#include <variant>

namespace sim::unidrv {

const BgrImage& JobImages::Get(const std::filesystem::path& file) const {
    const std::string name = file.string();
    auto held = held_.find(name);
    if (held == held_.end()) {
        held = held_.emplace(name, ReadImageFile(file)).first;
    }
    return held->second;
}

void JobImages::PagePrinted(std::size_t page) const {
    for (auto held = held_.begin(); held != held_.end();) {
        const auto last = lastPage_.find(held->first);
        held =
            last == lastPage_.end() || last->second <= page ? held_.erase(held) : std::next(held);
    }
}

JobImages ReadJobImages(const JobDescription& job) {
    JobImages images;
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        for (std::size_t c = 0; c < job.pages[p].content.size(); ++c) {
            const auto* image = std::get_if<ImageContent>(&job.pages[p].content[c]);
            if (image == nullptr) {
                continue;
            }
            const bool first = images.lastPage_.insert_or_assign(image->file.string(), p).second;
            if (!first) {
                continue;
            }
            try {
                ReadImageFile(image->file);
            } catch (const ImageFileError& error) {
                throw JobFileError(
                    "/pages/" + std::to_string(p) + "/content/" + std::to_string(c) + "/image",
                    error.what());
            }
        }
    }
    return images;
}

}  // namespace sim::unidrv
