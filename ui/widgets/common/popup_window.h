// CPopupWindow: a top-level window of the framework that shows a control tree
// for another window (its owner) without taking activation from it: a combo's
// drop-down list, a menu and its submenus.
//
// The popup is owned by the owner's window and never becomes active: the
// keyboard stays with the owner, whose focused control drives the popup. It
// closes when the user presses a mouse button outside it (in the owner or in
// any other window of the thread), when the owner loses activation, moves or
// goes, or when the program closes it. A press inside the pass-through
// rectangle (the control that opened it) is left to that control.
//
// Popups chain: a popup opened from another one (a submenu) names it as its
// parent. A press in the parent closes the child only; closing a popup closes
// its children first.
//
// The object belongs to its window: it is made by Create and deleted when the
// window is destroyed. After Close (or the listener's OnPopupClosed) the pointer
// must not be used again.
#pragma once

#include <windows.h>

#include "ui/core/paint_manager.h"
#include "ui/core/ui_events.h"
#include "ui/core/window_wnd.h"

namespace SkinUI {

class CControlUI;
class CPopupWindow;

// Why a popup closed.
enum class EPopupClose {
    kProgram,           // Close() called
    kOutsideClick,      // a mouse button pressed outside the popup chain
    kOwnerDeactivated,  // the owner lost activation, moved or was cancelled
    kOwnerGone,         // the owner window was destroyed
};

// Where a popup goes next to its anchor rectangle.
enum class EPopupSide {
    kBelow,  // under the anchor, left edges aligned (above it when there is no room below)
    kRight,  // right of the anchor, top edges aligned (left of it when there is no room right)
};

class IPopupListener {
public:
    // The popup has closed (hidden, its filters removed); it destroys itself next.
    virtual void OnPopupClosed(CPopupWindow* popup, EPopupClose why) = 0;

protected:
    ~IPopupListener() = default;
};

class CPopupWindow final : public CWindowWnd, public IMessageFilterUI {
public:
    // A hidden popup owned by the window of `owner` (for a submenu: the parent popup's
    // manager, with `parent` set). Its paint manager has the owner's DPI scale and never
    // activates the window. Null when the owner has no window or the window fails.
    static CPopupWindow* Create(CPaintManagerUI* owner, CPopupWindow* parent, IPopupListener* listener);

    CPaintManagerUI& GetPaintManager() { return m_pm; }
    CPopupWindow* GetParentPopup() const { return m_pParent; }
    bool IsClosed() const { return m_bClosed; }

    // Presses inside this rectangle (screen pixels) do not close the popup.
    void SetPassThrough(const RECT& screen) { m_rcPassThrough = screen; }
    // Places the popup by `side` of `anchor` (screen pixels) within the anchor's monitor
    // work area, sized `size` (shrunk to the room there is), and shows it without
    // activating it.
    void ShowAt(const RECT& anchor, SIZE size, EPopupSide side);
    // Closes the popup chain from here (children first) and tells the listener. The
    // window is destroyed now, or, when this runs inside the popup's own message
    // handling, as soon as that handling ends.
    void Close(EPopupClose why = EPopupClose::kProgram);
    // As Close, without telling the listener (the listener is going away).
    void Abandon();

    // The placement rule of ShowAt: the rectangle a popup of `size` takes by `side` of
    // `anchor` inside `work`. It goes below (right) when it fits there, else above (left)
    // when it fits there, else on the side with more room, cut to that room; along the
    // other axis it is moved back into the work area.
    static RECT Place(const RECT& anchor, SIZE size, const RECT& work, EPopupSide side);

    // CWindowWnd
    LPCWSTR ClassName() const override;
    UINT ClassStyle() const override;
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnLastMessage(HWND hWnd) override;
    // IMessageFilterUI: messages of the owner's window.
    LRESULT FilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    CPopupWindow(CPaintManagerUI* owner, CPopupWindow* parent, IPopupListener* listener);
    ~CPopupWindow();

    void Shut(EPopupClose why, bool tell);
    // True when the window `hwnd` is this popup or one opened from it.
    bool IsInChain(HWND hwnd) const;
    // A press at `screen` on `hwnd`: closes the popup when it is outside.
    void PressAt(HWND hwnd, POINT screen);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);

    CPaintManagerUI m_pm;
    CPaintManagerUI* m_pOwner;
    CPopupWindow* m_pParent;
    IPopupListener* m_pListener;
    RECT m_rcPassThrough = {};
    RECT m_rcOwner = {};  // the owner window where it stood when the popup opened
    int m_nDepth = 0;  // nesting of ProcessMessage
    bool m_bClosed = false;
    bool m_bDestroyPending = false;
};

}  // namespace SkinUI
