// CMenuUI: a skinned popup menu, built from markup, shown like the system's popup
// menus: each level in a top-level window of its own (CPopupWindow) that never
// takes activation from the window that opened it (the owner), with the
// framework's shadow.
//
// In markup a Menu holds MenuElement rows; a MenuElement with MenuElement
// children is a submenu. A Menu in a window's markup is never shown in place:
// it is the definition that opens when the button named by "trigger" is clicked
// (below the button, above it when there is no room), or when a program calls
// TrackPopup. A menu file (a Window root holding one Menu) opens with
// TrackPopupFrom; its rows use the owner window's fonts.
//
// Opening runs a modal loop until the menu closes, as the system's popup menus
// do, and returns the name of the chosen row (empty when nothing was chosen).
// After the menu has closed, the owner window gets "menuselect" with the chosen
// row as sender (wParam its index among its siblings).
//
// While open: the pointer highlights rows; resting on a submenu row for the
// system's menu show delay opens the submenu; a click chooses a row (or opens its
// submenu). Keys go to the innermost open level: Up and Down move over the
// selectable rows (separators and disabled rows are skipped) and wrap, Home and
// End; Right and Enter open a submenu (Enter chooses a plain row); Left and Esc
// close a submenu, Esc at the top closes the menu, as Alt and F10 do; a
// mnemonic letter chooses its row (or opens its submenu), or, when several rows
// share it, moves to the next of them. The menu closes on a press outside every
// level, when the owner loses activation or moves, and when the owner goes.
//
// Only one menu is open at a time: a TrackPopup while another runs returns at
// once, with nothing chosen.
//
// Attributes (besides bkcolor, bordercolor, bordersize, inset, bkimage, width as
// a least width): "trigger" (the name of the button that opens it), "itemheight"
// and "separatorheight" (unscaled; 0: the font's height plus 10, and 7),
// "itemfont", "itemtextcolor", "itemhottextcolor", "itemhotbkcolor",
// "itemhotimage", "itemdisabledtextcolor", "shortcuttextcolor",
// "separatorcolor", "checkimage", "arrowimage", "iconwidth" (the icon and check
// column, unscaled), "showdelay" (milliseconds a submenu waits for; default the
// system's) and "shadow" (false: no shadow).
#pragma once

#include <vector>

#include "ui/controls/container.h"
#include "ui/core/ui_events.h"
#include "ui/widgets/common/popup_window.h"

namespace SkinUI {

class CMenuElementUI;
class CMenuLevelUI;

// How the rows of a menu look (sizes unscaled).
struct TMenuLooks {
    int itemHeight = 0;
    int separatorHeight = 7;
    int iconWidth = 28;
    int font = -1;
    DWORD textColor = 0xFF1A1A1A;
    DWORD hotTextColor = 0xFF000000;
    DWORD hotBkColor = 0xFFCCE4F7;
    DWORD disabledTextColor = 0xFF9A9A9A;
    DWORD shortcutTextColor = 0xFF6A6A6A;
    DWORD separatorColor = 0xFFD8D8D8;
    CUIString hotImage;
    CUIString checkImage;
    CUIString arrowImage;
};

class CMenuUI : public CContainerUI, public IPopupListener, public IMessageFilterUI, public INotifyUI {
public:
    CMenuUI();
    ~CMenuUI() override;

    const wchar_t* GetClass() const override;          // "MenuUI"
    void* GetInterface(const wchar_t* name) override;  // "Menu"
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetVisible(bool visible = true) override;  // never shown in place
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    // Opens the menu at a point of the screen (right and below it, flipped left or up
    // where the work area has no room), runs until it closes and returns the name of
    // the chosen row; empty when nothing was chosen, when the owner has no window, when
    // the menu has no rows, or when a menu is open already.
    CUIString TrackPopup(CPaintManagerUI* owner, POINT screenPt);
    // As TrackPopup, below the screen rectangle `anchor` (above it when there is no room).
    // A press inside the anchor closes the menu without reaching the window.
    CUIString TrackPopupBelow(CPaintManagerUI* owner, const RECT& anchor);
    // Builds the Menu of a skin file or markup text (a root element holding a Menu) and
    // tracks it at `screenPt`.
    static CUIString TrackPopupFrom(CPaintManagerUI* owner, const wchar_t* skin, POINT screenPt);

    // Opens the menu without waiting: it runs on the owner's message loop, and the
    // chosen row reaches the owner as "menuselect" only. False as for TrackPopup.
    bool Popup(CPaintManagerUI* owner, POINT screenPt);
    bool PopupBelow(CPaintManagerUI* owner, const RECT& anchor);
    // Closes every open level; nothing is chosen.
    void Close();
    bool IsOpen() const { return !m_levels.empty(); }
    // Why the menu closed the last time (kProgram also for a choice).
    EPopupClose GetCloseReason() const { return m_eClosed; }
    // The menu open in this thread, if any.
    static CMenuUI* GetOpenMenu();

    // Open levels (0: the menu, then its submenus), their windows and roots.
    int GetLevelCount() const { return static_cast<int>(m_levels.size()); }
    HWND GetLevelWindow(int level) const;
    CMenuLevelUI* GetLevelRoot(int level) const;
    // The highlighted row of a level, or null.
    CMenuElementUI* GetHotItem(int level) const;

    const TMenuLooks& GetLooks() const { return m_looks; }
    const CUIString& GetTrigger() const { return m_sTrigger; }
    // The manager whose fonts the rows use: the menu's own, else the owner's.
    CPaintManagerUI* GetFontManager() const;

    // Where a menu of `size` opened at `pt` goes in `work`: right of and below the point,
    // else left of or above it, else on the roomier side, cut to it.
    static RECT PlaceAtPoint(POINT pt, SIZE size, const RECT& work);

    // The keyboard while open: WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR or WM_SYSCHAR. True when taken.
    bool HandleKey(UINT msg, WPARAM key);

    // The rows' calls.
    void HoverItem(CMenuElementUI* item);
    void HoverElapsed(CMenuElementUI* item);
    void LeaveItem(CMenuElementUI* item);
    void InvokeItem(CMenuElementUI* item);
    void ItemGone(CMenuElementUI* item);

    // IPopupListener
    void OnPopupClosed(CPopupWindow* popup, EPopupClose why) override;
    // IMessageFilterUI: keys sent to the owner while the menu is open.
    LRESULT FilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // INotifyUI: "click" of the trigger button.
    void ReceiveNotify(TUINotify& msg) override;

private:
    struct TLevel {
        CPopupWindow* popup;
        CMenuLevelUI* root;
        CContainerUI* source;  // the menu or the row whose rows the level shows; null once gone
        CMenuElementUI* hot;
    };

    bool Open(CPaintManagerUI* owner, const RECT& anchor, bool atPoint);
    CUIString RunLoop();
    // Opens a level with the rows of `source` next to `anchor`; false when it has none.
    bool OpenLevel(CContainerUI* source, const RECT& anchor, int how);
    void CloseLevelsFrom(int level);
    // The level that shows `item`, or -1.
    int LevelOf(const CControlUI* item) const;
    void SetHot(int level, CMenuElementUI* item);
    // Moves the highlight of a level by `step` rows over the selectable ones, wrapping.
    void MoveHot(int level, int step, bool fromEnd = false);
    void OpenSubmenu(CMenuElementUI* item, bool selectFirst);
    void Choose(CMenuElementUI* item);
    void ApplyShadow(CPaintManagerUI& pm) const;
    UINT ShowDelay() const;
    // The row's index among its parent's children, or -1.
    static int GetItemIndexAnywhere(CControlUI* row);

    TMenuLooks m_looks;
    CUIString m_sTrigger;
    int m_nShowDelay;  // -1: the system's
    bool m_bShadow;
    std::vector<TLevel> m_levels;
    CPaintManagerUI* m_pOwner;
    CPaintManagerUI* m_pNotifyManager;  // where the trigger's clicks are heard
    RECT m_rcAnchor;
    bool m_bAnchored;  // opened below a rectangle
    CMenuElementUI* m_pChosen;
    CUIString m_sChosen;
    bool m_bTracking;  // a modal loop runs
    bool m_bOwnerGone;
    bool m_bDying = false;
    EPopupClose m_eClosed = EPopupClose::kProgram;
    bool* m_pAlive = nullptr;  // the running loop's: cleared when the menu is destroyed under it
};

}  // namespace SkinUI
