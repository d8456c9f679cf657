#include "pjl/job_storage_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "job_storage_fixture.h"
#include "pjl/job_storage_flag.h"
#include "pjl/pjl_encoding.h"

namespace xlrender {
namespace {

constexpr char16_t kGuid[] = u"{0F8E3C2A-51B7-4D0E-9A3C-7E21B5D4C6F9}";
constexpr char16_t kUserKey[] = u"Software\\Korvander\\{0F8E3C2A-51B7-4D0E-9A3C-7E21B5D4C6F9}";
constexpr BYTE kUntouched = 0xCD;

class JobStorageDialogTest : public JobStorageTest {
protected:
    void SetUp() override {
        JobStorageTest::SetUp();
        printer().printerData[u"KZPresetRoot"][u"KZRestrictedUserGuid"] = sim::TextValue(kGuid);
        devmode().JobRetentionInstalled = 1;
        devmode().JobStorageMode = 2;
        SetText(devmode().Carried758, u"ada lovelace of the analytical engine");
        SetText(devmode().JobNameOverride, u"quarterly figures 2004");
        devmode().UseJobNameOverride = 1;
        settings.PjlEncodingKind = kPjlEncodingUtf8;
        settings.ManualDuplexModal = 1;
        output.assign(sizeof(JobStorageDialogData) + 1, kUntouched);
    }

    // The record at `offset` into the output, which need not be aligned.
    ULONG Get(std::size_t offset = 0) {
        return GetJobStorageDialogData(device.devobj(), settings, shown, output.data() + offset,
                                       static_cast<ULONG>(output.size() - offset));
    }
    JobStorageDialogData Record(std::size_t offset = 0) {
        JobStorageDialogData record;
        std::memcpy(&record, output.data() + offset, sizeof record);
        return record;
    }
    static sim::RegistryState& registry() { return sim::TheWorld().registry; }
    static sim::RegistryValue* UserValue() {
        auto key = registry().keys.find({HKEY_CURRENT_USER, sim::RegistryName(kUserKey)});
        if (key == registry().keys.end()) {
            return nullptr;
        }
        auto value = key->second.values.find(u"SHOWJOBSTORAGEDLG");
        return value == key->second.values.end() ? nullptr : &value->second;
    }

    JobSettings settings{};
    DWORD shown = 0;
    std::vector<BYTE> output;
};

TEST_F(JobStorageDialogTest, FirstCallFillsTheRecordAndCreatesTheUserFlag) {
    devmode().DuplicateJobCheck = 1;
    devmode().DuplicateJobAppend = 1;
    ASSERT_EQ(Get(1), 1u);
    const JobStorageDialogData record = Record(1);
    EXPECT_EQ(record.ShowDialog, 1u);
    EXPECT_EQ(shown, 1u);
    EXPECT_EQ(Str(record.UserName), u"ada lovelace of");
    EXPECT_EQ(Str(record.JobName), u"quarterly figur");
    EXPECT_EQ(record.PjlEncodingKind, kPjlEncodingUtf8);
    EXPECT_EQ(record.UseJobNameOverride, 1u);
    EXPECT_EQ(record.DuplicateJobCheck, 1u);
    EXPECT_EQ(record.DuplicateJobAppend, 1u);
    // The modal manual-duplex dialog is shown through its own escape: its block stays.
    EXPECT_EQ(output[1 + offsetof(JobStorageDialogData, Dialog)], kUntouched);
    EXPECT_EQ(output[0], kUntouched);

    const sim::RegistryValue* flag = UserValue();
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->type, REG_BINARY);
    EXPECT_EQ(flag->data, std::vector<BYTE>{1});

    // Once per device context.
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);
    EXPECT_EQ(output[0], kUntouched);  // nothing else written
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST_F(JobStorageDialogTest, ClearOrEmptyFlagShowsNoDialog) {
    registry().SetValue(HKEY_CURRENT_USER, kUserKey, u"ShowJobStorageDlg", REG_BINARY, {0});
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);
    // A value without data is not read past its end: it counts as clear.
    registry().SetValue(HKEY_CURRENT_USER, kUserKey, u"ShowJobStorageDlg", REG_BINARY, {});
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);
    EXPECT_TRUE(UserValue()->data.empty());  // an existing value is left as it is
    registry().SetValue(HKEY_CURRENT_USER, kUserKey, u"ShowJobStorageDlg", REG_BINARY, {2, 0});
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 1u);
    EXPECT_EQ(shown, 1u);
}

TEST_F(JobStorageDialogTest, TheUserKeyIsOneKeyBelowTheRoot) {
    for (const std::u16string& name : std::vector<std::u16string>{
             u"..\\..\\Microsoft\\Windows", u"{0F8E3C2A-51B7-4D0E-9A3C-7E21B5D4C6F9}\\x", u"..",
             u"a/b", u"", std::u16string(256, u'k')}) {
        printer().printerData[u"KZPresetRoot"][u"KZRestrictedUserGuid"] = sim::TextValue(name);
        EXPECT_FALSE(ReadShowJobStorageFlag(printerHandle));
    }
    EXPECT_TRUE(registry().keys.empty());  // nothing created anywhere
    printer().printerData.clear();
    EXPECT_FALSE(ReadShowJobStorageFlag(printerHandle));
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);

    // A GUID stored without its braces, or any other single name, is used as it is.
    for (const std::u16string& name :
         std::vector<std::u16string>{std::u16string(kGuid + 1, 36), std::u16string(255, u'k')}) {
        printer().printerData[u"KZPresetRoot"][u"KZRestrictedUserGuid"] = sim::TextValue(name);
        EXPECT_TRUE(ReadShowJobStorageFlag(printerHandle));
        EXPECT_EQ(registry().keys.count(
                      {HKEY_CURRENT_USER, sim::RegistryName(u"Software\\Korvander\\" + name)}),
                  1u);
    }
    printer().printerData[u"KZPresetRoot"][u"KZRestrictedUserGuid"] = sim::TextValue(kGuid);
    EXPECT_TRUE(ReadShowJobStorageFlag(printerHandle));
}

TEST_F(JobStorageDialogTest, UserKeyIsOpenedForQueryAndSetOnly) {
    // A user whose key refuses rights to change its permissions can still use it.
    registry().SetValue(HKEY_CURRENT_USER, kUserKey, u"ShowJobStorageDlg", REG_BINARY, {1});
    registry().deniedRights[{HKEY_CURRENT_USER, sim::RegistryName(kUserKey)}] =
        WRITE_DAC | WRITE_OWNER | DELETE;
    EXPECT_TRUE(ReadShowJobStorageFlag(printerHandle));
    EXPECT_TRUE(registry().openHandles.empty());
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_FALSE(ReadShowJobStorageFlag(printerHandle));
}

TEST_F(JobStorageDialogTest, NoDialogWithoutRetentionOrStorageMode) {
    devmode().JobStorageMode = 0;
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);
    devmode().JobStorageMode = 1;
    devmode().JobRetentionInstalled = 0;
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Record().ShowDialog, 0u);
    EXPECT_EQ(shown, 0u);
}

TEST_F(JobStorageDialogTest, UserNameThePrinterCannotTakeBecomesUntitledInTheDevmode) {
    settings.PjlEncodingKind = kPjlEncoding7Bit;
    SetText(devmode().Carried758, u"\u00F6\u00E4\u00FC");
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Str(devmode().Carried758), u"UNTITLED");
    EXPECT_EQ(Str(Record().UserName), u"UNTITLED");
    // A name with something left keeps what the user typed.
    SetText(devmode().Carried758, u"J\u00F6rg");
    ASSERT_EQ(Get(), 1u);
    EXPECT_EQ(Str(devmode().Carried758), u"J\u00F6rg");
}

TEST_F(JobStorageDialogTest, NonModalManualDuplexFillsTheDialogBlock) {
    settings.ManualDuplexModal = 0;
    settings.ManualDuplexActive = 1;
    for (int group = 0; group < kManualDuplexRecordCount; ++group) {
        devmode().ManualDuplexGeometry[group][0] = 10 + group;
    }
    ASSERT_EQ(Get(), 1u);
    const VDisplayDialogRecord dialog = Record().Dialog;
    EXPECT_EQ(Str(dialog.JobStorageModulePath), u"C:\\Drivers\\x64\\3\\ZQXST041.DLL");
    EXPECT_EQ(dialog.LanguageFile[0], 0);  // the driver has no language file
    EXPECT_EQ(dialog.ManualDuplexValues[0], 10u);
    EXPECT_EQ(dialog.ManualDuplexValues[4], 12u);
    EXPECT_EQ(dialog.ManualDuplexEnabled, 1u);
    EXPECT_EQ(dialog.ManualDuplexModal, 0u);
}

TEST_F(JobStorageDialogTest, ShortOrMissingOutputIsNotWritten) {
    const std::vector<BYTE> before = output;
    EXPECT_EQ(GetJobStorageDialogData(device.devobj(), settings, shown, output.data(),
                                      sizeof(JobStorageDialogData) - 1),
              0u);
    EXPECT_EQ(GetJobStorageDialogData(device.devobj(), settings, shown, nullptr, 2000), 0u);
    EXPECT_EQ(output, before);
    EXPECT_EQ(shown, 0u);
    sim::unidrv::Device bare(0);
    EXPECT_EQ(GetJobStorageDialogData(bare.devobj(), settings, shown, output.data(), 2000), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

}  // namespace
}  // namespace xlrender
