#include "unidrv/job_file/json_fields.h"

#include <sstream>

namespace sim::unidrv {

std::string Child(const std::string& path, const std::string& key) {
    return path + "/" + key;
}

std::string Child(const std::string& path, std::size_t index) {
    return path + "/" + std::to_string(index);
}

Fields::Fields(const json& value, std::string path) : object_(value), path_(std::move(path)) {
    if (!object_.is_object()) {
        throw JobFileError(Where(), "expected an object");
    }
}

const json* Fields::Find(const char* key) {
    seen_.insert(key);
    const auto found = object_.find(key);
    return found == object_.end() ? nullptr : &*found;
}

void Fields::String(const char* key, std::string& target) {
    if (const json* value = Find(key)) {
        if (!value->is_string()) {
            throw JobFileError(PathOf(key), "expected a string");
        }
        target = value->get<std::string>();
    }
}

void Fields::Choice(const char* key, std::string& target, const std::set<std::string>& allowed) {
    String(key, target);
    if (allowed.count(target) == 0) {
        std::string list;
        for (const std::string& option : allowed) {
            list += (list.empty() ? "" : ", ") + option;
        }
        throw JobFileError(PathOf(key), "\"" + target + "\" is not one of " + list);
    }
}

void Fields::Real(const char* key, double& target, double minimum, double maximum) {
    if (const json* value = Find(key)) {
        if (!value->is_number()) {
            throw JobFileError(PathOf(key), "expected a number");
        }
        target = value->get<double>();
        if (!(target >= minimum && target <= maximum)) {
            std::ostringstream range;
            range << "must lie between " << minimum << " and " << maximum;
            throw JobFileError(PathOf(key), range.str());
        }
    }
}

void Fields::Bool(const char* key, bool& target) {
    if (const json* value = Find(key)) {
        if (!value->is_boolean()) {
            throw JobFileError(PathOf(key), "expected true or false");
        }
        target = value->get<bool>();
    }
}

void Fields::Done() const {
    for (const auto& [key, value] : object_.items()) {
        if (seen_.count(key) == 0) {
            throw JobFileError(Child(path_, key), "unknown key");
        }
    }
}

const json& ArrayAt(const json& value, const std::string& path) {
    if (!value.is_array()) {
        throw JobFileError(path, "expected an array");
    }
    return value;
}

}  // namespace sim::unidrv
