// CComboUI: a field that shows the selected one of its items and, when opened,
// lists them all in a drop-down popup below it (above it when there is no room).
//
// The items are the combo's children in markup: any control with a text. They
// are not laid out or painted in the window; the drop-down list draws one row
// per item from its text with the combo's item looks, and scrolls with the
// framework's scroll bars when the rows exceed the drop-down height.
//
// Mouse: a press on the field opens or closes the drop-down; a click on a row
// selects it and closes. Keys (with the focus): F4 and Alt+Down open or close;
// Up, Down, Home, End, Page Up and Page Down move the selection, open or closed;
// Enter closes keeping the selection; Esc closes restoring the selection the
// drop-down opened with. The drop-down also closes on a press outside it, when
// the window loses activation or moves, and when the combo loses the focus.
//
// Notifications: "itemselect" (wParam the new index, lParam the old one; -1 for
// none), "dropdown" when the list opens and "dropup" when it closes.
//
// Attributes: "selectedid" (the selected index), "dropboxsize" (width,height of
// the drop-down; width 0 follows the combo, the height is the most it takes),
// "dropbox" (attributes of the drop-down list: bkcolor, bordercolor, inset,
// vscrollbarstyle, ...), the field's "normalimage", "hotimage", "pushedimage",
// "focusedimage", "disabledimage", "textpadding", "font", "textcolor",
// "disabledtextcolor", "align", and the rows' "itemheight", "itemfont",
// "itemalign", "itemtextpadding", "itemtextcolor", "itembkcolor", "itemimage",
// "itemhottextcolor", "itemhotbkcolor", "itemhotimage", "itemselectedtextcolor",
// "itemselectedbkcolor", "itemselectedimage", "itemdisabledtextcolor" and
// "itemlinecolor".
#pragma once

#include "ui/controls/container.h"
#include "ui/core/ui_events.h"
#include "ui/widgets/common/popup_window.h"

namespace SkinUI {

class CComboListUI;

// How the drop-down draws a row.
struct TComboItemLooks {
    int height = 0;  // unscaled; 0: the item font's height plus 8
    int font = -1;
    UINT textStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX;
    CUIRect textPadding = CUIRect(4, 0, 4, 0);  // unscaled
    DWORD textColor = 0;
    DWORD bkColor = 0;
    DWORD hotTextColor = 0;
    DWORD hotBkColor = 0;
    DWORD selectedTextColor = 0;
    DWORD selectedBkColor = 0;
    DWORD disabledTextColor = 0;
    DWORD lineColor = 0;
    CUIString image;
    CUIString hotImage;
    CUIString selectedImage;
};

class CComboUI : public CContainerUI, public IPopupListener, public IMessageFilterUI {
public:
    CComboUI();
    ~CComboUI() override;

    const wchar_t* GetClass() const override;          // "ComboUI"
    void* GetInterface(const wchar_t* name) override;  // "Combo"
    UINT GetControlFlags() const override;
    bool Activate() override;  // opens or closes the drop-down
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enable = true) override;
    CControlUI* FindMatching(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override;
    void DrawStateImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    // Selection: -1 for none. SelectItem refuses an index out of range or a disabled
    // item; with `notify` a change sends "itemselect".
    int GetCurSel() const { return m_iCurSel; }
    bool SelectItem(int index, bool notify = true);
    // The selected item's text (empty without a selection).
    CUIString GetSelectedText() const;

    bool IsDropped() const { return m_pPopup != nullptr; }
    bool OpenDropDown();
    // Closes the drop-down; `restore` puts back the selection it opened with.
    void CloseDropDown(bool restore = false);
    // The drop-down's list while it is open (tests, accessibility), else null.
    CComboListUI* GetDropList() const { return m_pList; }
    // The window that shows the drop-down, while it is open.
    HWND GetDropWindow() const { return m_pPopup != nullptr ? m_pPopup->GetHWND() : nullptr; }

    SIZE GetDropBoxSize() const { return m_szDropBox; }  // unscaled
    void SetDropBoxSize(SIZE size);
    const CUIString& GetDropBoxAttributes() const { return m_sDropBoxAttributes; }
    void SetDropBoxAttributes(const wchar_t* list);
    const TComboItemLooks& GetItemLooks() const { return m_item; }
    // A row's height in pixels, scaled.
    int GetItemHeight() const;

    // The drop-down list's calls.
    void PickFromList(int index);

    // IPopupListener
    void OnPopupClosed(CPopupWindow* popup, EPopupClose why) override;
    // IMessageFilterUI: Alt+Down and Alt+Up of the window while the combo has the focus.
    LRESULT FilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    // The field's text rectangle: the item rectangle less the text padding (scaled).
    virtual CUIRect TextRect() const;

    UINT m_uState;  // UISTATE_HOT, UISTATE_PUSHED
    int m_iFont;
    DWORD m_dwTextColor;
    DWORD m_dwDisabledTextColor;
    UINT m_uTextStyle;
    CUIRect m_rcTextPadding;  // unscaled
    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sPushedImage;
    CUIString m_sFocusedImage;
    CUIString m_sDisabledImage;

private:
    // The first enabled item from `index` on, going `step` (+1 or -1); -1 when none.
    int Selectable(int index, int step) const;
    // The selection keys; true when the key is one of them.
    bool MoveByKey(UINT key);
    bool ApplyItemAttribute(const wchar_t* name, const wchar_t* value);
    // The item list changed: the drop-down closes (its rows no longer match).
    void ItemsChanged();

    int m_iCurSel;
    int m_iOpenSel;  // the selection when the drop-down opened
    SIZE m_szDropBox;
    CUIString m_sDropBoxAttributes;
    TComboItemLooks m_item;
    CPopupWindow* m_pPopup;
    CComboListUI* m_pList;
    CPaintManagerUI* m_pFilterManager;  // where the Alt key filter is
};

}  // namespace SkinUI
