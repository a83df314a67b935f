// Process and version utilities: pure parts directly, the rest against real processes.
#include <gtest/gtest.h>

#include "launcher/process_utils.h"
#include "tests/common/test_env.h"

TEST(CommandLine, ExecutablePathIsAlwaysQuoted) {
    EXPECT_EQ(L"\"C:\\Program Files (x86)\\GameQVX\\qvx.exe\"",
              BuildCommandLine(L"C:\\Program Files (x86)\\GameQVX\\qvx.exe", nullptr));
    EXPECT_EQ(L"\"C:\\a\\qvx.exe\"", BuildCommandLine(L"C:\\a\\qvx.exe", L""));
    EXPECT_EQ(L"\"C:\\a b\\runtime.exe\" /quiet", BuildCommandLine(L"C:\\a b\\runtime.exe", L"/quiet"));
}

TEST(OsVersion, ClassificationTable) {
    const BYTE ws = VER_NT_WORKSTATION, server = VER_NT_SERVER;
    struct Row {
        DWORD major, minor, build;
        BYTE type;
        int code;
    } rows[] = {
        {4, 0, 1381, ws, 0},      {5, 0, 2195, ws, 0},      {5, 1, 2600, ws, 1},     {5, 2, 3790, ws, 2},
        {5, 2, 3790, server, 2},  {6, 0, 6002, ws, 3},      {6, 0, 6002, server, 4}, {6, 1, 7601, server, 4},
        {6, 1, 7601, ws, 5},      {6, 2, 9200, ws, 7},      {6, 3, 9600, ws, 7},     {6, 3, 9600, server, 4},
        {7, 0, 1, ws, 0},         {8, 0, 1, ws, 0},         {9, 0, 1, ws, 0},        {10, 0, 19045, ws, 8},
        {10, 0, 21999, ws, 8},    {10, 0, 22000, ws, 9},    {10, 0, 22631, server, 9}, {11, 0, 1, ws, 10},
        {12, 0, 0, ws, 10},       {0, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        OsVersionInfo v{r.major, r.minor, r.build, r.type};
        EXPECT_EQ(r.code, ClassifyOsVersion(v)) << r.major << "." << r.minor << "." << r.build << " type " << int(r.type);
    }
}

TEST(OsVersion, NtNumbersHaveNoFlagBits) {
    DWORD major = 0, minor = 0, build = 0;
    ASSERT_TRUE(GetNtVersionNumbers(major, minor, build));
    EXPECT_GT(major, 0u);
    EXPECT_EQ(0u, build & 0xFFFF0000u);
}

TEST(OsVersion, ReportedVersionOfThePrefixIsClassified) {
    // The version is read when a process starts: ask a fresh probe process each time.
    struct Case {
        const wchar_t* version;
        int code;
    } cases[] = {{L"winxp", 1}, {L"win10", 8}, {L"win81", 7}, {L"win2003", 2}};
    const std::wstring probe = L"\"" + testenv::FixtureFile(L"os_version_probe.exe") + L"\"";
    for (const Case& c : cases) {
        testenv::SetWineVersion(c.version);
        EXPECT_EQ(c.code, testenv::RunAndWait(probe, 30000)) << c.version;
    }
    testenv::SetWineVersion(L"");
}

TEST(Processes, ImageNamesMatchWholeAndFoldAsciiOnly) {
    EXPECT_EQ(L"qvx.exe", FoldAsciiLower(L"QVX.EXE"));
    EXPECT_EQ(L"\u00C9t\u00C9.exe", FoldAsciiLower(L"\u00C9T\u00C9.EXE"));  // non-ASCII letters stay

    const std::wstring dir = testenv::MakeTempDir(L"procs");
    const std::wstring exe = dir + L"probe_target_7.exe";
    ASSERT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), exe));
    HANDLE p = testenv::Start(L"\"" + exe + L"\" --hidden --exit-after 20000");
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(testenv::WaitFor([] { return IsProcessRunning(L"PROBE_TARGET_7.EXE"); }, 10000));
    EXPECT_FALSE(IsProcessRunning(L"target_7.exe"));
    EXPECT_FALSE(IsProcessRunning(L"probe_target_7"));
    EXPECT_FALSE(IsProcessRunning(L"probe_target_7.exe.exe"));
    TerminateProcess(p, 0);
    WaitForSingleObject(p, 5000);
    CloseHandle(p);
    EXPECT_TRUE(testenv::WaitFor([] { return !IsProcessRunning(L"probe_target_7.exe"); }, 10000));
    testenv::RemoveTree(dir);
}

TEST(Processes, LaunchesFromADirectoryWithSpacesAndWaitsWhenAsked) {
    const std::wstring dir = testenv::MakeTempDir(L"spaces") + L"Program Files (x86)\\";
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    ASSERT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), dir + L"qvx.exe"));
    // Waiting without limit (timeout 0) returns only once the child has ended.
    ASSERT_TRUE(LaunchProcess(dir + L"qvx.exe", L"--hidden --exit-after 300", true, 0));
    EXPECT_NE(std::string::npos, testenv::ReadFile(dir + L"qvx.started").find("started"));
    // A positive timeout returns while the child still runs.
    const DWORD start = GetTickCount();
    ASSERT_TRUE(LaunchProcess(dir + L"qvx.exe", L"--hidden --exit-after 20000", true, 200));
    EXPECT_LT(GetTickCount() - start, 15000u);
    EXPECT_TRUE(IsProcessRunning(L"qvx.exe"));
    testenv::CloseAll(L"GLFW30", L"Tavrel");
    EXPECT_FALSE(LaunchProcess(dir + L"missing.exe", nullptr, false, 0));
    testenv::RemoveTree(dir);
}
