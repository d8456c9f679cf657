#include "font_collection.h"

#include <fstream>
#include <iterator>

namespace contract {
namespace {

constexpr std::size_t kTableCountAt = 4;
constexpr std::size_t kTableRecordsAt = 12;
constexpr std::size_t kTableRecordBytes = 16;
constexpr std::size_t kTableOffsetInRecord = 8;

void AddToBigEndian32(std::string& bytes, std::size_t at, std::size_t addend) {
    std::size_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    value += addend;
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + 3 - i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

}  // namespace

bool WriteSingleFaceCollection(const std::string& fontFile, const std::string& collectionFile) {
    std::ifstream in(fontFile, std::ios::binary);
    std::string face{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (face.size() < kTableRecordsAt) {
        return false;
    }
    const std::size_t tables = static_cast<unsigned char>(face[kTableCountAt]) << 8 |
                               static_cast<unsigned char>(face[kTableCountAt + 1]);
    if (face.size() < kTableRecordsAt + tables * kTableRecordBytes) {
        return false;
    }
    for (std::size_t i = 0; i < tables; ++i) {
        AddToBigEndian32(face, kTableRecordsAt + kTableRecordBytes * i + kTableOffsetInRecord,
                         kCollectionFaceOffset);
    }
    // "ttcf", version 1.0, one face, at kCollectionFaceOffset.
    const std::string header("ttcf\0\1\0\0\0\0\0\1\0\0\0\x10", kCollectionFaceOffset);
    std::ofstream out(collectionFile, std::ios::binary);
    out << header << face;
    return static_cast<bool>(out);
}

}  // namespace contract
