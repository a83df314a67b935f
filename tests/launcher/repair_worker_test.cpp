// The repair worker's decisions with fake services.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "launcher/repair_worker.h"

namespace {

struct World {
    DWORD now = 5000;
    DWORD installerTakes = 0;
    bool installerExists = true;
    bool installerStarts = true;
    std::wstring installDir = L"D:\\Games\\Tavrel";
    std::vector<std::wstring> calls;
};

RepairWorkerServices Fake(World& w) {
    RepairWorkerServices s;
    s.tickCount = [&w] { return w.now; };
    s.installDirectory = [&w] { return w.installDir; };
    s.launcherDirectory = [] { return std::wstring(L"C:\\Launcher\\"); };
    s.fileExists = [&w](const std::wstring& p) {
        w.calls.push_back(L"exists:" + p);
        return w.installerExists;
    };
    s.runAndWait = [&w](const std::wstring& exe, const wchar_t* params) {
        w.calls.push_back(L"run:" + exe + L" " + params);
        w.now += w.installerTakes;
        return w.installerStarts;
    };
    s.recordRepair = [&w] { w.calls.push_back(L"record"); };
    s.sleep = [&w](DWORD ms) {
        w.calls.push_back(L"sleep:" + std::to_wstring(ms));
        w.now += ms;
    };
    s.postClose = [&w](HWND) { w.calls.push_back(L"close"); };
    return s;
}

}  // namespace

TEST(RepairWorker, InstallerPathGetsItsSeparator) {
    EXPECT_EQ(L"D:\\G\\runtime\\runtime.exe", RuntimeInstallerPath(L"D:\\G"));
    EXPECT_EQ(L"D:\\G\\runtime\\runtime.exe", RuntimeInstallerPath(L"D:\\G\\"));
    EXPECT_EQ(L"D:/G/runtime\\runtime.exe", RuntimeInstallerPath(L"D:/G/"));
}

TEST(RepairWorker, ShortInstallRecordsAndStillWaitsAFullSecond) {
    World w;
    w.installerTakes = 200;
    RepairWorker(nullptr, Fake(w));
    const std::vector<std::wstring> expected = {L"exists:D:\\Games\\Tavrel\\runtime\\runtime.exe",
                                                L"run:D:\\Games\\Tavrel\\runtime\\runtime.exe /quiet", L"record",
                                                L"sleep:1000", L"close"};
    EXPECT_EQ(expected, w.calls);
}

TEST(RepairWorker, LongInstallClosesRightAfterIt) {
    World w;
    w.installerTakes = 1001;
    RepairWorker(nullptr, Fake(w));
    EXPECT_EQ((std::vector<std::wstring>{w.calls[0], w.calls[1], L"record", L"close"}), w.calls);
}

TEST(RepairWorker, TickCounterWrapIsHandled) {
    World w;
    w.now = 0xFFFFFF00u;
    w.installerTakes = 0x200;  // wraps past zero, 512 ms in all
    RepairWorker(nullptr, Fake(w));
    EXPECT_EQ(L"sleep:1000", w.calls[3]);
}

TEST(RepairWorker, MissingInstallerWritesNothingAndClosesAfterASecond) {
    World w;
    w.installerExists = false;
    RepairWorker(nullptr, Fake(w));
    EXPECT_EQ((std::vector<std::wstring>{L"exists:D:\\Games\\Tavrel\\runtime\\runtime.exe", L"sleep:1000", L"close"}),
              w.calls);
}

TEST(RepairWorker, InstallerThatCannotStartIsNotRecorded) {
    World w;
    w.installerStarts = false;
    RepairWorker(nullptr, Fake(w));
    EXPECT_EQ((std::vector<std::wstring>{w.calls[0], w.calls[1], L"sleep:1000", L"close"}), w.calls);
}

TEST(RepairWorker, EmptyInstallDirectoryFallsBackToTheLauncherDirectory) {
    World w;
    w.installDir.clear();
    RepairWorker(nullptr, Fake(w));
    EXPECT_EQ(L"exists:C:\\Launcher\\runtime\\runtime.exe", w.calls[0]);
}

TEST(RepairWorker, AFailingStepStillClosesTheWindow) {
    World w;
    RepairWorkerServices s = Fake(w);
    s.recordRepair = [] { throw std::runtime_error("marker write failed"); };
    RepairWorker(nullptr, s);
    EXPECT_EQ((std::vector<std::wstring>{w.calls[0], w.calls[1], L"close"}), w.calls);
}

#include "support/regedit_serialize.h"
#include "support/soft_configure.h"

// The worker thread reads the install path through its own configuration object:
// the shared one's serializer fills its cached SID without a lock, and the main
// thread uses it at the same time.
TEST(RepairWorker, RealServicesLeaveTheSharedConfigurationToTheMainThread) {
    auto* shared = dynamic_cast<CRegeditSerialize*>(CSoftConfigure::GetInstance()->GetSerialize());
    ASSERT_NE(shared, nullptr);
    ASSERT_TRUE(shared->GetSid().empty());  // each test runs in a process of its own
    DefaultRepairWorkerServices().installDirectory();
    EXPECT_TRUE(shared->GetSid().empty());
}
