// CHostedWindow: the owner of a system control (an edit field, an IP-address field) that a
// skinned control shows as a child of its paint window while it has the focus.
//
// The window is subclassed: every message is offered to the owner first, then handled
// by the system's own procedure. The owner may destroy the host from inside one of
// those messages (a notification listener deleting the control, say): the window then
// is handed back to its own procedure, hidden and closed through its message queue,
// so that the system code still on the stack never runs on a destroyed window.
#pragma once

#include <windows.h>

namespace SkinUI {

class IHostedWindowOwner {
public:
    // Before the system's procedure; `handled` answers the message here.
    virtual LRESULT HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
    // After the system's procedure (not called once the host is gone).
    virtual void HostedMessageDone(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The window went without the host closing it (its parent was destroyed).
    virtual void HostedWindowGone() = 0;

protected:
    ~IHostedWindowOwner() = default;
};

class CHostedWindow {
public:
    explicit CHostedWindow(IHostedWindowOwner* owner) : m_owner(owner) {}
    ~CHostedWindow() { Destroy(); }
    CHostedWindow(const CHostedWindow&) = delete;
    CHostedWindow& operator=(const CHostedWindow&) = delete;

    // Creates a child window of `parent` (client coordinates) and subclasses it.
    bool Create(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rc);
    // Closes the window; the keyboard focus, when the window had it, goes to the parent.
    void Destroy();
    HWND Get() const { return m_hwnd; }
    bool IsOpen() const { return m_hwnd != nullptr; }
    // SendMessageW to the window; 0 when closed.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Calls the system's procedure of the window directly (no owner in between).
    LRESULT CallSystem(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    IHostedWindowOwner* m_owner;
    HWND m_hwnd = nullptr;
    WNDPROC m_system = nullptr;
    int m_depth = 0;          // messages of the window being handled now
    bool* m_gone = nullptr;   // the innermost handler's "host destroyed" flag
};

}  // namespace SkinUI
