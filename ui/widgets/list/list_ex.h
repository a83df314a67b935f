// The lists with check boxes.
//
// CListExUI (<ListEx>): a list whose rows may carry a check box and whose header
// may carry one that checks them all. Space (without Ctrl) checks or clears the
// caret row's box. A header box shows on when every row with a box is checked,
// off when none is, else mixed; a press on it checks all, or clears all when all
// were checked. Notifications: the list's, and "itemcheck" (wParam the row, or -1
// for the header's box; lParam 1 when checked, 0 when cleared). Attributes: the
// list's, and "checkedimage", "uncheckedimage", "mixedimage" (else drawn boxes).
//
// CListTextExtElementUI (<ListTextExtElement>): a text per column (as
// <ListTextElement>) with a check box before the first column's text; "checked"
// sets it. A press on the box checks or clears it, in any list.
//
// CListContainerHeaderItemUI (<ListContainerHeaderItem>): a column of the header
// that holds controls, side by side after its check box ("checkbox"), or shows its
// "text". Like a header item it is as wide as its "width" (100 by default), sends
// "headerclick" when clicked and is resized by dragging its right edge ("sepwidth",
// "resizable"; "columnresize" on release).
#pragma once

#include "ui/controls/horizontal_layout.h"
#include "ui/widgets/list/header_grip.h"
#include "ui/widgets/list/list_check.h"
#include "ui/widgets/list/list_element.h"

namespace SkinUI {

// What holds a list check box (GetInterface(L"ListCheck")).
class IListCheckUI {
public:
    // ECheckState, or -1 when no box is shown.
    virtual int GetCheckBoxState() const = 0;

protected:
    ~IListCheckUI() = default;
};

inline constexpr wchar_t kListCheckInterface[] = L"ListCheck";

class CListExUI : public CListUI {
public:
    const wchar_t* GetClass() const override;          // "ListExUI"
    void* GetInterface(const wchar_t* name) override;  // "ListEx"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    const TListCheckLooks& GetCheckLooks() const { return m_checkLooks; }
    // -1 for a row without a box.
    int GetRowCheck(int row) const;
    // Checks or clears a row's box; false when the row has none or nothing changed.
    bool SetRowChecked(int row, bool checked, bool notify = true);
    // Checks or clears every row's box.
    void CheckAll(bool checked, bool notify = true);
    int GetCheckedCount() const;
    // What a header box shows (ECheckState).
    int GetCheckAllState() const;

    // A press on a row's box and on a header box.
    void RowBoxPressed(int row);
    void HeaderBoxPressed();

private:
    TListCheckLooks m_checkLooks;
};

class CListTextExtElementUI : public CListTextElementUI, public IListCheckUI {
public:
    const wchar_t* GetClass() const override;          // "ListTextExtElementUI"
    void* GetInterface(const wchar_t* name) override;  // "ListTextExtElement", "ListCheck"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;
    int GetCheckBoxState() const override { return m_bChecked ? kCheckOn : kCheckOff; }

    bool IsChecked() const { return m_bChecked; }
    // Sets the box without telling anyone (lists tell their listeners).
    void SetChecked(bool checked);
    // The box's cell in window pixels.
    CUIRect GetCheckRect() const;

private:
    bool m_bChecked = false;
};

class CListContainerHeaderItemUI : public CHorizontalLayoutUI, public IListCheckUI, private IHeaderGripItem {
public:
    enum { kMaxWidth = 10000, kDefaultWidth = 100 };
    CListContainerHeaderItemUI();

    const wchar_t* GetClass() const override;          // "ListContainerHeaderItemUI"
    void* GetInterface(const wchar_t* name) override;  // "ListContainerHeaderItem", "ListCheck"
    UINT GetControlFlags() const override;
    bool Activate() override;  // sends "headerclick"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    CUIRect GetInset() const override;  // the box comes first
    void DrawStateImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;
    int GetCheckBoxState() const override;

    bool HasCheckBox() const { return m_bCheckBox; }
    CUIRect GetCheckRect() const;
    int GetColumnIndex() const override;
    UINT GetButtonState() const { return m_uState; }

private:
    CListUI* OwnerList() const override;
    CUIRect SepRect() const override;
    int GetUnscaledWidth() const override { return m_cxyFixed.cx; }
    bool SetColumnWidth(int width) override;

    UINT m_uState;
    int m_iSepWidth;  // unscaled
    bool m_bResizable;
    bool m_bCheckBox;
    CHeaderGrip m_grip;
};

}  // namespace SkinUI
