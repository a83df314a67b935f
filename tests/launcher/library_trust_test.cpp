// The launcher's libraries under Wine, through a repair (reported as Windows 10) and through
// the notice (Windows XP): a copy planted in the game's folder under a system library's name
// is never loaded, with the loader's search restricted and without (as XP's loader has it);
// and a delay-loaded library that cannot load leaves the launcher working.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/common/a11y_walk.h"
#include "tests/common/test_env.h"
#include "tests/launcher/installed_game.h"

using launchertest::InstalledGame;

namespace {

const wchar_t* const kPlanted[] = {L"msimg32.dll", L"comctl32.dll", L"oleaut32.dll", L"gdiplus.dll",
                                   L"oleacc.dll",  L"version.dll",  L"msi.dll",      L"psapi.dll"};
const wchar_t kBaseOverrides[] = L"mscoree=;mshtml=";

// An environment variable of this process (and so of the launcher it starts) for one scope.
class EnvScope {
public:
    EnvScope(const wchar_t* name, const std::wstring& value) : m_name(name) {
        wchar_t old[1024] = {};
        const DWORD n = GetEnvironmentVariableW(name, old, 1024);
        m_had = n > 0 && n < 1024;
        if (m_had) m_old = old;
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvScope() { SetEnvironmentVariableW(m_name, m_had ? m_old.c_str() : nullptr); }

private:
    const wchar_t* m_name;
    std::wstring m_old;
    bool m_had = false;
};

struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
};

struct Scenario {
    const char* name;
    const wchar_t* version;  // reported Windows version
    bool notice;             // the notice window (no game) instead of a repair
};
const Scenario kScenarios[] = {{"repair on Windows 10", L"win10", false}, {"notice on Windows XP", L"winxp", true}};

// Plays one scenario with the launcher `exe` and the given Wine overrides; when `planted`,
// plants the fake system libraries first. Reads the window as a screen reader would, which
// makes the launcher load its accessibility libraries. Returns the names of planted copies
// that were loaded.
std::wstring Play(const Scenario& scenario, const std::wstring& exe, const std::wstring& overrides, bool planted) {
    InstalledGame game(true, 1500, exe);
    if (planted) {
        for (const wchar_t* name : kPlanted)
            EXPECT_TRUE(testenv::CopyInto(testenv::FixtureFile(L"qvx_planted.dll"), game.dir + name));
    }
    game.Register(game.dir, scenario.notice ? L"1" : L"0");
    {
        EnvScope env(L"WINEDLLOVERRIDES", std::wstring(kBaseOverrides) + (overrides.empty() ? L"" : L";") + overrides);
        testenv::SetWineVersion(scenario.version);
        game.Start();
        HWND w = game.WaitForWindow();
        testenv::SetWineVersion(L"");
        EXPECT_NE(nullptr, w);
        if (w != nullptr) {
            if (IAccessible* client = a11y::ClientOf(w)) {
                a11y::DumpTree(client);
                client->Release();
            }
            // Hovering the close / exit button shows its tooltip (the common controls).
            PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(scenario.notice ? 200 : 285, scenario.notice ? 160 : 15));
            Sleep(scenario.notice ? 1500 : 0);
            if (scenario.notice) PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
    EXPECT_EQ(0, game.Finish());
    if (scenario.notice) {
        Sleep(500);
        EXPECT_FALSE(game.GameStarted());
    } else {
        EXPECT_TRUE(testenv::WaitFor([&] { return game.GameStarted(); }, 30000));
    }
    std::wstring loaded;
    for (const wchar_t* name : kPlanted)
        if (testenv::FileExists(game.dir + name + L".loaded")) loaded += std::wstring(name) + L" ";
    return loaded;
}

}  // namespace

TEST(LauncherLibraries, CopiesPlantedBesideTheLauncherAreNeverLoaded) {
    ComScope com;
    // Wine takes its built-in libraries unless told to prefer a file ("n,b"): without that,
    // a planted copy would be ignored whatever the launcher did.
    std::wstring preferFiles;
    for (const wchar_t* name : kPlanted) {
        std::wstring bare(name);
        preferFiles += (preferFiles.empty() ? L"" : L",") + bare.substr(0, bare.size() - 4);
    }
    preferFiles += L"=n,b";
    // The shipped launcher restricts the loader's search where Windows offers it; its test
    // build does not, as on Windows XP, where only loading by full path keeps the copies out.
    const std::wstring exes[] = {testenv::LauncherExe(), testenv::BinaryDir() + L"TavrelStart_xploader.exe"};
    for (const std::wstring& exe : exes) {
        for (const Scenario& scenario : kScenarios) {
            SCOPED_TRACE(a11y::Utf8(exe) + ", " + scenario.name);
            EXPECT_EQ(L"", Play(scenario, exe, preferFiles, true));
        }
    }
}

TEST(LauncherLibraries, ADelayLoadedLibraryThatCannotLoadLeavesTheLauncherWorking) {
    ComScope com;
    for (const wchar_t* disabled : {L"gdiplus", L"oleacc", L"version"}) {
        for (const Scenario& scenario : kScenarios) {
            SCOPED_TRACE(a11y::Utf8(disabled) + " disabled, " + scenario.name);
            Play(scenario, testenv::LauncherExe(), std::wstring(disabled) + L"=", false);
        }
    }
}

// GDI+ is named in the manifest so that Windows XP finds it in its assembly store. A wrong
// identity makes XP refuse to start the exe with a side-by-side error that neither the import
// check nor Wine shows: every attribute is checked against the system's own values.
TEST(LauncherLibraries, ManifestNamesGdiplusExactlyAsWindowsKnowsIt) {
    const std::string image = testenv::ReadFile(testenv::LauncherExe());
    ASSERT_GT(image.size(), 0x200u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32), image.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    const char* arch = nt->FileHeader.Machine == IMAGE_FILE_MACHINE_I386 ? "x86" : "amd64";

    HMODULE exe = LoadLibraryExW(testenv::LauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(res, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, res))), SizeofResource(exe, res));
    FreeLibrary(exe);

    const size_t dependent = manifest.find("<dependentAssembly>");
    ASSERT_NE(dependent, std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("<dependentAssembly>", dependent + 1), std::string::npos) << "one assembly only";
    const size_t start = manifest.find("<assemblyIdentity", dependent);
    const std::string identity = manifest.substr(start, manifest.find("/>", start) - start);
    auto attribute = [&](const std::string& name) {
        const size_t at = identity.find(" " + name + "=\"");
        if (at == std::string::npos) return std::string("<absent>");
        const size_t from = at + name.size() + 3;
        return identity.substr(from, identity.find('"', from) - from);
    };
    const std::pair<const char*, std::string> kExpected[] = {{"type", "win32"},
                                                             {"name", "Microsoft.Windows.GdiPlus"},
                                                             {"version", "1.0.0.0"},
                                                             {"processorArchitecture", arch},
                                                             {"publicKeyToken", "6595b64144ccf1df"},
                                                             {"language", "*"}};
    for (const auto& expected : kExpected) EXPECT_EQ(attribute(expected.first), expected.second) << expected.first;
}
