// The callbacks that prepare the next page: the PCL XL orientation and media-type attributes
// (ids 2, 11, 12) and the content orientation line (id 13).
#include <gtest/gtest.h>

#include <string>

#include "frame/command_callback_fixture.h"

namespace xlrender {
namespace {

using testing::CommandCallbackTest;

// ubyte value, then the Orientation attribute id.
std::string OrientationAttribute(BYTE value) {
    return std::string{'\xC0', static_cast<char>(value), '\xF8', '\x28'};
}

// ubyte array with a 16-bit length, then the MediaType attribute id.
std::string MediaTypeAttribute(const std::string& name) {
    return std::string{'\xC8', '\xC1', static_cast<char>(name.size() & 0xFF),
                       static_cast<char>(name.size() >> 8)} +
           name + "\xF8\x27";
}

class OrientationCallbackTest : public CommandCallbackTest {
protected:
    void Orient(SHORT publicOrientation, SHORT privateOrientation, DWORD nupOption) {
        PublicDevmode().dmOrientation = publicOrientation;
        PublicDevmode().dmDuplex = DMDUP_VERTICAL;
        Devmode().Orientation = privateOrientation;
        Devmode().NupOption = nupOption;
    }
};

TEST_F(OrientationCallbackTest, PortraitOnePagePerSheet) {
    Ready();
    Orient(DMORIENT_PORTRAIT, DMORIENT_PORTRAIT, 1);
    EXPECT_EQ(Run(2), OrientationAttribute(0));
    EXPECT_EQ(Pdev().WatermarkOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(Run(13), "@PJL SET CONTENTORIENTATION=NOTSPECIFIED\n");
    Devmode().NupOption = 2;  // 2 pages per sheet turn the content
    EXPECT_EQ(Run(13), "@PJL SET CONTENTORIENTATION=LANDSCAPE\n");
    Devmode().RotatePages180 = 1;
    Devmode().NupOption = 1;
    EXPECT_EQ(Run(2), OrientationAttribute(2));
}

TEST_F(OrientationCallbackTest, StapledLandscapeTwoUpIsTurnedUnlessThePagesAreTurnedAlready) {
    device_.SelectOption("Stapling", "TopLeft");
    Ready();
    Orient(DMORIENT_LANDSCAPE, DMORIENT_LANDSCAPE, 2);
    EXPECT_EQ(Run(2), OrientationAttribute(3));
    Devmode().RotatePages180 = 1;
    EXPECT_EQ(Run(2), OrientationAttribute(1));
    EXPECT_EQ(Run(13), "@PJL SET CONTENTORIENTATION=PORTRAIT\n");
}

TEST_F(OrientationCallbackTest, StaplingIsIgnoredWhenItCannotMatter) {
    device_.SelectOption("Stapling", "none");
    Ready();
    Orient(DMORIENT_LANDSCAPE, DMORIENT_LANDSCAPE, 2);
    EXPECT_EQ(Run(2), OrientationAttribute(1)) << "\"none\" ignoring case";
    device_.SelectOption("Stapling", "TopLeft");
    Devmode().NupOption = 3;  // 4 pages per sheet
    EXPECT_EQ(Run(2), OrientationAttribute(1));
    Devmode().NupOption = 4;  // 6 pages per sheet
    EXPECT_EQ(Run(2), OrientationAttribute(3));
    // One page per simplex sheet: counted as 1 page per sheet.
    Devmode().SimplexSingleLayout = 1;
    PublicDevmode().dmDuplex = DMDUP_SIMPLEX;
    EXPECT_EQ(Run(2), OrientationAttribute(1));
    Devmode().Orientation = DMORIENT_PORTRAIT;
    Devmode().SimplexSingleLayout = 0;
    EXPECT_EQ(Run(2), OrientationAttribute(1)) << "the private orientation is portrait";
}

TEST_F(OrientationCallbackTest, ManualDuplexBackSidesFollowTheFlipTestWhileTheDialogIsPending) {
    device_.SelectOption("Stapling", "TopLeft");
    Ready();
    Orient(DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE, 1);
    Devmode().ManualDuplexSelected = 1;
    Pdev().JobSettings.Orientation = DMORIENT_PORTRAIT;
    Pdev().DuplexDialogPending = 1;
    EXPECT_EQ(Run(2), OrientationAttribute(2));
    Devmode().ManualDuplexFlipSetting = 1;
    EXPECT_EQ(Run(2), OrientationAttribute(0));
    Pdev().JobSettings.Orientation = DMORIENT_LANDSCAPE;  // as escape 3882 may set it
    EXPECT_EQ(Run(2), OrientationAttribute(2));
    Pdev().DuplexDialogPending = 0;
    EXPECT_EQ(Run(2), OrientationAttribute(0));
}

TEST_F(OrientationCallbackTest, OtherOrientationsWriteNothingButAreKept) {
    Ready();
    Orient(3, DMORIENT_PORTRAIT, 2);
    EXPECT_EQ(Run(2), "");
    EXPECT_EQ(Pdev().WatermarkOrientation, 3);
    EXPECT_EQ(Run(13), "");
    sim::TheWorld().heap.failAfter = 1;
    Orient(DMORIENT_LANDSCAPE, DMORIENT_PORTRAIT, 1);
    EXPECT_EQ(Run(2), "") << "no stream";
    EXPECT_EQ(Pdev().WatermarkOrientation, DMORIENT_LANDSCAPE);
}

class MediaTypeCallbackTest : public CommandCallbackTest {
protected:
    void SetUp() override {
        CommandCallbackTest::SetUp();
        sim::PrinterDescription& printer = sim::TheWorld().spooler.printers[0];
        printer.mediaTypes = {258, 259, 260, 258};
        printer.mediaTypeNames = {u"Plain", u" ", u"Gl\u00E4nzend", std::u16string(64, u'M')};
    }
};

TEST_F(MediaTypeCallbackTest, EveryListedNameOfTheDevmodesMediaType) {
    Ready();
    PublicDevmode().dmMediaType = 258;
    // The last name fills its 64-unit slot without a terminator.
    const std::string plainAndLong =
        MediaTypeAttribute("Plain") + MediaTypeAttribute(std::string(64, 'M'));
    EXPECT_EQ(Run(11), plainAndLong);
    EXPECT_EQ(Run(12), "@PJL SET PLANESINUSE=1\n" + plainAndLong);
    PublicDevmode().dmMediaType = 260;
    EXPECT_EQ(Run(11), MediaTypeAttribute("Gl\xC3\xA4nzend"));
}

TEST_F(MediaTypeCallbackTest, UnnamedUnknownOrUnreadableMediaTypesWriteNoAttribute) {
    Ready();
    PublicDevmode().dmMediaType = 259;
    EXPECT_EQ(Run(11), "") << "named \" \"";
    EXPECT_EQ(Run(12), "@PJL SET PLANESINUSE=1\n");
    PublicDevmode().dmMediaType = 1;
    EXPECT_EQ(Run(11), "") << "not listed";

    PublicDevmode().dmMediaType = 258;
    sim::PrinterDescription& printer = sim::TheWorld().spooler.printers[0];
    printer.capabilityGrowthOnFill = 1;
    EXPECT_EQ(Run(11), "") << "the list grew between size query and fill";
    printer.capabilityGrowthOnFill = 0;
    printer.mediaTypeNames.pop_back();
    EXPECT_EQ(Run(11), "") << "lists of different lengths";
    printer.mediaTypes.clear();
    printer.mediaTypeNames.clear();
    EXPECT_EQ(Run(11), "") << "no media types";
    device_.devobj()->hPrinter = nullptr;
    EXPECT_EQ(Run(12), "@PJL SET PLANESINUSE=1\n") << "no printer";
}

}  // namespace
}  // namespace xlrender
