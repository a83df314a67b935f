// The real launcher exe under Wine: single instance, game start, raising the game window,
// and the installer product-state query.
#include <windows.h>
#include <msi.h>

#include <gtest/gtest.h>

#include "launcher/product_query.h"
#include "tests/common/test_env.h"

namespace {

// A directory holding a copy of the launcher and of the game stand-in.
struct LauncherDir {
    std::wstring dir = testenv::MakeTempDir(L"launch");
    LauncherDir() {
        testenv::CopyInto(testenv::LauncherExe(), dir + L"TavrelStart.exe");
        testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), dir + L"qvx.exe");
    }
    ~LauncherDir() {
        testenv::CloseAll(L"GLFW30", L"Tavrel");
        testenv::RemoveTree(dir);
    }
    int Run(DWORD timeoutMs = 60000) { return testenv::RunAndWait(L"\"" + dir + L"TavrelStart.exe\"", timeoutMs, dir); }
    bool GameStarted() const { return testenv::FileExists(dir + L"qvx.started"); }
    void GameMode(const char* mode) { testenv::WriteFile(dir + L"qvx.ini", std::string("[fixture]\r\nmode=") + mode + "\r\n"); }
};

}  // namespace

TEST(LauncherProcess, SecondCopyExitsAtOnceWhileTheFirstHoldsTheGuard) {
    HANDLE first = CreateMutexW(nullptr, TRUE, L"GameQVXMain");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    LauncherDir d;
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, d.Run(20000));
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_FALSE(d.GameStarted());
    ReleaseMutex(first);
    CloseHandle(first);
}

TEST(LauncherProcess, StartsTheGameFromItsOwnDirectoryAndExitsZero) {
    LauncherDir d;
    EXPECT_EQ(0, d.Run());
    EXPECT_TRUE(testenv::WaitFor([&] { return d.GameStarted(); }, 30000));
    EXPECT_TRUE(testenv::WaitFor([] { return testenv::FindTopLevel(L"GLFW30", L"Tavrel") != nullptr; }, 30000));
}

TEST(LauncherProcess, HiddenAndMinimisedGameWindowsAreShown) {
    for (const wchar_t* mode : {L"--hidden", L"--minimised"}) {
        // Only this test's game window may be found, by the test and by the launcher.
        testenv::CloseAll(L"GLFW30", L"Tavrel");
        LauncherDir d;
        d.GameMode("nowindow");  // the copy the launcher starts opens no window of its own
        HANDLE game = testenv::Start(L"\"" + testenv::FixtureFile(L"qvx.exe") + L"\" " + mode + L" --exit-after 60000");
        ASSERT_NE(nullptr, game);
        HWND w = nullptr;
        ASSERT_TRUE(testenv::WaitFor([&] { return (w = testenv::FindTopLevel(L"GLFW30", L"Tavrel")) != nullptr; }, 30000));
        EXPECT_TRUE(!IsWindowVisible(w) || IsIconic(w)) << mode;
        EXPECT_EQ(0, d.Run());
        EXPECT_TRUE(testenv::WaitFor([&] { return IsWindowVisible(w) && !IsIconic(w); }, 5000)) << mode;
        EXPECT_TRUE(testenv::WaitFor([&] { return d.GameStarted(); }, 30000));
        PostMessageW(w, WM_CLOSE, 0, 0);
        WaitForSingleObject(game, 10000);
        CloseHandle(game);
    }
}

// Through the launcher's own query, which loads msi.dll on first use.
TEST(LauncherProcess, ProductStateReportsAnInstalledRuntimePackage) {
    const wchar_t* code = L"{74d0e5db-b326-4dae-a6b2-445b9de1836e}";
    const std::wstring msi = testenv::FixtureFile(L"runtime1.msi");
    testenv::RunAndWait(L"msiexec /x \"" + msi + L"\" /qn", 120000);
    EXPECT_NE(INSTALLSTATE_DEFAULT, QueryProductState(code));
    ASSERT_EQ(0, testenv::RunAndWait(L"msiexec /i \"" + msi + L"\" /qn", 120000));
    EXPECT_EQ(INSTALLSTATE_DEFAULT, QueryProductState(code));
    EXPECT_EQ(INSTALLSTATE_DEFAULT, QueryProductState(L"{74D0E5DB-B326-4DAE-A6B2-445B9DE1836E}"));
    // Released after the queries, the library goes; a later query brings it back.
    ReleaseProductQuery();
    EXPECT_EQ(nullptr, GetModuleHandleW(L"msi.dll"));
    EXPECT_EQ(INSTALLSTATE_DEFAULT, QueryProductState(code));
    ReleaseProductQuery();
    EXPECT_EQ(0, testenv::RunAndWait(L"msiexec /x \"" + msi + L"\" /qn", 120000));
    EXPECT_NE(INSTALLSTATE_DEFAULT, QueryProductState(code));
}
