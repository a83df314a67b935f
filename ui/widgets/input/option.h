// COptionUI: a button with a selected state, the framework's radio button.
//
// Options that share a "group" name in one window are mutually exclusive:
// selecting one deselects the others. Clicking an option of a group, or Space
// while it has the focus, selects it; the arrow keys move the selection (and
// the focus) to the previous or next option of its group, as radio buttons do,
// and Tab enters a group at its selected option. An option without a group
// toggles. Every change of the state sends "selectchanged" (wParam 1 when the
// option became selected, 0 when it lost the selection).
//
// The selected state has looks of its own, drawn in place of the button's when
// set: "selectedimage" (with "selectedhotimage", "selectedpushedimage" and
// "selecteddisabledimage" for those states), "selectedforeimage",
// "selectedbkcolor", "selectedtextcolor" and "selectedfont". "selected" sets the
// state from markup without a notification.
#pragma once

#include "ui/controls/button.h"
#include "ui/core/accessible_model.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;

    const wchar_t* GetClass() const override;          // "OptionUI"
    void* GetInterface(const wchar_t* name) override;  // "Option"
    UINT GetControlFlags() const override;
    bool Activate() override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawBackColor(HDC dc) override;
    void DrawStateImage(HDC dc) override;
    void DrawForeImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;

    // What a screen reader reads of it (asked by the rules of choice_accessible.h): a
    // radio button, or a check box when it toggles, with its checked state and default
    // action. Role 0 for an option bound to a tab layout: the layouts' rules make that a
    // page tab.
    LONG AccessibleRole() const;
    void DescribeAccessible(TUIAccessibleInfo& info) const;

    bool IsSelected() const { return m_bSelected; }
    // Selects or deselects; selecting deselects the rest of the group. With `notify`
    // every option that changes sends "selectchanged".
    void Selected(bool selected, bool notify = true);
    const CUIString& GetGroup() const { return m_sGroupName; }
    // Leaves the old group and joins the new one (empty: none).
    void SetGroup(const wchar_t* group);

    const CUIString& GetSelectedImage() const { return m_sSelectedImage; }
    void SetSelectedImage(const wchar_t* image);
    const CUIString& GetSelectedHotImage() const { return m_sSelectedHotImage; }
    void SetSelectedHotImage(const wchar_t* image);
    const CUIString& GetSelectedPushedImage() const { return m_sSelectedPushedImage; }
    void SetSelectedPushedImage(const wchar_t* image);
    const CUIString& GetSelectedDisabledImage() const { return m_sSelectedDisabledImage; }
    void SetSelectedDisabledImage(const wchar_t* image);
    const CUIString& GetSelectedForeImage() const { return m_sSelectedForeImage; }
    void SetSelectedForeImage(const wchar_t* image);
    DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }
    void SetSelectedBkColor(DWORD color);
    DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }
    void SetSelectedTextColor(DWORD color);
    int GetSelectedFont() const { return m_iSelectedFont; }
    void SetSelectedFont(int font);

protected:
    // Check boxes: activation toggles, the arrow keys are not theirs, each is a tab stop.
    bool m_bToggles;

private:
    void JoinGroup();
    void LeaveGroup();
    // The arrow keys: the selection moves `step` options on in the group, wrapping.
    bool MoveInGroup(int step);
    // Another member of the group that holds the selection, or null.
    COptionUI* SelectedPeer() const;

    bool m_bSelected;
    CUIString m_sGroupName;
    CPaintManagerUI* m_pGroupManager;
    CUIString m_sSelectedImage;
    CUIString m_sSelectedHotImage;
    CUIString m_sSelectedPushedImage;
    CUIString m_sSelectedDisabledImage;
    CUIString m_sSelectedForeImage;
    DWORD m_dwSelectedBkColor;
    DWORD m_dwSelectedTextColor;
    int m_iSelectedFont;
};

}  // namespace SkinUI
