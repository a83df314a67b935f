// Records and listener interfaces that pass between the paint manager, the
// controls and the windows: notifications, input events and timer records.
#pragma once

#include <windows.h>

#include "ui/core/ui_string.h"

namespace SkinUI {

class CControlUI;

// Kinds of input events that the paint manager raises on controls. The numbers
// are fixed; gaps are kinds the framework does not raise.
enum EUIEventKind {
    UIEVENT_KEYDOWN = 3,
    UIEVENT_KEYUP = 4,
    UIEVENT_CHAR = 5,
    UIEVENT_SYSKEY = 6,
    UIEVENT_MOUSEMOVE = 9,
    UIEVENT_MOUSELEAVE = 10,
    UIEVENT_MOUSEENTER = 11,
    UIEVENT_MOUSEHOVER = 12,
    UIEVENT_BUTTONDOWN = 13,
    UIEVENT_BUTTONUP = 14,
    UIEVENT_RBUTTONDOWN = 15,
    UIEVENT_RBUTTONUP = 16,
    UIEVENT_MBUTTONDOWN = 17,
    UIEVENT_MBUTTONUP = 18,
    UIEVENT_DBLCLICK = 19,
    UIEVENT_CONTEXTMENU = 20,
    UIEVENT_SCROLLWHEEL = 21,
    UIEVENT_KILLFOCUS = 23,
    UIEVENT_SETFOCUS = 24,
    UIEVENT_WINDOWSIZE = 25,
    UIEVENT_SETCURSOR = 26,
    UIEVENT_TIMER = 27,
};

// Key-state mask bits of TUIEvent::wKeyState when built from the keyboard state.
enum EUIKeyState {
    UIKEYSTATE_LBUTTON = 1,
    UIKEYSTATE_RBUTTON = 2,
    UIKEYSTATE_SHIFT = 4,
    UIKEYSTATE_CONTROL = 8,
    UIKEYSTATE_ALT = 32,
};

// One input event routed to a control.
struct TUIEvent {
    int Type = 0;                    // an EUIEventKind value
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;           // GetTickCount when raised
    POINT ptMouse = {0, 0};          // client coordinates
    wchar_t chKey = 0;               // character or virtual-key code
    WORD wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One control notification ("windowinit", "click", "timer", ...).
struct TUINotify {
    CUIString sType;
    CUIString sVirtualWnd;           // sender's virtual window name, when in use
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;           // GetTickCount at sending
    POINT ptMouse = {0, 0};          // the manager's last mouse position
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A control timer of a paint manager.
struct TTimerInfo {
    CControlUI* pSender = nullptr;
    UINT nLocalID = 0;               // the control's own timer number (key)
    HWND hWnd = nullptr;
    UINT uWinTimer = 0;              // id given to SetTimer
    bool bKilled = false;
};

// Receives notifications delivered by a paint manager.
class INotifyUI {
public:
    virtual void ReceiveNotify(TUINotify& msg) = 0;

protected:
    ~INotifyUI() = default;
};

// Sees window messages before the paint manager handles them. Setting
// `bHandled` ends the handling; the return value becomes the message result.
class IMessageFilterUI {
public:
    virtual LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

// Offered every message of the loop before translation; returns 0 when it
// translated (consumed) the message.
class ITranslateAccelerator {
public:
    virtual LRESULT TranslateAccelerator(MSG* pMsg) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

}  // namespace SkinUI
