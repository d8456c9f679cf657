#include "private_devmode_settings.h"

#include <cstring>
#include <limits>
#include <string>

#include "devmode_fields.h"
#include "settings/job_settings.h"
#include "utf16.h"

namespace xlrender::tool {
namespace {

using sim::unidrv::JobFileError;
using sim::unidrv::PrivateDevmodeSetting;

const DevmodeField* FindField(const std::string& name) {
    for (const DevmodeField& field : DevmodeFields()) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

template <typename Value>
std::string LittleEndianBytes(Value value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

long long WholeNumber(const PrivateDevmodeSetting& setting, long long minimum, long long maximum) {
    const auto* number = std::get_if<long long>(&setting.value);
    if (number == nullptr) {
        throw JobFileError(setting.path, "expected a whole number");
    }
    if (*number < minimum || *number > maximum) {
        throw JobFileError(setting.path, "must lie between " + std::to_string(minimum) +
                                             " and " + std::to_string(maximum));
    }
    return *number;
}

const std::string& Text(const PrivateDevmodeSetting& setting) {
    const auto* text = std::get_if<std::string>(&setting.value);
    if (text == nullptr) {
        throw JobFileError(setting.path, "expected a text");
    }
    return *text;
}

// The field's bytes: the text and its terminator, the rest of the field left as it was.
std::string TextBytes(const PrivateDevmodeSetting& setting, const DevmodeField& field) {
    if (field.kind == FieldKind::kNarrowText) {
        const std::string& text = Text(setting);
        if (text.size() + 1 > field.size) {
            throw JobFileError(setting.path, "longer than the field's " +
                                                 std::to_string(field.size - 1) + " bytes");
        }
        return text + '\0';
    }
    const std::u16string text = sim::Utf16(Text(setting));
    if ((text.size() + 1) * sizeof(char16_t) > field.size) {
        throw JobFileError(setting.path, "longer than the field's " +
                                             std::to_string(field.size / 2 - 1) + " characters");
    }
    std::string bytes((text.size() + 1) * sizeof(char16_t), '\0');
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
    return bytes;
}

std::string FieldBytes(const PrivateDevmodeSetting& setting, const DevmodeField& field) {
    switch (field.kind) {
        case FieldKind::kUnsigned:
        case FieldKind::kFlags:
            return LittleEndianBytes(static_cast<std::uint32_t>(
                WholeNumber(setting, 0, std::numeric_limits<std::uint32_t>::max())));
        case FieldKind::kSigned:
            return LittleEndianBytes(static_cast<std::int32_t>(
                WholeNumber(setting, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max())));
        case FieldKind::kShort:
            return LittleEndianBytes(static_cast<std::int16_t>(
                WholeNumber(setting, std::numeric_limits<std::int16_t>::min(),
                            std::numeric_limits<std::int16_t>::max())));
        case FieldKind::kFloat: {
            const auto* whole = std::get_if<long long>(&setting.value);
            const auto* real = std::get_if<double>(&setting.value);
            if (whole == nullptr && real == nullptr) {
                throw JobFileError(setting.path, "expected a number");
            }
            return LittleEndianBytes(static_cast<float>(real ? *real : static_cast<double>(*whole)));
        }
        case FieldKind::kWideText:
        case FieldKind::kNarrowText:
            return TextBytes(setting, field);
        case FieldKind::kSignature:
        case FieldKind::kWords:
            break;
    }
    throw JobFileError(setting.path, "this field is not set by a job");
}

}  // namespace

sim::unidrv::DriverSide DriverSideFor(const sim::unidrv::JobDescription& job) {
    sim::unidrv::DriverSide driver;
    for (const PrivateDevmodeSetting& setting : job.privateDevmode) {
        const DevmodeField* field = FindField(setting.name);
        if (field == nullptr) {
            throw JobFileError(setting.path, "unknown private devmode field (xlrender devmode "
                                             "show lists the names)");
        }
        if (field->offset < sizeof(DWORD) * 3) {
            throw JobFileError(setting.path, "the devmode header is not set by a job");
        }
        driver.privateDevmode.push_back({field->offset, FieldBytes(setting, *field)});
        if (setting.name == "NupOption") {
            driver.pagesPerSheet =
                static_cast<int>(PagesPerSheet(static_cast<DWORD>(std::get<long long>(setting.value))));
        }
    }
    return driver;
}

}  // namespace xlrender::tool
