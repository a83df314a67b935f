// Real windows for paint-manager and window-base tests: a host window that
// hands every message to its paint manager, event and notification recorders,
// and a message pump.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/window_wnd.h"

namespace wintest {

// One shared, ordered log of what happened ("enter:a", "note:windowinit", ...).
struct EventLog {
    std::vector<std::string> lines;
    void Add(const std::string& s) { lines.push_back(s); }
    void Clear() { lines.clear(); }
    // Lines that start with `prefix`, in order.
    std::vector<std::string> With(const std::string& prefix) const;
    bool Contains(const std::string& line) const;
};

// Short names of the event kinds the manager raises ("down", "up", "enter", ...).
std::string EventName(int kind);
std::string Narrow(const wchar_t* s);

// Records the events a control receives as "<event>:<tag>" and lets them through.
class EventRecorder {
public:
    EventRecorder(EventLog* log, const std::string& tag) : m_log(log), m_tag(tag) {}
    bool OnEvent(void* param);
    // Attaches itself to `control`'s event listeners.
    void Attach(SkinUI::CControlUI* control);

private:
    EventLog* m_log;
    std::string m_tag;
};

// A borderless popup whose messages all go to its paint manager first; records the
// notifications it receives as "note:<type>:<sender name>".
class HostWindow final : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
public:
    explicit HostWindow(EventLog* log) : m_log(log) {}
    ~HostWindow();

    LPCWSTR ClassName() const override { return L"SkinUITestHost"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ReceiveNotify(SkinUI::TUINotify& msg) override;

    // Creates the window at (x, y) with the client size cx x cy and binds the manager.
    bool Open(int x, int y, int cx, int cy);
    // Builds `markup` (a skin text starting with "<") and attaches it.
    SkinUI::CControlUI* Attach(const wchar_t* markup);
    // Shows the window and paints it once (synchronously).
    void ShowAndPaint();

    SkinUI::CPaintManagerUI pm;
    int erasedBackground = 0;  // WM_ERASEBKGND that reached the default procedure

private:
    EventLog* m_log;
};

// Dispatches every queued message of this thread (optionally for a while).
void Pump(DWORD forMs = 0);

// The colour at a client point of the window as it paints itself (WM_PRINTCLIENT into a
// memory bitmap of the client's size).
COLORREF ClientPixel(HWND hWnd, int x, int y);

// Sends a mouse message with a client point.
LRESULT SendMouse(HWND hWnd, UINT msg, int x, int y, WPARAM wParam = 0);

}  // namespace wintest
