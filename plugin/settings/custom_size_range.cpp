// Custom-size ranges of the duplex unit, as the driver's installer writes them.
#include <charconv>
#include <string_view>

#include "platform/text.h"
#include "settings/paper_checks.h"

namespace xlrender {
namespace {

using TextView = std::basic_string_view<WCHAR>;

constexpr float kInchesPerTenthMillimetre = 0.003937008f;
constexpr int kRangeNumbers = 4;
constexpr std::size_t kNumberChars = 32;

bool IsRangeSeparator(WCHAR unit) {
    return unit == W('x') || unit == W('_');
}

// Reads the leading decimal number of `piece` (a fraction allowed) the way the C library's
// string-to-double conversion does: leading spaces skipped, anything after the number ignored,
// 0 when there is no number.
double LeadingNumber(TextView piece) {
    char ascii[kNumberChars] = {};
    std::size_t length = 0;
    std::size_t start = 0;
    while (start < piece.size() && piece[start] == W(' ')) {
        ++start;
    }
    for (std::size_t i = start; i < piece.size() && length + 1 < kNumberChars; ++i) {
        if (piece[i] >= 0x80) {
            break;
        }
        ascii[length++] = static_cast<char>(piece[i]);
    }
    double value = 0.0;
    if (std::from_chars(ascii, ascii + length, value).ec != std::errc()) {
        return 0.0;
    }
    return value;
}

// The four numbers of the range; false when there are fewer than four pieces. Empty pieces
// (two separators in a row) are skipped.
bool SplitRange(TextView range, double (&numbers)[kRangeNumbers]) {
    int found = 0;
    std::size_t position = 0;
    while (found < kRangeNumbers && position < range.size()) {
        std::size_t end = position;
        while (end < range.size() && !IsRangeSeparator(range[end])) {
            ++end;
        }
        if (end > position) {
            numbers[found++] = LeadingNumber(range.substr(position, end - position));
        }
        position = end + 1;
    }
    return found == kRangeNumbers;
}

bool IsWellFormed(double minWidth, double minLength, double maxWidth, double maxLength) {
    return minWidth != 0.0 && minLength != 0.0 && maxWidth != 0.0 && maxLength != 0.0 &&
           minWidth <= minLength && maxWidth <= maxLength && minWidth <= maxWidth &&
           minLength <= maxLength;
}

// Tenths of a millimetre to inches, in single precision, rounded to two decimals through their
// text form so that the result is the one the driver's dialogs show. The text is written and
// read with a point whatever the host's locale: a comma would be read back as whole inches.
double InchesToHundredths(SHORT tenthsOfMillimetre) {
    const float inches = static_cast<float>(tenthsOfMillimetre) * kInchesPerTenthMillimetre;
    char text[kNumberChars] = {};
    AppendTwoDecimals(text, sizeof text, static_cast<double>(inches));
    double rounded = 0.0;
    std::from_chars(text, text + TextLength(text), rounded);
    return rounded;
}

}  // namespace

CustomSizeRangeAnswer CheckCustomSizeRange(const WCHAR* range, const DEVMODEW& publicDevmode) {
    double numbers[kRangeNumbers] = {};
    if (range == nullptr || !SplitRange(TextView(range), numbers)) {
        return kRangeMalformed;
    }
    const double minWidth = numbers[0];
    const double minLength = numbers[1];
    const double maxWidth = numbers[2];
    const double maxLength = numbers[3];
    if (!IsWellFormed(minWidth, minLength, maxWidth, maxLength)) {
        return kRangeMalformed;
    }
    const double width = InchesToHundredths(publicDevmode.dmPaperWidth);
    const double length = InchesToHundredths(publicDevmode.dmPaperLength);
    if (width < minWidth || length < minLength || width > maxWidth || length > maxLength) {
        return kPaperOutsideRange;
    }
    return kPaperInsideRange;
}

}  // namespace xlrender
