// xlrender devmode: private devmode blobs, which driver engineers meet as opaque registry bytes,
// shown field by field, and fresh defaults written to a file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"
#include "devmode_fields.h"
#include "public_devmode_json.h"
#include "settings/merge_groups.h"
#include "settings/private_devmode.h"
#include "settings/private_devmode_defaults.h"

namespace xlrender::tool {
namespace {

constexpr std::size_t kHexBytesPerLine = 16;
constexpr std::size_t kWordsPerLine = 4;
constexpr std::size_t kValueColumn = 47;

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open the file";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read the file";
        return false;
    }
    return true;
}

std::string Hex(unsigned long long value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, value);
    return text;
}

// Printable ASCII as it is; quotes, backslashes and everything else escaped.
std::string Quoted(const BYTE* bytes, std::size_t units, std::size_t unitBytes) {
    std::string text = "\"";
    std::size_t i = 0;
    for (; i < units; ++i) {
        unsigned unit = bytes[i * unitBytes];
        if (unitBytes == 2) {
            unit |= static_cast<unsigned>(bytes[i * unitBytes + 1]) << 8;
        }
        if (unit == 0) {
            break;
        }
        if (unit == '"' || unit == '\\') {
            text += '\\';
            text += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            text += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", unit);
            text += escape;
        }
    }
    text += '"';
    if (i == units) {
        text += " (unterminated)";
    }
    return text;
}

// Bytes as hex, or "all NN" for a run of one repeated byte.
std::string HexBytes(const BYTE* bytes, std::size_t count, const std::string& indent) {
    if (count > kHexBytesPerLine &&
        std::all_of(bytes, bytes + count, [&](BYTE byte) { return byte == bytes[0]; })) {
        char text[16];
        std::snprintf(text, sizeof text, "all %02X", bytes[0]);
        return text;
    }
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) {
            text += i % kHexBytesPerLine == 0 ? "\n" + indent : " ";
        }
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", bytes[i]);
        text += byte;
    }
    return text;
}

template <typename Value>
Value Load(const BYTE* bytes) {
    Value value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::string FieldValue(const DevmodeField& field, const BYTE* bytes, const std::string& indent) {
    switch (field.kind) {
        case FieldKind::kUnsigned: return std::to_string(Load<DWORD>(bytes));
        case FieldKind::kSigned: return std::to_string(Load<LONG>(bytes));
        case FieldKind::kShort: return std::to_string(Load<SHORT>(bytes));
        case FieldKind::kFloat: {
            std::ostringstream text;
            text << Load<FLOAT>(bytes);
            return text.str();
        }
        case FieldKind::kFlags: return Hex(Load<DWORD>(bytes), 8);
        case FieldKind::kSignature: {
            const DWORD value = Load<DWORD>(bytes);
            const BYTE characters[5] = {static_cast<BYTE>(value >> 24),
                                        static_cast<BYTE>(value >> 16),
                                        static_cast<BYTE>(value >> 8), static_cast<BYTE>(value), 0};
            return Quoted(characters, 5, 1) + " (" + Hex(value, 8) + ")";
        }
        case FieldKind::kWideText: return Quoted(bytes, field.size / 2, 2);
        case FieldKind::kNarrowText: return Quoted(bytes, field.size, 1);
        case FieldKind::kWords: {
            std::string text;
            for (std::size_t i = 0; i < field.size / 4; ++i) {
                text += i == 0 ? "" : i % kWordsPerLine == 0 ? "\n" + indent : " ";
                text += Hex(Load<DWORD>(bytes + i * 4), 8);
            }
            return text;
        }
    }
    return {};
}

const char* GroupName(std::size_t offset) {
    const MergeGroup* group = GroupAt(offset);
    return group == nullptr ? "reserved" : group->name;
}

void PrintLine(std::ostream& out, std::size_t offset, const char* group, const std::string& name,
               const std::string& value) {
    char head[64];
    std::snprintf(head, sizeof head, "0x%04zX  %-8s  %-26s ", offset, group, name.c_str());
    out << head << value << '\n';
}

// Bytes no named field covers, in runs that share one group (or are reserved).
std::size_t PrintUnnamedRun(std::ostream& out, const BYTE* bytes, std::size_t offset,
                            std::size_t limit) {
    const MergeGroup* group = GroupAt(offset);
    std::size_t end = offset + 1;
    while (end < limit && GroupAt(end) == group) {
        ++end;
    }
    const std::string name = std::string(group == nullptr ? "reserved" : "carried") + "[" +
                             std::to_string(end - offset) + "]";
    PrintLine(out, offset, GroupName(offset), name,
              HexBytes(bytes + offset, end - offset, std::string(kValueColumn, ' ')));
    return end;
}

void PrintDevmode(std::ostream& out, const BYTE* bytes) {
    const std::string indent(kValueColumn, ' ');
    std::size_t offset = 0;
    for (const DevmodeField& field : DevmodeFields()) {
        while (offset < field.offset) {
            offset = PrintUnnamedRun(out, bytes, offset, field.offset);
        }
        PrintLine(out, field.offset, GroupName(field.offset), field.name,
                  FieldValue(field, bytes + field.offset, indent));
        offset = field.offset + field.size;
    }
    while (offset < kPrivateDevmodeSize) {
        offset = PrintUnnamedRun(out, bytes, offset, kPrivateDevmodeSize);
    }
}

int ShowDevmode(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        std::cerr << "xlrender devmode show: " << path << ": " << error << '\n';
        return kExitBadInput;
    }
    if (bytes.size() != kPrivateDevmodeSize) {
        std::cerr << "xlrender devmode show: " << path << ": " << bytes.size()
                  << " bytes; a private devmode is " << kPrivateDevmodeSize << " bytes\n";
        return kExitBadInput;
    }
    PrivateDevmode devmode;
    std::memcpy(&devmode, bytes.data(), sizeof devmode);
    if (devmode.dwSignature != kPrivateDevmodeSignature) {
        std::cerr << "xlrender devmode show: " << path << ": signature "
                  << Hex(devmode.dwSignature, 8) << " is not KZUI ("
                  << Hex(kPrivateDevmodeSignature, 8) << "); not this plug-in's private devmode\n";
        return kExitBadInput;
    }
    if (devmode.dwVersion != kPrivateDevmodeVersion) {
        std::cerr << "xlrender devmode show: " << path << ": version " << Hex(devmode.dwVersion, 8)
                  << " is not the current version " << Hex(kPrivateDevmodeVersion, 8) << '\n';
        return kExitBadInput;
    }
    PrintDevmode(std::cout, reinterpret_cast<const BYTE*>(bytes.data()));
    return kExitSuccess;
}

// Writes next to the target and renames, so that a failure leaves no partial file.
bool WriteFileWhole(const std::string& path, const void* bytes, std::size_t size,
                    std::string& error) {
    const std::string temporary = path + ".partial";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file ||
            !file.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size)) ||
            !file.flush()) {
            error = "cannot write the file";
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        error = renameError.message();
        std::filesystem::remove(temporary);
        return false;
    }
    return true;
}

int WriteDefaultDevmode(const std::string& publicJsonPath, const std::string& outputPath) {
    DEVMODEW publicDevmode = DefaultPublicDevmode();
    std::string error;
    if (!publicJsonPath.empty()) {
        std::string json;
        if (!ReadWholeFile(publicJsonPath, json, error) ||
            !ApplyPublicDevmodeJson(json, publicDevmode, error)) {
            std::cerr << "xlrender devmode default: " << publicJsonPath << ": " << error << '\n';
            return kExitBadInput;
        }
    }
    std::vector<DWORD> block(kPrivateDevmodeSize / sizeof(DWORD) + 1);
    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.pPublicDMIn = &publicDevmode;
    param.pPublicDMOut = &publicDevmode;
    param.pOEMDMOut = block.data();
    param.cbBufSize = kPrivateDevmodeSize;
    if (!SetPrivateDevmodeDefaults(param)) {
        std::cerr << "xlrender devmode default: the defaults could not be written\n";
        return kExitWorkFailed;
    }
    if (!WriteFileWhole(outputPath, block.data(), kPrivateDevmodeSize, error)) {
        std::cerr << "xlrender devmode default: " << outputPath << ": " << error << '\n';
        return kExitWorkFailed;
    }
    return kExitSuccess;
}

}  // namespace

void AddDevmodeCommand(CLI::App& app, CommandWork& work) {
    auto* devmode = app.add_subcommand("devmode", "Read and write the plug-in's private devmode");
    devmode->require_subcommand(1);

    auto* show = devmode->add_subcommand(
        "show", "List a private devmode blob field by field, with the merge group of each");
    auto showPath = std::make_shared<std::string>();
    show->add_option("FILE", *showPath, "A private devmode of 5412 bytes")->required();
    show->callback([&work, showPath] { work = [showPath] { return ShowDevmode(*showPath); }; });

    auto* defaults = devmode->add_subcommand(
        "default", "Write the private devmode the plug-in creates for a fresh printer");
    auto publicJson = std::make_shared<std::string>();
    auto outputPath = std::make_shared<std::string>();
    defaults->add_option("--public-json", *publicJson,
                         "Public devmode members as a JSON object, e.g. {\"dmPaperSize\": 9}");
    defaults->add_option("-o,--output", *outputPath, "Where to write the 5412 bytes")->required();
    defaults->callback([&work, publicJson, outputPath] {
        work = [publicJson, outputPath] { return WriteDefaultDevmode(*publicJson, *outputPath); };
    });
}

}  // namespace xlrender::tool
