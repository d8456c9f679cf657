#include "pjl/job_name.h"

#include <gtest/gtest.h>

#include <string>

#include "job_storage_fixture.h"
#include "pjl/job_storage_names.h"
#include "pjl/pjl_encoding.h"

namespace xlrender {
namespace {

class JobNameTest : public JobStorageTest {
protected:
    std::u16string NameFor(const WCHAR* title, DWORD encoding = kPjlEncodingUtf8) {
        WCHAR name[kStoredJobNameUnits] = u"stale";
        JobNameFromDocument(printerHandle, kStorageTestJobId, title, name, encoding);
        return Str(name);
    }
};

TEST_F(JobNameTest, TitlesLoseApplicationPrefixesAndFoldersAndKeepFifteenCharacters) {
    const struct {
        std::u16string title;
        std::u16string name;
    } cases[] = {
        {u"Microsoft Word - Quarterly report.doc", u"Quarterly repor"},
        {u"iGrafx Image Flowchart of sales", u"Flowchart of sa"},
        // Short titles keep a prefix; only their first 15 characters count.
        {u"1-2-3 - Budget", u"1-2-3 - Budget"},
        {u"Word Pro - A.lwp", u"Word Pro - A.lw"},
        // Prefixes are compared with case.
        {u"microsoft word - quarterly report", u"microsoft word "},
        // Only one prefix goes, and the remainder of 16 keeps its folders.
        {u"Microsoft Word - C:\\docs\\plan.doc", u"C:\\docs\\plan.do"},
        {u"C:\\Documents\\Reports/2004\\annual summary.txt", u"annual summary."},
        {u"http://intranet/reports/q3.html", u"q3.html"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(NameFor(test.title.c_str()), test.name);
    }
}

TEST_F(JobNameTest, WithoutAUsableTitleTheSubmissionTimeNamesTheJob) {
    // Submitted 13:05 UTC in a zone one hour ahead: 14:05 local. Ten characters of date, a
    // blank and "14:05" make 16; the cut to 15 loses the last minute digit.
    sim::TheWorld().clock.timeZone.Bias = -60;
    sim::TheWorld().locale.shortDatePattern = u"d.M.yyyy";
    EXPECT_EQ(NameFor(u"", kPjlEncoding7Bit), u"07/03/2004 14:0");
    EXPECT_EQ(NameFor(nullptr, kPjlEncoding7Bit), u"07/03/2004 14:0");
    // The UTF-8 printers take the slash for a folder separator: the filter replaces it.
    EXPECT_EQ(NameFor(nullptr, kPjlEncodingUtf8), u"07~03~2004 14:0");
    // A title the 7-bit code set cannot carry filters to nothing.
    EXPECT_EQ(NameFor(u"\u65E5\u672C\u8A9E", kPjlEncoding7Bit), u"07/03/2004 14:0");
    // A path that ends in a separator leaves nothing of the title either.
    EXPECT_EQ(NameFor(u"C:\\a very long folder name\\", kPjlEncoding7Bit), u"07/03/2004 14:0");

    // The local date, not the spooler's: 23:30 UTC is the next day one hour east.
    sim::TheWorld().spooler.jobs.front().submitted = SYSTEMTIME{2004, 3, 0, 7, 23, 30, 0, 0};
    EXPECT_EQ(NameFor(u"", kPjlEncoding7Bit), u"08/03/2004 00:3");
}

TEST_F(JobNameTest, UnknownJobIsUntitled) {
    sim::TheWorld().spooler.jobs.clear();
    EXPECT_EQ(NameFor(u""), u"UNTITLED");
    sim::TheWorld().locale.shortDatePattern = u"MM/yyyy";  // a pattern the date cannot use
    EXPECT_EQ(NameFor(nullptr), u"UNTITLED");
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

class JobStorageNamesTest : public JobStorageTest {
protected:
    BOOL Set(const WCHAR* title, DWORD jobId = kStorageTestJobId,
             DWORD encoding = kPjlEncoding7Bit) {
        return SetJobStorageNames(device.devobj(), jobId, encoding, title, userName, jobName);
    }

    WCHAR userName[kStoredJobNameUnits] = u"old user";
    WCHAR jobName[kStoredJobNameUnits] = u"old job";
};

TEST_F(JobStorageNamesTest, UserNameIsFilteredAndNeverEmpty) {
    devmode().JobStorageMode = 1;
    SetText(devmode().Carried758, u"J\u00F6rg Sch\u00E4fer-Lindqvist");
    ASSERT_TRUE(Set(W("Microsoft Word - Quarterly report.doc")));
    EXPECT_EQ(Str(userName), u"J~rg Sch~fer-Li");
    EXPECT_EQ(Str(jobName), u"Quarterly repor");

    SetText(devmode().Carried758, u"\u00F6\u00E4");
    ASSERT_TRUE(Set(W("x")));
    EXPECT_EQ(Str(userName), u"UNTITLED");
    SetText(devmode().Carried758, u"");
    ASSERT_TRUE(Set(W("x")));
    EXPECT_EQ(Str(userName), u"UNTITLED");
}

TEST_F(JobStorageNamesTest, TypedJobNameOrStorageOffLeavesTheJobNameAlone) {
    SetText(devmode().Carried758, u"J\u00F6rg");
    devmode().JobStorageMode = 0;
    ASSERT_TRUE(Set(W("Budget")));
    EXPECT_EQ(Str(jobName), u"old job");

    devmode().JobStorageMode = 2;
    devmode().UseJobNameOverride = 1;
    ASSERT_TRUE(Set(W("Budget")));
    EXPECT_EQ(Str(jobName), u"old job");
    // With a typed job name the user name goes unfiltered; the quoting keeps it safe.
    EXPECT_EQ(Str(userName), u"J\u00F6rg");
}

TEST_F(JobStorageNamesTest, WithoutJobOrPrinterNothingChangesAndWithoutDevmodeItFails) {
    devmode().JobStorageMode = 1;
    EXPECT_TRUE(Set(W("Budget"), 0));
    device.devobj()->hPrinter = nullptr;
    EXPECT_TRUE(Set(W("Budget")));
    EXPECT_EQ(Str(userName), u"old user");
    EXPECT_EQ(Str(jobName), u"old job");

    sim::unidrv::Device bare(0);
    SetLastError(0);
    EXPECT_FALSE(SetJobStorageNames(bare.devobj(), 1, 1, W("x"), userName, jobName));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

}  // namespace
}  // namespace xlrender
