// One window phase of the run: create a launcher window, place it, run the message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/core/window_impl_base.h"

inline constexpr DWORD kLauncherWindowStyle = 0x10CF0000;  // WS_VISIBLE | WS_OVERLAPPEDWINDOW
inline constexpr int kRepairWindowMargin = 50;

// Moves a window, without resizing, activating or changing its Z order, so that its
// right and bottom edges sit `margin` pixels inside the nearest monitor's work area.
void MoveToBottomRight(HWND window, int margin);

// Creates the window (0,0 800x572; the skin sets the real size), centres it, lets
// `placed` finish the placement and start helpers, then runs the message loop until the
// window is gone. A window that cannot be created skips the phase: returns false at once.
bool RunWindowPhase(SkinUI::WindowImplBase& window, const std::wstring& title,
                    const std::function<void(HWND)>& placed = {});

// The two phases of the launcher.
void RunRepairWindowPhase(const std::wstring& title);
void RunNoticeWindowPhase(const std::wstring& title);
