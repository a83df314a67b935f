// Decisions of the run sequence, walked with fake services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/run_sequence.h"

namespace {

struct Recorder {
    std::vector<std::wstring> calls;
    std::wstring marker = L"1";
    bool supported = true;
    bool alreadyRunning = false;
    int installedProduct = -1;  // index answering 5, or -1
    std::wstring installDir;
    HWND gameWindow = nullptr;
    bool visible = true;
    bool minimised = false;
};

LauncherServices Fake(Recorder& r) {
    LauncherServices s;
    auto note = [&r](const std::wstring& what) { r.calls.push_back(what); };
    s.initCom = [note] { note(L"com"); return true; };
    s.uninitCom = [note] { note(L"~com"); };
    s.initOle = [note] { note(L"ole"); };
    s.uninitOle = [note] { note(L"~ole"); };
    s.acquireGuard = [note, &r](const wchar_t* name) { note(std::wstring(L"guard:") + name); return r.alreadyRunning; };
    s.releaseGuard = [note] { note(L"~guard"); };
    s.loadConfiguration = [note](HINSTANCE) { note(L"config"); };
    s.initLogging = [note] { note(L"log"); };
    s.initPaths = [note](HINSTANCE) { note(L"paths"); };
    s.initFramework = [note](HINSTANCE) { note(L"ui"); };
    s.termFramework = [note] { note(L"~ui"); };
    s.isSystemSupported = [note, &r] { note(L"supported?"); return r.supported; };
    s.readRepairMarker = [note, &r] { note(L"marker"); return r.marker; };
    s.productState = [note, &r](const wchar_t* code) {
        note(std::wstring(L"query:") + code);
        for (int i = 0; i < 3; ++i)
            if (i == r.installedProduct && std::wstring(code) == launcher::kRuntimeProducts[i]) return 5;
        return -1;
    };
    s.productQueriesDone = [note] { note(L"queries done"); };
    s.runRepairWindow = [note](HINSTANCE, const std::wstring& title) { note(L"repair:" + title); };
    s.runNoticeWindow = [note](HINSTANCE, const std::wstring& title) { note(L"notice:" + title); };
    s.installDirectory = [&r] { return r.installDir; };
    s.launcherDirectory = [] { return std::wstring(L"C:\\Launcher Dir\\"); };
    s.launchProcess = [note](const std::wstring& exe) { note(L"launch:" + exe); return true; };
    s.findWindow = [note, &r](const wchar_t* cls, const wchar_t* title) {
        note(std::wstring(L"find:") + cls + L"/" + title);
        return r.gameWindow;
    };
    s.isWindowVisible = [&r](HWND) { return r.visible; };
    s.isWindowMinimised = [&r](HWND) { return r.minimised; };
    s.showAndRaise = [note](HWND) { note(L"raise"); };
    return s;
}

int Count(const Recorder& r, const std::wstring& prefix) {
    int n = 0;
    for (const auto& c : r.calls) n += c.compare(0, prefix.size(), prefix) == 0;
    return n;
}

HWND FakeWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234)); }

}  // namespace

TEST(RunSequence, SecondCopyOnlyReleasesTheGuardAndReturnsZero) {
    Recorder r;
    r.alreadyRunning = true;
    EXPECT_EQ(0, launcher::RunLauncherWith(nullptr, Fake(r)));
    EXPECT_EQ((std::vector<std::wstring>{L"com", L"guard:GameQVXMain", L"~guard"}), r.calls);
}

TEST(RunSequence, SupportedRunStartsServicesInOrderAndTearsDownInReverse) {
    Recorder r;
    r.installDir = L"D:\\Games\\Tavrel\\";
    EXPECT_EQ(0, launcher::RunLauncherWith(nullptr, Fake(r)));
    const std::vector<std::wstring> expected = {
        L"com",    L"guard:GameQVXMain", L"ole", L"config", L"log", L"paths", L"ui", L"supported?", L"marker",
        L"launch:D:\\Games\\Tavrel\\qvx.exe", L"find:GLFW30/Tavrel", L"~ui", L"~ole", L"~com", L"~guard"};
    EXPECT_EQ(expected, r.calls);
}

TEST(RunSequence, ComFailureLeavesAtOnce) {
    Recorder r;
    LauncherServices s = Fake(r);
    s.initCom = [] { return false; };
    EXPECT_EQ(0, launcher::RunLauncherWith(nullptr, s));
    EXPECT_TRUE(r.calls.empty());
}

TEST(RepairDecision, AnyMarkerButZeroSkipsQueriesAndRepair) {
    for (const wchar_t* marker : {L"1", L"", L"00", L"0 ", L"2"}) {
        Recorder r;
        r.marker = marker;
        launcher::RunLauncherWith(nullptr, Fake(r));
        EXPECT_EQ(0, Count(r, L"query:")) << marker;
        EXPECT_EQ(0, Count(r, L"repair:")) << marker;
        EXPECT_EQ(1, Count(r, L"launch:")) << marker;
    }
}

TEST(RepairDecision, QueriesStopAtTheFirstInstalledProduct) {
    Recorder r;
    r.marker = L"0";
    r.installedProduct = 0;
    launcher::RunLauncherWith(nullptr, Fake(r));
    EXPECT_EQ(1, Count(r, L"query:"));
    EXPECT_EQ(0, Count(r, L"repair:"));

    Recorder second;
    second.marker = L"0";
    second.installedProduct = 1;
    launcher::RunLauncherWith(nullptr, Fake(second));
    EXPECT_EQ(2, Count(second, L"query:"));
    EXPECT_EQ(0, Count(second, L"repair:"));
}

TEST(RepairDecision, NothingInstalledRunsTheRepairWindowThenStartsTheGame) {
    Recorder r;
    r.marker = L"0";
    launcher::RunLauncherWith(nullptr, Fake(r));
    EXPECT_EQ(3, Count(r, L"query:"));
    ASSERT_EQ(1, Count(r, L"repair:Tavrel"));
    // The installer's library is let go after the last query, before the window is built.
    auto done = std::find(r.calls.begin(), r.calls.end(), L"queries done");
    auto repair = std::find(r.calls.begin(), r.calls.end(), L"repair:Tavrel");
    EXPECT_EQ(L"query:", done[-1].substr(0, 6));
    EXPECT_LT(done, repair);
    auto launch = std::find_if(r.calls.begin(), r.calls.end(),
                               [](const std::wstring& c) { return c.rfind(L"launch:", 0) == 0; });
    EXPECT_LT(repair, launch);
}

TEST(RunSequence, UnsupportedSystemShowsTheNoticeAndNeverStartsTheGame) {
    Recorder r;
    r.supported = false;
    r.marker = L"0";
    launcher::RunLauncherWith(nullptr, Fake(r));
    EXPECT_EQ(1, Count(r, L"notice:Tavrel"));
    EXPECT_EQ(0, Count(r, L"marker"));
    EXPECT_EQ(0, Count(r, L"query:"));
    EXPECT_EQ(0, Count(r, L"launch:"));
    EXPECT_EQ(0, Count(r, L"find:"));
}

TEST(GameStart, EmptyInstallDirectoryUsesTheLauncherDirectory) {
    Recorder r;
    launcher::RunLauncherWith(nullptr, Fake(r));
    EXPECT_EQ(1, Count(r, L"launch:C:\\Launcher Dir\\qvx.exe"));
}

TEST(GameStart, OnlyAHiddenOrMinimisedWindowIsRaised) {
    struct Case {
        bool visible, minimised, raised;
    } cases[] = {{true, false, false}, {false, false, true}, {true, true, true}, {false, true, true}};
    for (const Case& c : cases) {
        Recorder r;
        r.gameWindow = FakeWindow();
        r.visible = c.visible;
        r.minimised = c.minimised;
        launcher::StartGame(Fake(r));
        EXPECT_EQ(c.raised ? 1 : 0, Count(r, L"raise")) << c.visible << c.minimised;
        EXPECT_EQ(1, Count(r, L"find:"));
    }
    Recorder none;
    launcher::StartGame(Fake(none));
    EXPECT_EQ(0, Count(none, L"raise"));
}
