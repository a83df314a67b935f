// The whole launcher under Wine: registry state in the desktop user's hive, the repair
// window with the runtime-installer stand-in, the game start, and the unsupported notice.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launcher/process_utils.h"
#include "support/desktop_user.h"
#include "support/log_config.h"
#include "tests/common/a11y_walk.h"
#include "tests/common/test_env.h"
#include "tests/launcher/installed_game.h"

namespace {

using namespace launchertest;

RECT WorkArea(HWND w) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
}

// A left click at client coordinates, as the mouse would deliver it.
void ClickAt(HWND w, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(w, WM_MOUSEMOVE, 0, at);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(w, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST(LauncherEndToEnd, FirstStartRepairsAtTheBottomRightThenStartsTheGame) {
    InstalledGame game(true, 2500);
    game.Register(game.dir, L"0");
    game.Start();
    HWND w = game.WaitForWindow();
    ASSERT_NE(nullptr, w);
    RECT r{};
    const RECT work = WorkArea(w);
    testenv::WaitFor([&] { return GetWindowRect(w, &r) && r.right == work.right - 50; }, 3000);
    EXPECT_EQ(work.right - 50, r.right);
    EXPECT_EQ(work.bottom - 50, r.bottom);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(100, r.bottom - r.top);
    EXPECT_FALSE(game.GameStarted());  // the game waits for the repair
    EXPECT_EQ(0, game.Finish());
    EXPECT_TRUE(game.InstallerRan());
    EXPECT_EQ(L"1", Marker());
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
}

TEST(LauncherEndToEnd, SecondStartSkipsTheRepair) {
    InstalledGame game(true);
    game.Register(game.dir, L"1");
    game.Start();
    EXPECT_EQ(0, game.Finish());
    EXPECT_EQ(nullptr, FindWindowW(L"Start", L"Tavrel"));
    EXPECT_FALSE(game.InstallerRan());
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
}

TEST(LauncherEndToEnd, CloseButtonEndsTheRepairAtOnceWhileTheInstallerRuns) {
    InstalledGame game(true, 8000);
    game.Register(game.dir, L"0");
    game.Start();
    HWND w = game.WaitForWindow();
    ASSERT_NE(nullptr, w);
    ASSERT_TRUE(testenv::WaitFor([] { return IsProcessRunning(L"runtime.exe"); }, 10000));
    ClickAt(w, 285, 15);  // the title row's close button
    EXPECT_EQ(0, game.Finish(10000));
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
    EXPECT_TRUE(IsProcessRunning(L"runtime.exe"));
    EXPECT_EQ(L"0", Marker());
}

TEST(LauncherEndToEnd, MissingInstallerClosesAfterAboutASecondAndWritesNothing) {
    InstalledGame game(false);
    game.Register(game.dir, L"0");
    const DWORD start = GetTickCount();
    game.Start();
    ASSERT_NE(nullptr, game.WaitForWindow());
    EXPECT_EQ(0, game.Finish());
    EXPECT_GE(GetTickCount() - start, 1000u);
    EXPECT_EQ(L"0", Marker());
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
}

TEST(LauncherEndToEnd, InstallerThatCannotStartIsNotRecorded) {
    InstalledGame game(true);
    testenv::WriteFile(game.dir + L"runtime\\runtime.exe", "not a program");
    game.Register(game.dir, L"0");
    game.Start();
    EXPECT_EQ(0, game.Finish());
    EXPECT_EQ(L"0", Marker());
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
}

TEST(LauncherEndToEnd, InstallDirectoryWithoutTrailingSeparatorFindsTheInstaller) {
    InstalledGame game(true);
    std::wstring bare = game.dir;
    bare.pop_back();
    game.Register(bare, L"0");
    game.Start();
    EXPECT_EQ(0, game.Finish());
    EXPECT_TRUE(game.InstallerRan());
    EXPECT_EQ(L"1", Marker());
    EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
}

TEST(LauncherEndToEnd, SecondLauncherDuringTheRepairExitsAtOnce) {
    InstalledGame game(true, 8000);
    game.Register(game.dir, L"0");
    game.Start();
    HWND first = game.WaitForWindow();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, testenv::RunAndWait(L"\"" + game.dir + L"TavrelStart.exe\"", 20000, game.dir));
    // Back while the first copy's repair still runs: the second neither waited for the guard
    // nor repaired (a bound in milliseconds would measure the machine: an emulated CPU starts
    // a 32-bit process several times slower).
    EXPECT_TRUE(IsWindow(first));
    EXPECT_FALSE(game.GameStarted());
    EXPECT_EQ(0, game.Finish());
}

TEST(LauncherEndToEnd, UnsupportedSystemShowsTheCentredNoticeAndTheExitButtonEndsIt) {
    InstalledGame game(true);
    game.Register(game.dir, L"1");
    testenv::SetWineVersion(L"winxp");
    game.Start();
    HWND w = game.WaitForWindow();
    testenv::SetWineVersion(L"");
    ASSERT_NE(nullptr, w);
    // The window is visible from its creation on; placement follows at once.
    RECT r{};
    const RECT work = WorkArea(w);
    testenv::WaitFor([&] { return GetWindowRect(w, &r) && r.left != 0; }, 3000);
    EXPECT_EQ(400, r.right - r.left);
    EXPECT_EQ(200, r.bottom - r.top);
    EXPECT_EQ((work.left + work.right) / 2 - 200, r.left);
    EXPECT_EQ((work.top + work.bottom) / 2 - 100, r.top);
    Sleep(300);
    EXPECT_TRUE(IsWindow(w));  // stays until the user answers
    ClickAt(w, 200, 160);      // "退出"
    EXPECT_EQ(0, game.Finish(10000));
    Sleep(500);
    EXPECT_FALSE(game.GameStarted());
}

TEST(LauncherEndToEnd, VirtualMachineDiskIsRefusedUnlessTheMarkerFileIsThere) {
    const testenv::FirstDiskKeeper keeper;
    ASSERT_TRUE(testenv::WriteFirstDisk(L"SCSI\\Disk&Ven_VMware&Prod_Virtual_disk\\5&1ec51bf7&0&000000"));
    {
        InstalledGame game(false);
        game.Register(game.dir, L"1");
        game.Start();
        HWND w = game.WaitForWindow();
        ASSERT_NE(nullptr, w);
        PostMessageW(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, game.Finish(10000));
        EXPECT_FALSE(game.GameStarted());
    }
    {
        InstalledGame game(false);
        game.Register(game.dir, L"1");
        testenv::WriteFile(game.dir + CLogConfig::MarkerFileName(), "");
        game.Start();
        EXPECT_EQ(0, game.Finish());
        EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
    }
}

// ---------------------------------------------------------------- screen readers and the keyboard

namespace {

// COM for this thread while a test reads the launcher's windows from this process.
struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
};

std::vector<HWND> g_valueChanges;  // windows whose client area reported a value change

void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_valueChanges.push_back(hwnd);
}

// Out-of-context WinEvents arrive through this thread's queue.
void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

VARIANT Self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// The probe fixture's reading of the launcher window, or "<exit N>".
std::string ProbeReading(const std::wstring& probe, const std::wstring& dir) {
    const std::wstring out = dir + L"probe.txt";
    const int code = testenv::RunAndWait(L"\"" + probe + L"\" \"" + out + L"\" Tavrel", 30000, dir);
    return code == 0 ? testenv::ReadFile(out) : "<exit " + std::to_string(code) + ">";
}

// The probe fixture of this build; the i686 one too when it is built, which reads across bitness.
std::vector<std::wstring> Probes() {
    std::vector<std::wstring> probes = {testenv::FixtureFile(L"a11y_probe.exe")};
    if (sizeof(void*) == 4) return probes;  // this build's probe is the i686 one
    const std::wstring other = testenv::BinaryDir() + L"..\\i686\\tests\\fixtures\\a11y_probe.exe";
    // scripts/test says QVX_I686_RUNS=0 on a machine whose kernel runs no 32-bit code.
    wchar_t runs[4] = {};
    const bool i686Runs = GetEnvironmentVariableW(L"QVX_I686_RUNS", runs, 4) == 0 || runs[0] != L'0';
    if (i686Runs && testenv::FileExists(other)) probes.push_back(other);
    return probes;
}

}  // namespace

TEST(LauncherEndToEnd, ScreenReaderFollowsTheRepairAndTheCloseButtonOrEscStartsTheGame) {
    ComScope com;
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Esc" : "default action");
        // Still installing when the window has gone, even on a loaded machine or an emulated CPU.
        InstalledGame game(true, 25000);
        game.Register(game.dir, L"0");
        g_valueChanges.clear();
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                             &RecordValueChange, 0, 0, WINEVENT_OUTOFCONTEXT);
        game.Start();
        HWND w = game.WaitForWindow();
        ASSERT_NE(nullptr, w);
        IAccessible* client = a11y::ClientOf(w);
        ASSERT_NE(nullptr, client);
        EXPECT_EQ(L"Tavrel", a11y::Name(client));
        IAccessible* text = a11y::Find(client, ROLE_SYSTEM_STATICTEXT, L"Tavrel启动中");
        IAccessible* bar = a11y::Find(client, ROLE_SYSTEM_PROGRESSBAR, L"启动进度");
        IAccessible* close = a11y::Find(client, ROLE_SYSTEM_PUSHBUTTON, L"关闭");
        ASSERT_TRUE(text && bar && close) << a11y::Utf8(a11y::DumpTree(client));
        const int first = _wtoi(a11y::Value(bar).c_str());
        PumpFor(1000);
        EXPECT_GT(_wtoi(a11y::Value(bar).c_str()), first);
        UnhookWinEvent(hook);
        EXPECT_GE(std::count(g_valueChanges.begin(), g_valueChanges.end(), w), 2);
        if (!byEscape) {
            for (const std::wstring& probe : Probes()) {
                const std::string reading = ProbeReading(probe, game.dir);
                EXPECT_NE(std::string::npos, reading.find(a11y::Utf8(L"push button \"关闭\""))) << reading;
                EXPECT_NE(std::string::npos, reading.find(a11y::Utf8(L"progress bar \"启动进度\" value="))) << reading;
            }
            EXPECT_EQ(S_OK, close->accDoDefaultAction(Self()));
        } else {
            PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        EXPECT_EQ(0, game.Finish(10000));
        EXPECT_TRUE(IsProcessRunning(L"runtime.exe"));  // the installer goes on
        EXPECT_EQ(L"0", Marker());
        EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
        // Elements still held after their window and process are gone answer with an error.
        BSTR name = nullptr;
        EXPECT_TRUE(FAILED(close->get_accName(Self(), &name)));
        long count = 0;
        EXPECT_TRUE(FAILED(client->get_accChildCount(&count)));
        for (IAccessible* acc : {text, bar, close, client}) acc->Release();
    }
}

TEST(LauncherEndToEnd, NoticeIsReadAndItsFocusedExitButtonAnswersTheDefaultActionEnterAndEsc) {
    ComScope com;
    const struct {
        const char* way;
        WPARAM key;  // 0: the default action
    } kWays[] = {{"default action", 0}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}};
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.way);
        InstalledGame game(true);
        game.Register(game.dir, L"1");
        testenv::SetWineVersion(L"winxp");
        game.Start();
        HWND w = game.WaitForWindow();
        testenv::SetWineVersion(L"");
        ASSERT_NE(nullptr, w);
        IAccessible* client = a11y::ClientOf(w);
        ASSERT_NE(nullptr, client);
        IAccessible* notice = a11y::Find(client, ROLE_SYSTEM_STATICTEXT, L"暂不支持WinXP和虚拟机,敬请期待新版本支持！");
        IAccessible* exit = a11y::Find(client, ROLE_SYSTEM_PUSHBUTTON, L"退出");
        ASSERT_TRUE(notice && exit) << a11y::Utf8(a11y::DumpTree(client));
        EXPECT_TRUE(testenv::WaitFor([&] { return (a11y::State(exit) & STATE_SYSTEM_FOCUSED) != 0; }, 3000))
            << a11y::Utf8(a11y::DumpTree(client));
        if (way.key == 0) {
            for (const std::wstring& probe : Probes()) {
                const std::string reading = ProbeReading(probe, game.dir);
                EXPECT_NE(std::string::npos, reading.find(a11y::Utf8(L"push button \"退出\" state=focusable,focused")))
                    << reading;
            }
            EXPECT_EQ(S_OK, exit->accDoDefaultAction(Self()));
        } else {
            PostMessageW(w, WM_KEYDOWN, way.key, 0);
        }
        EXPECT_EQ(0, game.Finish(10000));
        for (IAccessible* acc : {notice, exit, client}) acc->Release();
        Sleep(500);
        EXPECT_FALSE(game.GameStarted());
    }
}
