#include "launcher/run_sequence.h"

#include "launcher/startup_timeline.h"

namespace launcher {

bool RepairNeeded(const LauncherServices& s) {
    if (s.readRepairMarker() != kMarkerNeedsRepair) return false;
    bool installed = false;
    for (const wchar_t* code : kRuntimeProducts) {
        installed = s.productState(code) == kInstalledState;
        if (installed) break;
    }
    // The answers are in: the installer's library need not stay for the window.
    if (s.productQueriesDone) s.productQueriesDone();
    return !installed;
}

void StartGame(const LauncherServices& s) {
    std::wstring dir = s.installDirectory();
    if (dir.empty()) dir = s.launcherDirectory();
    s.launchProcess(dir + kGameExe);
    MarkStartupPhase(StartupPhase::GameStarted);

    // One look, right after the start: a game window left hidden or minimised by an
    // earlier run is brought back; a normal visible one is left alone.
    HWND game = s.findWindow(kGameWindowClass, kDisplayName);
    if (game && (!s.isWindowVisible(game) || s.isWindowMinimised(game))) s.showAndRaise(game);
}

int RunLauncherWith(HINSTANCE instance, const LauncherServices& s) {
    if (!s.initCom()) return 0;
    const bool alreadyRunning = s.acquireGuard(kGuardName);
    if (alreadyRunning) {
        s.releaseGuard();
        return 0;
    }
    s.initOle();
    MarkStartupPhase(StartupPhase::Guard);
    s.loadConfiguration(instance);
    MarkStartupPhase(StartupPhase::Configuration);
    s.initLogging();
    s.initPaths(instance);
    s.initFramework(instance);
    MarkStartupPhase(StartupPhase::LoggingAndPaths);

    const std::wstring title = kDisplayName;
    const bool supported = s.isSystemSupported();
    MarkStartupPhase(StartupPhase::Compatibility);
    if (supported) {
        const bool repair = RepairNeeded(s);
        MarkStartupPhase(StartupPhase::MarkerAndProducts);
        if (repair) s.runRepairWindow(instance, title);
        StartGame(s);
    } else {
        s.runNoticeWindow(instance, title);
    }

    s.termFramework();
    s.uninitOle();
    s.uninitCom();
    s.releaseGuard();
    return 0;
}

}  // namespace launcher

int RunLauncher(HINSTANCE instance) {
    return launcher::RunLauncherWith(instance, DefaultLauncherServices());
}
