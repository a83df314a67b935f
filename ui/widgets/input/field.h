// CFieldUI: the common part of the input fields. A label drawn by the framework with
// images for its states, which may host a system control (an edit or IP-address field)
// as a child of its paint window while it has the focus: that window then takes the
// keys, and shows the caret, the selection and the input method's composition.
//
// State images: "normalimage", "hotimage", "focusedimage" and "disabledimage" (the
// normal one stands in for any missing). "nativebkcolor" fills the hosted window
// (default white); its text takes "textcolor" and the label's font, and sits where the
// label draws its text: the item less "textpadding" and the border, vertically centred.
//
// Layered windows: the system never draws a child of a layered window; the paint
// manager prints the hosted window (listed with AddNativeWindow) into the window's
// picture whenever the field repaints, and the field repaints after every key, click
// or text change in it. The system caret is not part of that picture, so the field
// draws the caret itself, into the printed picture, at the position the system keeps
// for it (GetCaretPos), blinking with a control timer at the system's blink rate.
// In other windows the system draws the caret; the paint window should clip its
// children (WS_CLIPCHILDREN, as the window base sets).
#pragma once

#include "ui/controls/gdi_guards.h"
#include "ui/controls/label.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/hosted_window.h"

namespace SkinUI {

// Field state bits.
enum EUIFieldState : UINT {
    UIFIELD_HOT = 0x1,
};

class CFieldUI : public CLabelUI, protected IHostedWindowOwner {
public:
    CFieldUI();
    ~CFieldUI() override;

    void* GetInterface(const wchar_t* name) override;  // "Field", and the label's
    UINT GetControlFlags() const override;             // a tab stop; its own cursor
    void SetEnabled(bool enable = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;

    const CUIString& GetNormalImage() const { return m_sNormalImage; }
    void SetNormalImage(const wchar_t* image);
    const CUIString& GetHotImage() const { return m_sHotImage; }
    void SetHotImage(const wchar_t* image);
    const CUIString& GetFocusedImage() const { return m_sFocusedImage; }
    void SetFocusedImage(const wchar_t* image);
    const CUIString& GetDisabledImage() const { return m_sDisabledImage; }
    void SetDisabledImage(const wchar_t* image);
    DWORD GetNativeBkColor() const { return m_dwNativeBkColor; }
    void SetNativeBkColor(DWORD color);
    UINT GetFieldState() const { return m_uFieldState; }

    // What a screen reader reads of it (asked by the rules of edit_accessible.h): an
    // editable text by default, named by "accname", else its tooltip, never by its text,
    // which is its value.
    virtual LONG AccessibleRole() const;
    virtual void DescribeAccessible(TUIAccessibleInfo& info) const;

    // The hosted window while it is open (null otherwise).
    HWND GetHostWindow() const { return m_host.Get(); }

protected:
    // The system class to host (null: the field never hosts a window) and its style.
    virtual const wchar_t* HostClass() const { return nullptr; }
    virtual DWORD HostStyle() const { return 0; }
    // The window was just made: give it the text, limits and so on.
    virtual void HostOpened() {}
    // The window is about to close: take what it holds.
    virtual void HostClosing() {}
    // Where the hosted window goes, in client pixels.
    virtual RECT HostRect() const;

    // Opens the hosted window when the field is focused, shown and placed; true when open.
    bool OpenHost();
    // Closes it; `readBack` false skips HostClosing (the destructor, where no derived part is left).
    void CloseHost(bool readBack = true);
    // Gives the keyboard focus to the open window unless it (or a child of it) has it.
    void FocusHost();
    // The layered window's picture shows the hosted window as it is now.
    void RefreshLayered();
    // The text colour for the hosted window; pure black would read as a transparent pixel
    // in a layered window's picture, so there it is taken one step lighter.
    COLORREF HostTextColor();

    // IHostedWindowOwner: colours, and the layered window's caret and refresh.
    LRESULT HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void HostedMessageDone(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HostedWindowGone() override;

    CHostedWindow m_host;
    UINT m_uFieldState;

private:
    void DrawLayeredCaret(HDC dc);
    void NoteLayeredCaret(bool start);

    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sFocusedImage;
    CUIString m_sDisabledImage;
    DWORD m_dwNativeBkColor;
    CGdiObject<HBRUSH> m_brush;
    bool m_bClosing;
    bool m_bCaretOn;
    bool m_bCaretTimer;
};

}  // namespace SkinUI
