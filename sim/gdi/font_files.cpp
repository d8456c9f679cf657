#include "gdi/font_files.h"

#include <fontconfig/fontconfig.h>

#include <fstream>
#include <map>
#include <memory>
#include <utility>

#include "world.h"

namespace sim::gdi {
namespace {

constexpr std::uint32_t kCollectionTag = 0x74746366;  // "ttcf"

std::u16string FaceText(const WCHAR* face) {
    std::u16string text;
    for (int i = 0; i < LF_FACESIZE && face[i] != 0; ++i) {
        text += static_cast<char16_t>(face[i]);
    }
    return text;
}

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

bool SameFace(const std::u16string& left, const std::u16string& right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (Lower(left[i]) != Lower(right[i])) {
            return false;
        }
    }
    return true;
}

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
           bytes[at + 3];
}

// Each world loads its fonts afresh, so a file is read in one piece, not byte by byte.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

}  // namespace

// One FreeType library and every face loaded, for the life of a world: font files do not change
// under a job.
class FaceCache {
public:
    ~FaceCache() {
        for (auto& [key, loaded] : faces_) {
            FT_Done_Face(loaded->face);
        }
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
        }
    }

    const LoadedFace* Load(const std::string& path, int index) {
        const auto key = std::make_pair(path, index);
        if (auto found = faces_.find(key); found != faces_.end()) {
            return found->second.get();
        }
        if (library_ == nullptr && FT_Init_FreeType(&library_) != 0) {
            return nullptr;
        }
        auto loaded = std::make_unique<LoadedFace>();
        if (!ReadWholeFile(path, loaded->file)) {
            return nullptr;
        }
        if (FT_New_Memory_Face(library_, loaded->file.data(),
                               static_cast<FT_Long>(loaded->file.size()), index,
                               &loaded->face) != 0) {
            return nullptr;
        }
        loaded->inCollection =
            loaded->file.size() >= 12 && BigEndian32(loaded->file, 0) == kCollectionTag;
        loaded->faceOffset = 0;
        if (loaded->inCollection) {
            const std::size_t entry = 12 + 4 * static_cast<std::size_t>(index);
            loaded->faceOffset =
                entry + 4 <= loaded->file.size() ? BigEndian32(loaded->file, entry) : 0;
        }
        return faces_.emplace(key, std::move(loaded)).first->second.get();
    }

private:
    FT_Library library_ = nullptr;
    std::map<std::pair<std::string, int>, std::unique_ptr<LoadedFace>> faces_;
};

namespace {

FaceCache& Cache() {
    std::unique_ptr<FaceCache>& faces = TheWorld().screenFonts.faces;
    if (!faces) {
        faces = std::make_unique<FaceCache>();
    }
    return *faces;
}

const RegisteredFont* FromRegistry(const std::u16string& face, bool bold, bool italic) {
    const RegisteredFont* anyStyle = nullptr;
    for (const RegisteredFont& font : TheWorld().screenFonts.registry) {
        if (!SameFace(font.face, face)) {
            continue;
        }
        if (font.bold == bold && font.italic == italic) {
            return &font;
        }
        if (anyStyle == nullptr) {
            anyStyle = &font;
        }
    }
    return anyStyle;
}

// Fontconfig's best match, which may be another family: Windows too maps an unknown face to
// some font rather than failing.
bool FromFontconfig(const std::u16string& face, bool bold, bool italic, std::string& path,
                    int& index) {
    FcPattern* pattern = FcPatternCreate();
    std::string family(face.size() * 3 + 1, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, face.data(), static_cast<int>(face.size()), family.data(),
                            static_cast<int>(family.size()), nullptr, nullptr);
    family.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) {
            index = 0;
        }
        found = true;
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    return found;
}

}  // namespace

const LoadedFace* ResolveFace(const WCHAR* face, bool bold, bool italic) {
    const std::u16string name = FaceText(face);
    if (const RegisteredFont* font = FromRegistry(name, bold, italic)) {
        return Cache().Load(font->path, font->faceIndex);
    }
    std::string path;
    int index = 0;
    if (!TheWorld().screenFonts.useFontconfig || !FromFontconfig(name, bold, italic, path, index)) {
        return nullptr;
    }
    return Cache().Load(path, index);
}

}  // namespace sim::gdi

namespace sim {

ScreenFontState::ScreenFontState() = default;
ScreenFontState::~ScreenFontState() = default;
ScreenFontState::ScreenFontState(ScreenFontState&&) noexcept = default;
ScreenFontState& ScreenFontState::operator=(ScreenFontState&&) noexcept = default;

}  // namespace sim
