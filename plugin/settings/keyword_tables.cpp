#include "settings/keyword_tables.h"

#include <iterator>

namespace xlrender {
namespace {

constexpr const WCHAR* kPrinterCodes[] = {W("MODEL_NOT_NEEDED"), W("KZQMX4"),  W("KZR3100"),
                                          W("KZR3150"),          W("KZR6100"), W("KZR6150"),
                                          W("KZVN2720")};
constexpr const WCHAR* kColorModes[] = {W("INVALID_COLOR_MODE"), W("MONOCHROME_MODE"),
                                        W("COLOR_MODE")};
constexpr const WCHAR* kPosterOptions[] = {W("POSTER_2"), W("POSTER_3"), W("POSTER_4"),
                                           W("POSTER_5")};
constexpr const WCHAR* kPdlTypes[] = {W("INVALID_PDL"), W("PDL_PCL5"), W("PDL_PCL6"), W("PDL_PS"),
                                      W("PDL_PCL3")};
constexpr const WCHAR* kMaxResolutions[] = {W("PDM_INVALID_RESOLUTION"), W("PDM_150DPI"),
                                            W("PDM_300DPI"), W("PDM_600DPI"), W("PDM_1200DPI")};
constexpr const WCHAR* kJobAccountingKinds[] = {W("INVALID_KZJOBACCT"), W("KZJOBACCT_JOBACNT"),
                                                W("KZJOBACCT_TIMESTAMP"),
                                                W("KZJOBACCT_JOBACNT_TIMESTAMP")};
constexpr const WCHAR* kEncodings[] = {W("INVALID_KZENCODING"), W("UTF8"), W("7bitEncoding"),
                                       W("8bitEncoding"), W("UTF8Subset")};

template <std::size_t Count>
constexpr KeywordTable TableOf(const WCHAR* const (&keywords)[Count]) {
    return KeywordTable{keywords, static_cast<DWORD>(Count)};
}

static_assert(std::size(kPrinterCodes) == 7 && std::size(kColorModes) == 3 &&
              std::size(kPosterOptions) == 4 && std::size(kPdlTypes) == 5 &&
              std::size(kMaxResolutions) == 5 && std::size(kJobAccountingKinds) == 4 &&
              std::size(kEncodings) == 5);

}  // namespace

const KeywordTable kPrinterCodeTable = TableOf(kPrinterCodes);
const KeywordTable kColorModeTable = TableOf(kColorModes);
const KeywordTable kPosterTable = TableOf(kPosterOptions);
const KeywordTable kPdlTable = TableOf(kPdlTypes);
const KeywordTable kMaxResolutionTable = TableOf(kMaxResolutions);
const KeywordTable kJobAccountingTable = TableOf(kJobAccountingKinds);
const KeywordTable kEncodingTable = TableOf(kEncodings);

}  // namespace xlrender
