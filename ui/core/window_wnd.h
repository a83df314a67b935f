#pragma once
// CWindowWnd: one top-level Win32 window bound to a C++ object. The object is the
// window's creation parameter; every message of the window reaches ProcessMessage.

#include <windows.h>

namespace SkinUI {

class CWindowWnd {
public:
    CWindowWnd();

    // Slot 0: the window class name (each window class supplies it).
    virtual LPCWSTR ClassName() const = 0;
    // Slot 1: a class to superclass, or null to register an own class.
    virtual LPCWSTR SuperClassName() const;
    // Slot 2: class style of an own class.
    virtual UINT ClassStyle() const;
    // Slot 3: the message handler; the default passes to the previous window procedure.
    virtual LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Slot 4: called after WM_NCDESTROY, when the window and object are unlinked.
    virtual void OnLastMessage(HWND hWnd);

    HWND CreateWnd(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, int x, int y,
                   int cx, int cy, HMENU menu = nullptr);
    HWND CreateWnd(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, const RECT& rc,
                   HMENU menu = nullptr);

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    void CenterOnOwner();
    void ShowWnd(bool show = true, bool takeFocus = true);
    void PostClose(UINT code = 0);
    void SetWindowIcon(UINT iconResId);

    LRESULT SendMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The two window procedures: own class (object in the user data) and superclass
    // (object in the "WndX" property).
    static LRESULT CALLBACK OwnClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SuperClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Not deleted through this base; derived window classes own the virtual destructor.
    ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    bool RegisterOwnClass();
    bool RegisterSuperClass();

    HWND m_hWnd = nullptr;
    WNDPROC m_prevWndProc = ::DefWindowProcW;

private:
    HICON m_bigIcon = nullptr;    // icons handed to the window by SetWindowIcon
    HICON m_smallIcon = nullptr;
};

// Centring arithmetic of CenterOnOwner, kept apart so it can be checked without windows:
// the top-left corner of a w x h window centred on `centre` and clamped into `work`.
POINT CenterRectIn(const RECT& centre, const RECT& work, int w, int h);

}  // namespace SkinUI
