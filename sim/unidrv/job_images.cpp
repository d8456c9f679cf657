#include "unidrv/job_images.h"

#include <utility>
#include <variant>

namespace sim::unidrv {

void JobImages::Give(const std::string& file, BgrImage picture) {
    given_.insert_or_assign(file, std::move(picture));
}

const BgrImage& HeldPictures::Get(const std::filesystem::path& file) {
    const std::string name = file.string();
    if (const auto given = images_.given_.find(name); given != images_.given_.end()) {
        return given->second;
    }
    auto held = held_.find(name);
    if (held == held_.end()) {
        held = held_.emplace(name, ReadImageFile(file)).first;
    }
    return held->second;
}

void HeldPictures::PagePrinted(std::size_t page) {
    for (auto held = held_.begin(); held != held_.end();) {
        const auto last = images_.lastPage_.find(held->first);
        const bool drawnLater = last != images_.lastPage_.end() && last->second > page;
        held = drawnLater ? std::next(held) : held_.erase(held);
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
