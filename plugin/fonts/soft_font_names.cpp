#include "fonts/soft_font_names.h"

#include "fonts/ansi_text.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr std::size_t kFaceUnits = 32;
constexpr char kSoftFontSuffix[] = "KZ_WM";

}  // namespace

bool BuildSoftFontName(const WCHAR* face, DWORD generation, char* name, std::size_t nameBytes) {
    char converted[kAnsiTextBytes];
    if (ConvertToAnsi(face, kFaceUnits, converted, sizeof converted) < 0) {
        return false;
    }
    char suffix[sizeof kSoftFontSuffix + 12];
    if (generation == 0) {
        CopyText(suffix, sizeof suffix, kSoftFontSuffix);
    } else {
        FormatText(suffix, sizeof suffix, "%s%lu", kSoftFontSuffix,
                   static_cast<unsigned long>(generation));
    }
    // The suffix is what tells the fonts apart: the face gives way when room runs short.
    const std::size_t suffixLength = TextLength(suffix);
    if (nameBytes <= suffixLength) {
        return false;
    }
    CopyText(name, nameBytes - suffixLength, converted);
    AppendText(name, nameBytes, suffix);
    return true;
}

void BuildBitmapFontName(const char* fontName, DWORD index, char* name, std::size_t nameBytes) {
    char suffix[16];
    FormatText(suffix, sizeof suffix, " %lu", static_cast<unsigned long>(index));
    const std::size_t suffixLength = TextLength(suffix);
    if (nameBytes <= suffixLength) {
        return;
    }
    CopyText(name, nameBytes - suffixLength, fontName);
    AppendText(name, nameBytes, suffix);
}

}  // namespace xlrender
