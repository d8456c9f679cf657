// Reading one JSON object of a job file: every member read at most once, unknown keys refused,
// and each fault named by its JSON path.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "unidrv/job_description.h"

namespace sim::unidrv {

using nlohmann::json;

std::string Child(const std::string& path, const std::string& key);
std::string Child(const std::string& path, std::size_t index);

// The members of one JSON object: each is read at most once, and whatever was not read when the
// object is done is an unknown key.
class Fields {
public:
    Fields(const json& value, std::string path);

    const json* Find(const char* key);

    std::string PathOf(const char* key) const { return Child(path_, key); }

    void String(const char* key, std::string& target);
    void Choice(const char* key, std::string& target, const std::set<std::string>& allowed);

    template <typename Integer>
    void Number(const char* key, Integer& target, long long minimum, long long maximum) {
        if (const json* value = Find(key)) {
            if (!value->is_number_integer()) {
                throw JobFileError(PathOf(key), "expected a whole number");
            }
            const long long number = value->get<long long>();
            if (number < minimum || number > maximum) {
                throw JobFileError(PathOf(key), "must lie between " + std::to_string(minimum) +
                                                    " and " + std::to_string(maximum));
            }
            target = static_cast<Integer>(number);
        }
    }

    void Real(const char* key, double& target, double minimum, double maximum);
    void Bool(const char* key, bool& target);
    // Refuses the members no one read.
    void Done() const;

    std::string Where() const { return path_.empty() ? "/" : path_; }

private:
    const json& object_;
    std::string path_;
    std::set<std::string> seen_;
};

// `value` as an array; anything else is a fault at `path`.
const json& ArrayAt(const json& value, const std::string& path);

template <typename Item, typename Reader>
std::vector<Item> ReadList(const json& value, const std::string& path, Reader read) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < ArrayAt(value, path).size(); ++i) {
        items.push_back(read(value[i], Child(path, i)));
    }
    return items;
}

}  // namespace sim::unidrv
