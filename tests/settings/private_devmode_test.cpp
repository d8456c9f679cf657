#include "settings/private_devmode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/private_devmode_dispatch.h"
#include "settings/keyword_tables.h"
#include "settings/merge_groups.h"
#include "settings/private_devmode_defaults.h"
#include "settings/private_devmode_merge.h"
#include "world.h"

namespace xlrender {
namespace {

constexpr BYTE kGarbage = 0xAB;

// A host's view of one DevMode call: raw 4-byte aligned blocks and the two public devmodes.
class DevmodeCall : public ::testing::Test {
protected:
    DevmodeCall() : inBlock(kPrivateDevmodeSize / 4 + 1), outBlock(kPrivateDevmodeSize / 4 + 1) {
        std::memset(outBlock.data(), kGarbage, kPrivateDevmodeSize);
        publicIn.dmSize = sizeof(DEVMODEW);
        publicIn.dmOrientation = DMORIENT_LANDSCAPE;
        publicIn.dmDuplex = DMDUP_VERTICAL;
        publicIn.dmColor = DMCOLOR_MONOCHROME;
        publicIn.dmCopies = 3;
        publicIn.dmCollate = DMCOLLATE_TRUE;
        publicIn.dmTTOption = DMTT_SUBDEV;
        publicIn.dmPaperSize = -7;
        publicIn.dmDefaultSource = 7;
        publicIn.dmMediaType = 258;
        publicIn.dmICMMethod = 2;
        publicIn.dmICMIntent = 3;
        const char16_t form[] = u"A4 Transverse Extra Wide Form X";
        std::memcpy(publicIn.dmFormName, form, sizeof form);
        publicOut = publicIn;
        param.cbSize = sizeof param;
        param.hPrinter = reinterpret_cast<HANDLE>(1);
        param.hModule = reinterpret_cast<HANDLE>(2);
        param.pPublicDMIn = &publicIn;
        param.pPublicDMOut = &publicOut;
        param.pOEMDMIn = inBlock.data();
        param.pOEMDMOut = outBlock.data();
        param.cbBufSize = kPrivateDevmodeSize;
    }

    PrivateDevmode& in() { return *reinterpret_cast<PrivateDevmode*>(inBlock.data()); }
    PrivateDevmode& out() { return *reinterpret_cast<PrivateDevmode*>(outBlock.data()); }
    const BYTE* outBytes() { return reinterpret_cast<const BYTE*>(outBlock.data()); }

    DWORD OutWord(std::size_t offset) {
        DWORD value;
        std::memcpy(&value, outBytes() + offset, sizeof value);
        return value;
    }
    SHORT OutShort(std::size_t offset) {
        SHORT value;
        std::memcpy(&value, outBytes() + offset, sizeof value);
        return value;
    }
    std::u16string OutText(std::size_t offset) {
        return std::u16string(reinterpret_cast<const char16_t*>(outBytes() + offset));
    }

    // Fills the input with the current version's defaults plus distinctive values.
    void MakeCurrentInput() {
        OEMDMPARAM defaults = param;
        defaults.pOEMDMOut = inBlock.data();
        ASSERT_TRUE(SetPrivateDevmodeDefaults(defaults));
    }

    std::vector<DWORD> inBlock;
    std::vector<DWORD> outBlock;
    DEVMODEW publicIn{};
    DEVMODEW publicOut{};
    OEMDMPARAM param{};
};

TEST_F(DevmodeCall, DefaultsAreWrittenByteForByte) {
    sim::TheWorld().locale.country = u"49";
    ASSERT_EQ(DispatchPrivateDevmode(OEMDM_DEFAULT, &param), S_OK);

    struct Word {
        std::size_t offset;
        DWORD value;
    };
    // Values the stored format fixes, at their offsets.
    const Word words[] = {
        {0x000, 5412},       {0x004, 0x4B5A5549},  {0x008, 0x00110009}, {0x018, 1},
        {0x06C, 1},          {0x070, 6},           {0x0A4, 1},          {0x6CC, 52},
        {0x6D0, 80},         {0x6D8, 1},           {0x6E0, 0x00C0C0C0}, {0x6E8, 0x00C0C0C0},
        {0x6FC, 0xFFFFFFF9}, {0x700, 1},           {0x704, 100},        {0x70C, 0x3F800000},
        {0x720, 1},          {0x738, 1},           {0xBAC, 1},          {0xBB8, 1},
        {0xBBC, 7},          {0xBC0, 258},         {0xBC8, 7},          {0xBCC, 258},
        {0xBD4, 0xFFFFFFFF}, {0xBE0, 7},           {0xBE4, 258},        {0xBE8, 7},
        {0xBEC, 258},        {0xF30, 1},           {0x1164, 100},       {0x1168, 1},
        {0x1470, 2},         {0x1474, 0xFFFFFFFF}, {0x14EC, 7},         {0x14F0, 258},
        {0x1508, 258}};
    for (const Word& word : words) {
        EXPECT_EQ(OutWord(word.offset), word.value) << std::hex << word.offset;
    }
    for (std::size_t offset = 0x1488; offset < 0x14EC; offset += 4) {
        EXPECT_EQ(OutWord(offset), 1u) << std::hex << offset;
    }
    EXPECT_EQ(OutShort(0x030), DMORIENT_LANDSCAPE);
    EXPECT_EQ(OutShort(0x032), DMDUP_SIMPLEX);  // group 6 resets it after group 1
    EXPECT_EQ(OutShort(0x034), 100);
    EXPECT_EQ(OutText(0x0CC), u" [none]");
    EXPECT_EQ(OutText(0x2CC), u" [none]");
    // The public mirror is not written by the defaults, and reserved bytes never are.
    for (std::size_t offset : {0x036, 0x040, 0x048, 0x116C, 0x136B, 0x1487, 0x1518, 0x151F}) {
        EXPECT_EQ(outBytes()[offset], offset < 0x068 ? 0 : kGarbage) << std::hex << offset;
    }
    EXPECT_EQ(outBytes()[0x03E], kGarbage);  // padding
    EXPECT_EQ(outBytes()[0x6EC], kGarbage);
    // Fields without a stated default start from zero instead of the buffer's garbage.
    for (std::size_t offset : {0x00C, 0x010, 0x014, 0x024, 0x4CC, 0x748, 0x758, 0xBF0, 0xF38}) {
        EXPECT_EQ(OutWord(offset), 0u) << std::hex << offset;
    }
}

TEST_F(DevmodeCall, DefaultsFollowTheLocaleAndTheColourOfThePublicDevmode) {
    sim::TheWorld().locale.country = u"1";
    publicIn.dmColor = DMCOLOR_COLOR;
    ASSERT_TRUE(SetPrivateDevmodeDefaults(param));
    EXPECT_EQ(out().A4Locale, 0u);
    EXPECT_EQ(out().Grayscale, 0u);
}

TEST_F(DevmodeCall, EveryModeNeedsAnOutputBlock) {
    param.pOEMDMOut = nullptr;
    for (auto handler :
         {&SetPrivateDevmodeDefaults, &ConvertPrivateDevmode, &MergePrivateDevmode}) {
        SetLastError(0);
        EXPECT_FALSE(handler(param));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    }
}

TEST_F(DevmodeCall, ConvertOfAnotherVersionResetsNumberedGroupsAndKeepsTheKeptGroup) {
    MakeCurrentInput();
    in().dwVersion = 0x00110008;
    in().NupOption = 5;
    in().PrinterCode = 2;
    in().StorePin = 1234;
    out().PrinterCode = 5;
    out().RenderFlags = kRenderRaiseColorCount;
    ASSERT_EQ(DispatchPrivateDevmode(OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(out().dwVersion, kPrivateDevmodeVersion);
    EXPECT_EQ(out().dwSignature, kPrivateDevmodeSignature);
    EXPECT_EQ(out().PrinterCode, 5u);
    EXPECT_EQ(out().RenderFlags, kRenderRaiseColorCount);
    EXPECT_EQ(out().NupOption, 1u);
    EXPECT_EQ(out().StorePin, 0u);
    EXPECT_EQ(OutText(0x2CC), u" [none]");
    EXPECT_EQ(out().Orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(out().Copies, 3);
    EXPECT_EQ(out().Collate, DMCOLLATE_TRUE);
    EXPECT_EQ(out().TrueTypeOption, DMTT_SUBDEV);
    EXPECT_EQ(out().IcmIntent, 3u);
    EXPECT_EQ(std::memcmp(out().FormName, publicIn.dmFormName, sizeof out().FormName), 0);
}

TEST_F(DevmodeCall, AShortOrMissingInputBlockCountsAsAnotherVersion) {
    MakeCurrentInput();
    in().NupOption = 5;
    in().dwSize = 1024;  // current version, but its groups would lie past its end
    ASSERT_TRUE(ConvertPrivateDevmode(param));
    EXPECT_EQ(out().NupOption, 1u);

    param.pOEMDMIn = nullptr;
    out().NupOption = 4;
    ASSERT_TRUE(ConvertPrivateDevmode(param));
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(out().NupOption, 1u);
}

TEST_F(DevmodeCall, MissingPublicDevmodesSkipThePublicSteps) {
    MakeCurrentInput();
    in().dwVersion = 1;
    out().Grayscale = 9;
    out().Copies = 9;
    param.pPublicDMIn = nullptr;
    param.pPublicDMOut = nullptr;
    ASSERT_TRUE(ConvertPrivateDevmode(param));
    EXPECT_EQ(out().Grayscale, 9u);
    EXPECT_EQ(out().Copies, 9);
    EXPECT_EQ(out().NupOption, 1u);
    EXPECT_EQ(out().Duplex, DMDUP_SIMPLEX);
    ASSERT_TRUE(SetPrivateDevmodeDefaults(param));
    // The resolution override after the convert has no public devmode to change.
    out().ResolutionOverride = 1;
    const char16_t keyword[] = u"600dpi";
    std::memcpy(out().ResolutionKeyword, keyword, sizeof keyword);
    in().dwVersion = kPrivateDevmodeVersion;
    in().ResolutionOverride = 1;
    std::memcpy(in().ResolutionKeyword, keyword, sizeof keyword);
    EXPECT_EQ(DispatchPrivateDevmode(OEMDM_CONVERT, &param), S_OK);
}

TEST_F(DevmodeCall, MergeCopiesEveryGroupAndKeepsTheOwnDuplicateJobFieldsUnlessAsked) {
    MakeCurrentInput();
    OEMDMPARAM outDefaults = param;
    ASSERT_TRUE(SetPrivateDevmodeDefaults(outDefaults));
    out().dwSize = 7777;  // merge leaves the header alone
    out().DuplicateJobCommand = 8;
    out().DuplicateJobAppend = 9;
    in().DuplicateJobCheck = 0;
    in().DuplicateJobCommand = 2;
    in().DuplicateJobAppend = 0;
    in().JobStorageMode = 3;
    in().StorePin = 4321;
    in().ManualDuplexGeometry[2][7] = 11;
    in().Carried1164 = 55;
    in().RenderFlags = kRenderGraySurface;
    ASSERT_EQ(DispatchPrivateDevmode(OEMDM_MERGE, &param), S_OK);
    EXPECT_EQ(out().dwSize, 7777u);
    EXPECT_EQ(out().DuplicateJobCheck, 0u);
    EXPECT_EQ(out().DuplicateJobCommand, 8u);
    EXPECT_EQ(out().DuplicateJobAppend, 9u);
    EXPECT_EQ(out().JobStorageMode, 3u);
    EXPECT_EQ(out().StorePin, 4321u);
    EXPECT_EQ(out().ManualDuplexGeometry[2][7], 11u);
    EXPECT_EQ(out().Carried1164, 55u);
    EXPECT_EQ(out().RenderFlags, kRenderGraySurface);

    in().DuplicateJobCheck = 1;
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(out().DuplicateJobCheck, 1u);
    EXPECT_EQ(out().DuplicateJobCommand, 2u);
    EXPECT_EQ(out().DuplicateJobAppend, 0u);
}

TEST_F(DevmodeCall, TextsAreCutToTheirGroupBounds) {
    MakeCurrentInput();
    const std::u16string forty(40, u'J');
    std::memcpy(in().JobNameOverride, forty.c_str(), (forty.size() + 1) * sizeof(char16_t));
    // An unterminated keyword fills its whole field.
    for (WCHAR& unit : in().ResolutionKeyword) {
        unit = u'R';
    }
    for (char& byte : in().Carried1478) {
        byte = 'u';
    }
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(OutText(0x95A), std::u16string(15, u'J'));
    EXPECT_EQ(OutText(0xBFC), std::u16string(255, u'R'));
    EXPECT_EQ(std::string(out().Carried1478, 14), std::string(14, 'u'));
    EXPECT_EQ(out().Carried1478[14], 0);
}

TEST_F(DevmodeCall, TrueTypeBitmapsBecomeDownloadsForPclPrinters) {
    MakeCurrentInput();
    in().PdlType = kPdlPcl6;
    out().TrueTypeMode = kTrueTypeOther;
    publicOut.dmTTOption = DMTT_BITMAP;
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(publicOut.dmTTOption, DMTT_DOWNLOAD);

    in().PdlType = kPdlPostScript;
    publicOut.dmTTOption = DMTT_BITMAP;
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(publicOut.dmTTOption, DMTT_BITMAP);
}

TEST_F(DevmodeCall, TrueTypeFixUpJudgesAnInputOfAnyVersionByItsPdl) {
    // An upgraded devmode, and a current one too short to be read as current: the fix-up still
    // looks at their PDL type, while their groups are replaced by defaults.
    MakeCurrentInput();
    in().PdlType = kPdlPcl5;
    in().NupOption = 5;
    for (const auto& [version, size] :
         {std::pair{0x00110008u, kPrivateDevmodeSize}, std::pair{kPrivateDevmodeVersion, 1024u}}) {
        in().dwVersion = version;
        in().dwSize = size;
        out().TrueTypeMode = kTrueTypeOther;
        publicOut.dmTTOption = DMTT_BITMAP;
        ASSERT_TRUE(ConvertPrivateDevmode(param));
        EXPECT_EQ(publicOut.dmTTOption, DMTT_DOWNLOAD) << version;
        EXPECT_EQ(out().NupOption, 1u) << version;
    }
    // A block too short to hold its PDL type has none.
    in().dwSize = offsetof(PrivateDevmode, PdlType);
    publicOut.dmTTOption = DMTT_BITMAP;
    ASSERT_TRUE(MergePrivateDevmode(param));
    EXPECT_EQ(publicOut.dmTTOption, DMTT_BITMAP);
}

TEST_F(DevmodeCall, ResolutionFollowsTheKeywordExceptUnderQuattroPro) {
    MakeCurrentInput();
    in().ResolutionOverride = 1;
    const char16_t keyword[] = u"600DPI";
    std::memcpy(in().ResolutionKeyword, keyword, sizeof keyword);
    publicIn.dmPrintQuality = 300;
    ASSERT_EQ(DispatchPrivateDevmode(OEMDM_MERGE, &param), S_OK);
    EXPECT_EQ(publicIn.dmPrintQuality, 600);
    EXPECT_EQ(publicIn.dmYResolution, 600);
    EXPECT_EQ(publicOut.dmPrintQuality, 600);
    EXPECT_EQ(publicOut.dmYResolution, 600);

    sim::TheWorld().moduleFiles[nullptr] = u"C:\\Corel\\Programs,qpw.exe";
    publicIn.dmPrintQuality = 300;
    publicOut.dmPrintQuality = 300;
    ASSERT_EQ(DispatchPrivateDevmode(OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(publicIn.dmPrintQuality, 300);
    EXPECT_EQ(publicOut.dmPrintQuality, 300);
}

TEST(MergeGroups, EveryFieldByteBelongsToOneGroupAndReservedBytesToNone) {
    for (std::size_t offset = 0; offset < kPrivateDevmodeSize; ++offset) {
        const bool reserved = (offset >= 0x116C && offset < 0x136C) || offset == 0x1487 ||
                              (offset >= 0x1518 && offset < 0x1520) ||
                              (offset >= 0x03E && offset < 0x040) ||
                              (offset >= 0x6EC && offset < 0x6F0);
        int owners = 0;
        for (const MergeGroup& group : MergeGroups()) {
            for (const ByteRange& range : group.ranges) {
                owners += offset >= range.begin && offset < range.end;
            }
            for (const TextField& text : group.texts) {
                owners += offset >= text.offset && offset < text.end();
            }
        }
        // Duplex belongs to groups 1 and 6.
        const int expected = reserved ? 0 : (offset == 0x032 || offset == 0x033) ? 2 : 1;
        EXPECT_EQ(owners, expected) << std::hex << offset;
    }
}

}  // namespace
}  // namespace xlrender
