// Compatibility checks: the decision table with fake answers, then the real questions under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/compat_check.h"
#include "launcher/process_utils.h"
#include "support/log_config.h"
#include "support/path_utils.h"
#include "support/win/scoped_handle.h"
#include "tests/common/test_env.h"

namespace {

const wchar_t kDiskEnumKey[] = L"SYSTEM\\ControlSet001\\Services\\Disk\\Enum";

// Fake answers that record which questions were asked, in order.
struct TFakeOs {
    bool marker = false;
    int osCode = 8;
    bool vmTools = false;
    std::wstring disk;
    std::vector<std::string> asked;

    TCompatQuestions Questions()
    {
        TCompatQuestions q;
        q.markerExists = [this] {
            asked.push_back("marker");
            return marker;
        };
        q.osVersionCode = [this] {
            asked.push_back("os");
            return osCode;
        };
        q.processRunning = [this](const std::wstring& image) {
            asked.push_back("process:" + std::string(image.begin(), image.end()));
            return vmTools;
        };
        q.regReadString = [this](HKEY root, const std::wstring& key, const std::wstring& value) {
            EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
            EXPECT_EQ(key, kDiskEnumKey);
            EXPECT_EQ(value, L"0");
            asked.push_back("disk");
            return disk;
        };
        return q;
    }
};

typedef std::vector<std::string> TAsked;

TEST(CompatDecision, MarkerOverridesEverything)
{
    TFakeOs os;
    os.marker = true;
    os.osCode = 1;
    os.vmTools = true;
    os.disk = L"SCSI\\Disk&Ven_VMware&Prod_VMware_Virtual_S";
    EXPECT_TRUE(IsSystemSupported(os.Questions()));
    EXPECT_EQ(os.asked, TAsked({"marker"}));
}

TEST(CompatDecision, OldWindowsIsRejectedBeforeAnyVmQuestion)
{
    for (int code : {0, 1}) {
        TFakeOs os;
        os.osCode = code;
        EXPECT_FALSE(IsSystemSupported(os.Questions())) << code;
        EXPECT_EQ(os.asked, TAsked({"marker", "os"}));
    }
}

TEST(CompatDecision, VmToolsProcessIsRejectedBeforeTheDiskQuestion)
{
    TFakeOs os;
    os.osCode = 2;
    os.vmTools = true;
    EXPECT_FALSE(IsSystemSupported(os.Questions()));
    EXPECT_EQ(os.asked, TAsked({"marker", "os", "process:vmtoolsd.exe"}));
}

TEST(CompatDecision, VirtualDiskIsRejected)
{
    TFakeOs os;
    os.osCode = 9;
    os.disk = L"SCSI\\Disk&Ven_Red_Hat&Prod_VirtIO\\00";
    EXPECT_FALSE(IsSystemSupported(os.Questions()));
    EXPECT_EQ(os.asked, TAsked({"marker", "os", "process:vmtoolsd.exe", "disk"}));
}

TEST(CompatDecision, EverythingClearIsSupported)
{
    for (int code : {2, 3, 4, 5, 7, 8, 9, 10}) {
        TFakeOs os;
        os.osCode = code;
        os.disk = L"IDE\\DiskST500DM002\\5&2b3a&0&0.0.0";
        EXPECT_TRUE(IsSystemSupported(os.Questions())) << code;
        EXPECT_EQ(os.asked.size(), 4u);
    }
}

TEST(CompatDecision, DiskMarkersAreCaseSensitiveSubstrings)
{
    struct TRow {
        const wchar_t* device;
        bool virtualDisk;
    } rows[] = {
        {L"SCSI\\Disk&Ven_VMware&Prod_X", true},
        {L"SCSI\\Disk&Ven_Red_Hat&Prod_VirtIO", true},
        {L"SCSI\\Disk&Ven_NECVMWar&Prod_VMware_Virtual_SATA", true},
        {L"scsi\\disk&ven_vmware&prod_x", false},
        {L"SCSI\\Disk&VEN_RED_HAT&Prod_VirtIO", false},
        {L"SCSI\\Disk&Ven_vmware_virtual", false},
        {L"IDE\\DiskWDC_WD10\\4&1", false},
        {L"", false},
    };
    for (const TRow& row : rows) {
        TFakeOs os;
        os.disk = row.device;
        EXPECT_EQ(IsVirtualMachineDisk(os.Questions()), row.virtualDisk) << std::wstring(row.device).size();
    }
}

// ---------------------------------------------------------------- real questions under Wine

class CompatUnderWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_beside = GetModuleDir(nullptr) + CLogConfig::MarkerFileName();
        DeleteFileW(m_beside.c_str());
        DeleteFileW((L"C:\\" + CLogConfig::MarkerFileName()).c_str());
    }
    void TearDown() override
    {
        DeleteFileW(m_beside.c_str());
        testenv::SetWineVersion(L"");
    }

    // The real questions, except the marker, which comes from a fresh logging set-up object
    // (the process-wide one keeps its first answer).
    static TCompatQuestions RealQuestions(CLogConfig& markerSource)
    {
        TCompatQuestions q = DefaultCompatQuestions();
        q.markerExists = [&markerSource] { return markerSource.MarkerExists(); };
        return q;
    }

    testenv::FirstDiskKeeper m_disk;  // the first disk's value as the test found it, put back
    std::wstring m_beside;
};

TEST_F(CompatUnderWine, MarkerBesideTheExeMakesAnXpPrefixSupported)
{
    // The reported version is read once per process: a fresh probe process answers for it.
    testenv::SetWineVersion(L"winxp");
    const std::wstring probe = L"\"" + testenv::FixtureFile(L"os_version_probe.exe") + L"\"";
    const int xpCode = testenv::RunAndWait(probe, 30000);
    ASSERT_EQ(xpCode, 1);

    {
        CLogConfig noMarker;
        TCompatQuestions q = RealQuestions(noMarker);
        q.osVersionCode = [xpCode] { return xpCode; };
        EXPECT_FALSE(IsSystemSupported(q));
    }
    ASSERT_TRUE(testenv::WriteFile(m_beside, ""));
    {
        CLogConfig withMarker;
        EXPECT_EQ(withMarker.GetMarkerPath(), m_beside);
        TCompatQuestions q = RealQuestions(withMarker);
        q.osVersionCode = [xpCode] { return xpCode; };
        EXPECT_TRUE(IsSystemSupported(q));
    }
}

TEST_F(CompatUnderWine, VmwareDiskValueIsRejectedOnlyInItsOwnLetterCase)
{
    ASSERT_GE(GetOsVersionCode(), 2) << "the prefix must report a supported Windows";
    CLogConfig noMarker;
    const TCompatQuestions q = RealQuestions(noMarker);

    ASSERT_TRUE(testenv::WriteFirstDisk(L"SCSI\\Disk&Ven_VMware&Prod_Disk\\5&1ec51bf7&0&000000"));
    EXPECT_TRUE(IsVirtualMachineDisk());
    EXPECT_FALSE(IsSystemSupported(q));

    ASSERT_TRUE(testenv::WriteFirstDisk(L"SCSI\\Disk&ven_vmware&Prod_Disk\\5&1ec51bf7&0&000000"));
    EXPECT_FALSE(IsVirtualMachineDisk());
    EXPECT_TRUE(IsSystemSupported(q));

    testenv::DeleteFirstDisk();
    EXPECT_FALSE(IsVirtualMachineDisk());
}

TEST_F(CompatUnderWine, RunningVmToolsProcessIsRejected)
{
    ASSERT_GE(GetOsVersionCode(), 2);
    testenv::DeleteFirstDisk();
    CLogConfig noMarker;
    const TCompatQuestions q = RealQuestions(noMarker);
    EXPECT_TRUE(IsSystemSupported(q));

    const std::wstring dir = testenv::MakeTempDir(L"vmtools");
    const std::wstring exe = dir + L"vmtoolsd.exe";
    ASSERT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), exe));
    ScopedHandle process(testenv::Start(L"\"" + exe + L"\" --hidden --exit-after 60000", dir));
    ASSERT_TRUE(process);
    EXPECT_TRUE(testenv::WaitFor([] { return IsProcessRunning(L"vmtoolsd.exe"); }, 15000));
    EXPECT_FALSE(IsSystemSupported(q));

    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    EXPECT_TRUE(IsSystemSupported(q));
    testenv::RemoveTree(dir);
}

TEST_F(CompatUnderWine, ProcessWideMarkerAnswerIsNotRecomputed)
{
    // The default questions use the process-wide logging set-up, whose answer is fixed by
    // the first question.
    const bool first = CLogConfig::GetInstance()->MarkerExists();
    const std::wstring path = CLogConfig::GetInstance()->GetMarkerPath();
    if (!first)
        ASSERT_TRUE(testenv::WriteFile(path, ""));
    else
        DeleteFileW(path.c_str());
    IsSystemSupported();
    EXPECT_EQ(CLogConfig::GetInstance()->MarkerExists(), first);
    DeleteFileW(path.c_str());
}

} // namespace
