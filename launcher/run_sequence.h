// The launcher's one pass: guard, start-up, compatibility, repair, game start, teardown.
#pragma once
#include <windows.h>

#include <string>

#include "launcher/launcher_services.h"

namespace launcher {

inline constexpr wchar_t kGuardName[] = L"GameQVXMain";
inline constexpr wchar_t kDisplayName[] = L"Tavrel";
inline constexpr wchar_t kGameExe[] = L"qvx.exe";
inline constexpr wchar_t kGameWindowClass[] = L"GLFW30";
inline constexpr wchar_t kMarkerNeedsRepair[] = L"0";
inline constexpr int kInstalledState = 5;  // INSTALLSTATE_DEFAULT
inline constexpr const wchar_t* kRuntimeProducts[] = {
    L"{74d0e5db-b326-4dae-a6b2-445b9de1836e}",
    L"{A2563E55-3BEC-3828-8D67-E5E8B9E8B675}",
    L"{BE960C1C-7BAD-3DE6-8B1A-2616FE532845}",
};

// True when the marker still asks for a repair and none of the runtime products is
// installed. Products are queried in order and only while needed.
bool RepairNeeded(const LauncherServices& s);

// Starts the game from the install directory (or the launcher's own directory) and
// raises an existing game window when it is hidden or minimised.
void StartGame(const LauncherServices& s);

// The whole run with the given services. Always returns 0.
int RunLauncherWith(HINSTANCE instance, const LauncherServices& s);

}  // namespace launcher

// The process entry: the run with the real services.
int RunLauncher(HINSTANCE instance);
