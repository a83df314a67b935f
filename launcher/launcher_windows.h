// The launcher's two skinned windows: the runtime repair progress window and the
// unsupported-system notice.
#pragma once
#include <windows.h>

#include "ui/core/window_impl_base.h"

namespace SkinUI {
class CProgressUI;
}

inline constexpr wchar_t kLauncherWindowClass[] = L"Start";
inline constexpr UINT kLauncherClassStyle = CS_DBLCLKS;
inline constexpr UINT kLauncherIconId = 107;
inline constexpr UINT kProgressTimerId = 256;
inline constexpr UINT kProgressTimerPeriodMs = 300;
inline constexpr int kProgressStart = 10;
inline constexpr int kProgressStep = 3;
inline constexpr int kProgressStepBelow = 80;

// True for the names of the buttons that close a launcher window, in any letter case.
bool IsLauncherCloseButton(const wchar_t* name);

// Shared behaviour of both windows: class, icon, quit on destroy, close buttons.
class CLauncherWndBase : public SkinUI::WindowImplBase {
public:
    LPCWSTR ClassName() const override { return kLauncherWindowClass; }
    UINT ClassStyle() const override { return kLauncherClassStyle; }
    LRESULT HandleWmDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // Esc clicks the window's close button.
    LRESULT HandleWmKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

protected:
    // Destroys the window when a close button was clicked; true when it did.
    bool CloseOnButton(SkinUI::TUINotify& msg);

private:
    bool m_painted = false;  // the first WM_PAINT was handled
};

class CMainWnd : public CLauncherWndBase {
public:
    void OnWindowReady() override;
    SkinUI::CUIString SkinFileName() const override { return L"msg_fix_tips.xml"; }
    void ReceiveNotify(SkinUI::TUINotify& msg) override;

    SkinUI::CProgressUI* Progress() const { return m_progress; }

private:
    SkinUI::CProgressUI* m_progress = nullptr;  // owned by the control tree

    SKINUI_DECLARE_NOTIFY_MAP()
};

class CNoTipsWnd : public CLauncherWndBase {
public:
    void OnWindowReady() override;
    SkinUI::CUIString SkinFileName() const override { return L"msg_xp_tips.xml"; }
    void ReceiveNotify(SkinUI::TUINotify& msg) override;

    SKINUI_DECLARE_NOTIFY_MAP()
};
