// CMenuElementUI: one row of a skinned popup menu (CMenuUI): a command, a check
// item, a separator, or (with MenuElement children) the parent of a submenu.
//
// The text may carry a mnemonic: the letter after a single "&" ("&Open"; "&&" is
// a literal ampersand) is underlined, and pressing it while the menu is open
// chooses the row (or opens its submenu). The children of an element are its
// submenu: they are neither placed, painted nor hit here; the menu moves them
// into a window of their own while the submenu is open.
//
// Attributes: "text", "shortcuttext" (right-aligned key text such as "Ctrl+O"),
// "checked", "separator", "icon" (an image description drawn in the icon
// column), and the control's "name", "enabled", "visible".
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CMenuUI;

class CMenuElementUI : public CContainerUI {
public:
    CMenuElementUI();
    ~CMenuElementUI() override;

    const wchar_t* GetClass() const override;          // "MenuElementUI"
    void* GetInterface(const wchar_t* name) override;  // "MenuElement"
    UINT GetControlFlags() const override;
    bool Activate() override;  // chooses the row (opens its submenu) in an open menu
    void SetText(const wchar_t* text) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    bool Add(CControlUI* control) override;  // a submenu row: hidden here
    bool AddAt(CControlUI* control, int index) override;
    int GetFixedHeight() const override;  // the row height of its kind, scaled
    SIZE MeasureDesired(SIZE available) override;
    CControlUI* FindMatching(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override;
    void DrawStateImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;

    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return m_bSeparator; }
    void SetSeparator(bool separator);
    const CUIString& GetShortcutText() const { return m_sShortcutText; }
    void SetShortcutText(const wchar_t* text);
    const CUIString& GetIcon() const { return m_sIcon; }
    // The upper-case mnemonic letter of the text, or 0.
    wchar_t GetMnemonic() const { return m_chMnemonic; }
    // The text as read aloud and measured: without the mnemonic marks.
    CUIString GetPlainText() const;
    // True for a row with submenu rows (counted whether or not the submenu is open).
    bool HasSubmenu() const;
    // A row that keys and clicks can land on: visible, enabled, not a separator.
    bool IsSelectable() const;
    // The width the row needs for its icon column, text, shortcut text and arrow (pixels).
    int MeasureWidth(HDC dc) const;

    // The menu's calls: the open menu the row is shown by (null when closed), its
    // highlight, and the submenu rows it holds while they are shown elsewhere.
    CMenuUI* GetTracker() const { return m_pTracker; }
    void SetTracker(CMenuUI* menu) { m_pTracker = menu; }
    bool IsHot() const { return m_bHot; }
    void SetHot(bool hot);
    void SetSubmenuOut(int count) { m_nSubmenuOut = count; }

    // The menu that owns this row's looks: its tracker, else the nearest Menu above it.
    CMenuUI* FindMenu() const;

private:
    CMenuUI* m_pTracker;
    CUIString m_sShortcutText;
    CUIString m_sIcon;
    wchar_t m_chMnemonic;
    int m_nSubmenuOut;  // submenu rows moved out into an open submenu
    bool m_bChecked;
    bool m_bSeparator;
    bool m_bHot;
};

}  // namespace SkinUI
