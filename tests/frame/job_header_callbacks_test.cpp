// The PJL lines of the job identity callbacks (ids 1, 3, 5, 8) and the dispatch around them,
// as the spool receives them from the plug-in object.
#include <gtest/gtest.h>

#include <string>

#include "frame/command_callback_fixture.h"

namespace xlrender {
namespace {

using testing::CommandCallbackTest;
using testing::ExpectedComment;
using testing::kJobId;

TEST_F(CommandCallbackTest, MissingStateSetsInvalidDataAndWritesNothing) {
    Ready();
    DEVOBJ* device = device_.devobj();
    const auto runWithout = [&](auto clear) {
        DEVOBJ saved = *device;
        clear(*device);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(Run(1), "");
        EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
        *device = saved;
    };
    runWithout([](DEVOBJ& d) { d.pdevOEM = nullptr; });
    runWithout([](DEVOBJ& d) { d.pOEMDM = nullptr; });
    runWithout([](DEVOBJ& d) { d.pPublicDM = nullptr; });
    INT result = kUntouched;
    EXPECT_EQ(plugin->CommandCallback(nullptr, 1, 0, nullptr, &result), S_OK);
}

TEST_F(CommandCallbackTest, IdsWithoutOutputWriteNothing) {
    device_.SelectOption("KZJobAccounting", "KZJOBACCT_JOBACNT");
    Ready();
    for (DWORD id : {0u, 6u, 7u, 9u, 14u, 0xFFFFFFFFu}) {
        EXPECT_EQ(Run(id), "") << id;
    }
}

TEST_F(CommandCallbackTest, JobStartWithoutAccountingWritesOnlyTheComment) {
    device_.SelectOption("KZPJLEncoding", "UTF8");
    Ready();
    EXPECT_EQ(Run(1), ExpectedComment());
    // The comment goes straight to the spool in one write.
    ASSERT_EQ(device_.spool().Chunks().size(), 1u);
    EXPECT_EQ(device_.spool().Chunks()[0].route, sim::unidrv::SpoolRoute::kDrvProcs);
}

struct EncodingCase {
    const char* encoding;
    bool announcesUtf8;
};

class JobStartEncodingTest : public CommandCallbackTest,
                             public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(JobStartEncodingTest, AccountingOnWritesJobNameCommentAndFiveAttributes) {
    device_.SelectOption("KZJobAccounting", "KZJOBACCT_JOBACNT");
    device_.SelectOption("KZPJLEncoding", GetParam().encoding);
    Ready();
    const std::string identifier = FirstJobIdentifier();
    const std::string expected =
        std::string(GetParam().announcesUtf8 ? "@PJL SET STRINGCODESET=UTF8\n" : "") +
        "@PJL JOB NAME=\"report.txt\"\n" + ExpectedComment() +
        "@PJL SET JOBATTR=\"JobAcct1=jdoe\"\n"
        "@PJL SET JOBATTR=\"JobAcct2=WS01\"\n"
        "@PJL SET JOBATTR=\"JobAcct3=CORP\"\n"
        "@PJL SET JOBATTR=\"JobAcct4=20261207100000\"\n"
        "@PJL SET JOBATTR=\"JobAcct5=" +
        identifier + "\"\n";
    EXPECT_EQ(Run(1), expected);
}

INSTANTIATE_TEST_SUITE_P(Encodings, JobStartEncodingTest,
                         ::testing::Values(EncodingCase{"UTF8", true},
                                           EncodingCase{"UTF8Subset", true},
                                           EncodingCase{"7bitEncoding", false},
                                           EncodingCase{"8bitEncoding", false},
                                           EncodingCase{"INVALID_KZENCODING", false}),
                         [](const auto& info) { return std::string(info.param.encoding); });

TEST_F(CommandCallbackTest, AccountingModeThreeWritesSevenLinesWithOneIdentifier) {
    device_.SelectOption("KZJobAccounting", "KZJOBACCT_JOBACNT_TIMESTAMP");
    device_.SelectOption("KZPJLEncoding", "8bitEncoding");
    sim::TheWorld().clock.timeZone.Bias = -60;  // UTC+1: the accounting time is local
    Ready();
    const std::string identifier = FirstJobIdentifier();
    const std::string written = Run(1);
    const std::string accounting = written.substr(written.find(ExpectedComment("report.txt")) +
                                                  ExpectedComment().size());
    EXPECT_EQ(accounting,
              "@PJL SET JOBATTR=\"JobAcct1=jdoe\"\n"
              "@PJL SET JOBATTR=\"JobAcct2=WS01\"\n"
              "@PJL SET JOBATTR=\"JobAcct3=CORP\"\n"
              "@PJL SET JOBATTR=\"JobAcct4=20261207110000\"\n"
              "@PJL SET JOBATTR=\"JobAcct5=" +
                  identifier +
                  "\"\n"
                  "@PJL SET TIMESTAMP=\"20261207110000\"\n"
                  "@PJL SET JOBATTR=\"JobAcct5=" +
                  identifier + "\"\n");
}

TEST_F(CommandCallbackTest, AccountingTakesTheCachedDomainAndDropsTheWholeBlockWithoutOne) {
    device_.SelectOption("KZJobAccounting", "KZJOBACCT_TIMESTAMP");
    sim::RegistryState& registry = sim::TheWorld().registry;
    registry.keys.clear();
    registry.SetString(HKEY_LOCAL_MACHINE, testing::kCurrentVersionKey, u"ProductName",
                       u"Windows XP");
    Ready();
    // Without any domain value neither accounting line goes out; the rest of job start does.
    EXPECT_EQ(Run(1), "@PJL JOB NAME=\"report.txt\"\n" + ExpectedComment());
    registry.SetString(HKEY_LOCAL_MACHINE, testing::kWinlogonKey, u"CachePrimaryDomain",
                       u"CACHED");
    sim::TheWorld().uuids.Seed(kUuidSeed);
    EXPECT_EQ(Run(1), "@PJL JOB NAME=\"report.txt\"\n" + ExpectedComment() +
                          "@PJL SET TIMESTAMP=\"20261207100000\"\n@PJL SET JOBATTR=\"JobAcct5=" +
                          FirstJobIdentifier() + "\"\n");
}

TEST_F(CommandCallbackTest, JobNameIsFilteredForTheEncodingBeforeItIsSent) {
    device_.SelectOption("KZJobAccounting", "KZJOBACCT_JOBACNT");
    device_.SelectOption("KZPJLEncoding", "7bitEncoding");
    sim::TheWorld().spooler.jobs.clear();  // no job information: no comment, no accounting
    Ready();
    SetDocName(u"caf\u00E9/menu");
    EXPECT_EQ(Run(1), "@PJL JOB NAME=\"caf~/menu\"\n");
    SetDocName(u"");
    EXPECT_EQ(Run(1), "@PJL JOB NAME=\"\"\n");
}

TEST_F(CommandCallbackTest, CommentCarriesTheFirst75BytesOfTheDocumentAndTheLocalDate) {
    sim::TheWorld().spooler.jobs[0].document = std::u16string(100, u'd');
    sim::TheWorld().clock.timeZone.Bias = 660;  // UTC-11: 10:00 UTC is 23:00 the day before
    Ready();
    EXPECT_EQ(Run(1), ExpectedComment(std::string(75, 'd'), "12-6-2026"));
}

TEST_F(CommandCallbackTest, CommentIsAllOrNothing) {
    sim::World& world = sim::TheWorld();
    Ready();
    ASSERT_EQ(Run(1), ExpectedComment());

    // The plug-in's module among the dependent files is matched by file name, ignoring case.
    world.spooler.printers[0].dependentFiles = {u"c:\\other\\zqxrd041.dll"};
    world.versions.Declare(u"c:\\other\\zqxrd041.dll", {1, 2, 3, 4});
    EXPECT_EQ(Run(1), "@PJL COMMENT \"Office (1.2.3.4); Windows XP 5.1.2600.1; Unidrv "
                      "0.3.7600.16385\"\n@PJL COMMENT \"Username: jstore; App Filename: "
                      "report.txt; 12-7-2026\"\n");

    world.spooler.printers[0].dependentFiles = {u"ZQXUI041.DLL"};
    EXPECT_EQ(Run(1), "") << "the plug-in is not among the dependent files";
    world.spooler.printers[0].dependentFiles = {testing::kPluginPath};

    world.spooler.printers[0].driverPath = u"C:\\drivers\\PSCRIPT5.DLL";
    world.versions.Declare(u"C:\\drivers\\PSCRIPT5.DLL", {0, 3, 1, 1});
    EXPECT_EQ(Run(1), "") << "the driver is not Unidrv";
    world.spooler.printers[0].driverPath = u"C:\\drivers\\UNIDRV.DLL";
    EXPECT_EQ(Run(1), "") << "Unidrv without a version resource";
    world.spooler.printers[0].driverPath = testing::kUnidrvPath;

    world.moduleFiles.erase(testing::kPluginModule);
    EXPECT_EQ(Run(1), "") << "the plug-in's own module unknown";
    world.moduleFiles[testing::kPluginModule] = testing::kPluginPath;

    world.registry.keys.clear();
    EXPECT_EQ(Run(1), "") << "no product name";
    world.registry.SetString(HKEY_LOCAL_MACHINE, testing::kCurrentVersionKey, u"ProductName",
                             u"Windows XP");

    Pdev().JobId = kJobId + 1;
    EXPECT_EQ(Run(1), "") << "no job information";
    Pdev().JobId = kJobId;

    device_.devobj()->hPrinter = nullptr;
    EXPECT_EQ(Run(1), "") << "no printer handle";
    device_.devobj()->hPrinter = printer_;

    for (std::size_t failing = 1; failing <= 12; ++failing) {
        world.heap.failAfter = failing;
        const std::string written = Run(1);
        EXPECT_TRUE(written.empty() || written == ExpectedComment()) << failing;
    }
    world.heap.failAfter = 0;
    EXPECT_EQ(Run(1), ExpectedComment());
}

TEST_F(CommandCallbackTest, DeviceManagementDateNeedsTheBornOnDateOption) {
    sim::TheWorld().spooler.jobs[0].submitted = SYSTEMTIME{2004, 3, 0, 7, 14, 5, 9, 0};
    sim::TheWorld().clock.timeZone.Bias = 300;  // the stored time is sent, not the local one
    device_.SelectOption("KZBornOnDate", "NOBOD");
    Ready();
    EXPECT_EQ(Run(3), "");
    device_.SelectOption("KZBornOnDate", "kzbod");
    EXPECT_EQ(Run(3),
              "@PJL DMINFO ASCIIHEX=\"0400040101020D10100115"
              "3230303430333037313430353039\"\n");
    Pdev().JobId = kJobId + 1;
    EXPECT_EQ(Run(3), "");
}

TEST_F(CommandCallbackTest, UserNameFollowsItsModeAndFallsBackToTheJobStorageName) {
    Ready();
    EXPECT_EQ(Run(5), "") << "without the job-by-job option";
    device_.SelectOption("KZJobByJobOverride", "JBJO");
    EXPECT_EQ(Run(5), "@PJL SET USERNAME=\"jdoe\"\n");
    // The helper interface carries the line.
    EXPECT_EQ(device_.spool().Chunks()[0].route, sim::unidrv::SpoolRoute::kHelperInterface);

    Devmode().UserNameMode = 1;
    EXPECT_EQ(Run(5), "@PJL SET USERNAME=\"jdoe\"\n");
    Devmode().JobStorageMode = 1;
    EXPECT_EQ(Run(5), "");
    Devmode().UserNameMode = 2;
    Devmode().JobStorageMode = 0;
    EXPECT_EQ(Run(5), "");

    Devmode().UserNameMode = 0;
    Pdev().JobId = kJobId + 1;
    EXPECT_EQ(Run(5), "@PJL SET USERNAME=\"jstore\"\n");
    // A job-storage name that fills all its units is read within them.
    for (WCHAR& unit : Pdev().JobStorageUserName) {
        unit = W('n');
    }
    EXPECT_EQ(Run(5), "@PJL SET USERNAME=\"nnnnnnnnnnnnnnnn\"\n");
}

TEST_F(CommandCallbackTest, ManualDuplexLineWhileManualDuplexIsInForce) {
    Ready();
    EXPECT_EQ(Run(8), "");
    Devmode().ManualDuplexSelected = 1;
    EXPECT_EQ(Run(8), "@PJL SET MANUALDUPLEX=ON\n");
    Devmode().ManualDuplexSelected = 0;
    Pdev().JobSettings.ManualDuplexActive = 1;
    EXPECT_EQ(Run(8), "@PJL SET MANUALDUPLEX=ON\n");
}

}  // namespace
}  // namespace xlrender

namespace xlrender::testing {
namespace {

TEST_F(CommandCallbackTest, JobStorageCallbackWritesTheHoldBlockOncePerDeviceContext) {
    Ready();
    Devmode().JobStorageMode = 2;  // private job
    Devmode().StorePin = 7;
    EXPECT_EQ(Run(4), "") << "nothing without job retention installed";
    Devmode().JobRetentionInstalled = 1;
    const std::string block = Run(4);
    EXPECT_EQ(block.rfind("@PJL SET HOLD=ON\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET HOLDKEY=\"0007\"\n",
                          0),
              0u)
        << block;
    EXPECT_NE(block.find("jstore"), std::string::npos) << "the stored job's user name";
    EXPECT_EQ(Run(4), "") << "the block goes out once per device context";
}

}  // namespace
}  // namespace xlrender::testing
