// Software configuration: configured names with their defaults over the real registry.
#include <gtest/gtest.h>

#include <string>

#include "support/ini_store.h"
#include "support/soft_configure.h"
#include "tests/support/support_test_util.h"

namespace {

class SoftConfigureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(supporttest::EnsureDesktopShell()); }

    void SetUp() override { Cleanup(); }
    void TearDown() override
    {
        Cleanup();
        CIniStore::GetInstance()->Parse("");
    }
    static void Cleanup()
    {
        supporttest::DeleteTree(HKEY_USERS, supporttest::DesktopSoftwareKey() + L"\\softapp");
        supporttest::DeleteTree(HKEY_USERS, supporttest::DesktopSoftwareKey() + L"\\QvxConfTest");
    }
};

TEST_F(SoftConfigureTest, EmptyStoreUsesDefaultNamesAndTheUnnamedValue)
{
    CIniStore::GetInstance()->Parse("");
    CSoftConfigure configure;
    EXPECT_EQ(configure.GetSoftNameEn(), L"softapp");
    EXPECT_EQ(configure.GetKeyMainName(), L"MainSoft");
    EXPECT_EQ(GetSoftParamValue(L"SAVE_KEY_MAIN_FIX_TIME"), L"");

    // Marker before any write.
    EXPECT_EQ(configure.ReadValue(L"softapp", L"MainSoft", L"", L"0"), L"0");
    configure.WriteValue(L"softapp", L"MainSoft", L"", L"1");
    std::wstring stored;
    ASSERT_TRUE(supporttest::GetString(HKEY_USERS, supporttest::DesktopSoftwareKey() + L"\\softapp\\MainSoft", L"",
                                       stored));
    EXPECT_EQ(stored, L"1");
    // Marker and install directory share the unnamed value.
    EXPECT_EQ(configure.GetInstallPath(), L"1\\");
}

TEST_F(SoftConfigureTest, ConfiguredNamesAreFixedOnFirstUse)
{
    CIniStore::GetInstance()->Parse(
        "[Soft]\nSOFT_NAME_EN=QvxConfTest\n[SoftParam]\nKEY_MAIN_NAME=Main\nSAVE_KEY_Install_Path=Dir\n");
    CSoftConfigure configure;
    EXPECT_EQ(configure.GetSoftNameEn(), L"QvxConfTest");
    CIniStore::GetInstance()->Parse("[Soft]\nSOFT_NAME_EN=Changed\n");
    EXPECT_EQ(configure.GetSoftNameEn(), L"QvxConfTest");
    EXPECT_EQ(configure.GetKeyMainName(), L"Main");
}

TEST_F(SoftConfigureTest, InstallPathGetsATrailingSeparator)
{
    CIniStore::GetInstance()->Parse(
        "[Soft]\nSOFT_NAME_EN=QvxConfTest\n[SoftParam]\nKEY_MAIN_NAME=Main\nSAVE_KEY_Install_Path=Dir\n");
    CSoftConfigure configure;
    EXPECT_EQ(configure.GetInstallPath(), L""); // missing

    configure.WriteValue(L"QvxConfTest", L"Main", L"Dir", L"");
    EXPECT_EQ(configure.GetInstallPath(), L""); // empty

    configure.WriteValue(L"QvxConfTest", L"Main", L"Dir", L"D:\\Games\\X");
    EXPECT_EQ(configure.GetInstallPath(), L"D:\\Games\\X\\");
    configure.WriteValue(L"QvxConfTest", L"Main", L"Dir", L"D:\\Games\\X/");
    EXPECT_EQ(configure.GetInstallPath(), L"D:\\Games\\X/");
    configure.WriteValue(L"QvxConfTest", L"Main", L"Dir", L"D:\\Games\\X\\");
    EXPECT_EQ(configure.GetInstallPath(), L"D:\\Games\\X\\");
}

TEST_F(SoftConfigureTest, SeparateObjectsShareTheStoredValues)
{
    CIniStore::GetInstance()->Parse("[Soft]\nSOFT_NAME_EN=QvxConfTest\n[SoftParam]\nKEY_MAIN_NAME=Main\n");
    CSoftConfigure* shared = CSoftConfigure::GetInstance();
    EXPECT_EQ(shared, CSoftConfigure::GetInstance());
    {
        // The repair thread's pattern: its own object, names from the shared one.
        CSoftConfigure writer;
        writer.WriteValue(L"QvxConfTest", L"Main", L"Fix", L"1");
    }
    EXPECT_EQ(shared->ReadValue(L"QvxConfTest", L"Main", L"Fix", L"0"), L"1");
}

} // namespace
