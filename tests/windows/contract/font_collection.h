// A font collection made from one font file, for the contract's checks of GetFontData on a
// face inside a collection.
#pragma once

#include <cstddef>
#include <string>

namespace contract {

// Where the one face's offset table starts: right after the collection header.
constexpr std::size_t kCollectionFaceOffset = 16;

// Writes `collectionFile` as a collection ("ttcf" version 1.0) holding the font of `fontFile`
// as its only face; its table offsets then count from the collection's start. False when a
// file cannot be read or written.
bool WriteSingleFaceCollection(const std::string& fontFile, const std::string& collectionFile);

}  // namespace contract
