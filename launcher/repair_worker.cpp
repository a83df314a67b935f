#include "launcher/repair_worker.h"

#include "launcher/process_utils.h"
#include "support/soft_configure.h"
#include "support/ini_store.h"
#include "support/path_utils.h"
#include "ui/core/entry_guard.h"

namespace {

constexpr wchar_t kMarkerKey[] = L"SAVE_KEY_MAIN_FIX_TIME";
constexpr wchar_t kMarkerDone[] = L"1";

}  // namespace

std::wstring RuntimeInstallerPath(std::wstring dir) {
    if (dir.empty() || (dir.back() != L'\\' && dir.back() != L'/')) dir += L'\\';
    return dir + kRuntimeInstaller;
}

namespace {

void RepairRun(HWND window, const RepairWorkerServices& s) {
    const DWORD start = s.tickCount();
    std::wstring dir = s.installDirectory();
    if (dir.empty()) dir = s.launcherDirectory();
    const std::wstring installer = RuntimeInstallerPath(dir);

    // The marker is recorded only when the installer really ran: a repair that could
    // not be started must be offered again next time.
    if (s.fileExists(installer) && s.runAndWait(installer, kRuntimeInstallerParams)) s.recordRepair();

    // A short run still leaves the window up for a full extra second.
    if (static_cast<DWORD>(s.tickCount() - start) <= kShortRunDelayMs) s.sleep(kShortRunDelayMs);
    s.postClose(window);
}

}  // namespace

void RepairWorker(HWND window, const RepairWorkerServices& s) {
    // This is the worker thread's whole run: a failure stops here and the window still closes.
    SkinUI::CatchAtEntry([&] { RepairRun(window, s); }, [&] { s.postClose(window); });
}

RepairWorkerServices DefaultRepairWorkerServices() {
    RepairWorkerServices s;
    s.tickCount = [] { return GetTickCount(); };
    // Read through this thread's own configuration object: the shared one's
    // serializer caches the desktop user's SID without a lock.
    s.installDirectory = [] {
        CSoftConfigure mine;
        return mine.GetInstallPath();
    };
    s.launcherDirectory = [] { return GetModuleDir(nullptr); };
    s.fileExists = [](const std::wstring& path) {
        DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    };
    s.runAndWait = [](const std::wstring& exe, const wchar_t* params) { return LaunchProcess(exe, params, true, 0); };
    s.recordRepair = [] {
        // This thread's own configuration object; the names come from the shared one.
        CSoftConfigure* shared = CSoftConfigure::GetInstance();
        CSoftConfigure mine;
        mine.WriteValue(shared->GetSoftNameEn(), shared->GetKeyMainName(), GetSoftParamValue(kMarkerKey),
                        kMarkerDone);
    };
    s.sleep = [](DWORD ms) { Sleep(ms); };
    s.postClose = [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); };
    return s;
}

void RepairWorker(HWND window) { RepairWorker(window, DefaultRepairWorkerServices()); }
