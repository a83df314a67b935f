// The run sequence bound to Win32, the support services and the framework.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <memory>

#include "launcher/instance_guard.h"
#include "launcher/launcher_services.h"
#include "launcher/compat_check.h"
#include "launcher/process_utils.h"
#include "launcher/product_query.h"
#include "launcher/window_phase.h"
#include "support/ini_store.h"
#include "support/log_config.h"
#include "support/path_utils.h"
#include "support/soft_configure.h"
#include "support/soft_path.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"

namespace {

constexpr char kConfigPassPhrase[] = "MirthTallowRun";
constexpr int kConfigResourceId = 5000;
constexpr int kSkinArchiveId = 130;
constexpr wchar_t kSkinCatalog[] = L"skin_define.xml";
constexpr wchar_t kMarkerKey[] = L"SAVE_KEY_MAIN_FIX_TIME";

// Hands the skin archive in the module's resources to the framework.
void InitFramework(HINSTANCE instance) {
    SkinUI::CPaintManagerUI::SetInstance(instance);
    if (HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(kSkinArchiveId), L"ZIPRES")) {
        HGLOBAL loaded = LoadResource(instance, res);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        const DWORD size = SizeofResource(instance, res);
        if (data && size) SkinUI::CPaintManagerUI::SetResourceArchive(data, size, nullptr);
    }
    // The launcher's archive has no catalogue; skin names are then used as written.
    SkinUI::CUIResourceCatalog::Instance().LoadCatalog(kSkinCatalog);
}

}  // namespace

LauncherServices DefaultLauncherServices() {
    LauncherServices s;
    auto guard = std::make_shared<std::unique_ptr<InstanceGuard>>();

    s.initCom = [] { return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); };
    s.uninitCom = [] { CoUninitialize(); };
    s.initOle = [] { OleInitialize(nullptr); };
    s.uninitOle = [] { OleUninitialize(); };
    s.acquireGuard = [guard](const wchar_t* name) {
        *guard = std::make_unique<InstanceGuard>(name);
        return (*guard)->AlreadyRunning();
    };
    s.releaseGuard = [guard] {
        if (*guard) (*guard)->Release();
    };

    s.loadConfiguration = [](HINSTANCE instance) {
        CIniStore::GetInstance()->LoadFromResource(instance, kConfigPassPhrase, kConfigResourceId);
    };
    s.initLogging = [] { CLogConfig::GetInstance()->InitLog(nullptr, 0); };
    s.initPaths = [](HINSTANCE instance) { CSoftPath::GetInstance()->Init(instance, false, false); };
    s.initFramework = InitFramework;
    s.termFramework = [] { SkinUI::CPaintManagerUI::TermFramework(); };

    s.isSystemSupported = [] { return IsSystemSupported(); };
    s.readRepairMarker = [] {
        CSoftConfigure* config = CSoftConfigure::GetInstance();
        return config->ReadValue(config->GetSoftNameEn(), config->GetKeyMainName(), GetSoftParamValue(kMarkerKey),
                                 L"0");
    };
    s.productState = [](const wchar_t* code) { return QueryProductState(code); };
    s.productQueriesDone = [] {
        // The installer's library brought the common controls in; the repair window's shadow,
        // made right after its first frame, needs them too, so they stay (pinned) while the
        // rest of its libraries go.
        HMODULE commonControls = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"comctl32.dll", &commonControls);
        ReleaseProductQuery();
    };

    s.runRepairWindow = [](HINSTANCE, const std::wstring& title) { RunRepairWindowPhase(title); };
    s.runNoticeWindow = [](HINSTANCE, const std::wstring& title) { RunNoticeWindowPhase(title); };

    s.installDirectory = [] { return CSoftConfigure::GetInstance()->GetInstallPath(); };
    s.launcherDirectory = [] { return GetModuleDir(nullptr); };
    s.launchProcess = [](const std::wstring& exe) { return LaunchProcess(exe, nullptr, false, 0); };
    s.findWindow = [](const wchar_t* cls, const wchar_t* title) { return FindWindowW(cls, title); };
    s.isWindowVisible = [](HWND w) { return IsWindowVisible(w) != FALSE; };
    s.isWindowMinimised = [](HWND w) { return IsIconic(w) != FALSE; };
    s.showAndRaise = [](HWND w) {
        // SW_SHOW alone leaves a minimised window an icon; restore that one instead.
        ShowWindow(w, IsIconic(w) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(w);
    };
    return s;
}
