#pragma once
// WindowImplBase: a skinned, borderless top-level window. At WM_CREATE it builds
// its control tree from a skin with CSkinBuilder and attaches it to its own paint
// manager; then it answers caption and resize-border hit tests, keeps the
// maximised size within the work area, shapes its region with the skin's round
// corners and handles the caption buttons ("closebtn", "minbtn", "maxbtn",
// "restorebtn") by name.

#include <windows.h>

#include "ui/core/notify_pump.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/skin_builder.h"
#include "ui/core/ui_events.h"
#include "ui/core/ui_string.h"
#include "ui/core/window_wnd.h"

namespace SkinUI {

class CControlUI;

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
public:
    WindowImplBase();

    // Virtual operations after the five of CWindowWnd, in this order.
    virtual ~WindowImplBase();                                        // 5
    virtual void OnPrepareHook();                                     // 6
    virtual void OnWindowReady();                                     // 7
    virtual void HandleClick(TUINotify& msg);                         // 8
    virtual bool IsStaticClassControl(CControlUI* control);           // 9
    virtual CUIString SkinResourceType() const;                       // 10
    virtual CUIString SkinFileName() const;                           // 11
    virtual LPCWSTR PaintManagerName() const;                         // 12
    virtual LRESULT AnswerDefaultKey(WPARAM vk);                      // 13
    virtual LRESULT HandleWmClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);          // 14
    virtual LRESULT HandleWmDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);        // 15
    virtual LRESULT HandleWmNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 16
    virtual LRESULT HandleWmNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 17
    virtual LRESULT HandleWmNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);        // 18
    virtual LRESULT HandleWmNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);      // 19
    virtual LRESULT HandleWmGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);  // 20
    virtual LRESULT HandleWmMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 21
    virtual LRESULT HandleWmMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 22
    virtual LRESULT HandleWmSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);           // 23
    virtual LRESULT HandleWmChar(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);           // 24
    virtual LRESULT HandleWmSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 25
    virtual LRESULT HandleWmCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);         // 26
    virtual LRESULT HandleWmKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);        // 27
    virtual LRESULT HandleWmKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);      // 28
    virtual LRESULT HandleWmSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);       // 29
    virtual LRESULT HandleWmLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);    // 30
    virtual LRESULT HandleWmLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);      // 31
    virtual LRESULT HandleWmMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);      // 32
    // Messages without a handler of their own. The flag arrives false here: set it to
    // true to end the handling with the returned result.
    virtual LRESULT HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);     // 33
    virtual UINT WindowStyle() const;                                 // 34

    // CWindowWnd
    UINT ClassStyle() const override;
    LRESULT ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnLastMessage(HWND hWnd) override;

    // INotifyUI, IMessageFilterUI, IDialogBuilderCallback, IQueryControlText
    void ReceiveNotify(TUINotify& msg) override;
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* CreateControl(const wchar_t* className) override;
    const wchar_t* QueryText(const wchar_t* id, const wchar_t* language) override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }

    // The text of the message box shown when the skin cannot be built.
    static CUIString SkinLoadFailureText(const wchar_t* skinFile);

protected:
    CPaintManagerUI m_pm;

    SKINUI_DECLARE_NOTIFY_MAP()
};

// Classes whose controls let a press in the caption area drag the window.
bool IsCaptionPassThroughClass(const wchar_t* className);

}  // namespace SkinUI
