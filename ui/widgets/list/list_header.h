// CListHeaderUI and CListHeaderItemUI: the header of a list and its columns.
//
// The header lays its items side by side, each as wide as its "width" (100 when it
// sets none; a negative width is ignored, and widths are kept within 0..10000), and
// as high as the header ("height"; else the default font's height plus 10). The
// list places it above the rows and shifts it sideways with them.
//
// A header item is a column: a press and release on it sends the list's
// "headerclick"; dragging its right edge ("sepwidth" pixels wide, 4 by default)
// resizes the column, no narrower than its "minwidth", and sends "columnresize" on
// release. Attributes: the label's text attributes, "normalimage", "hotimage",
// "pushedimage", "sepimage" (drawn over the edge), "sepwidth" and "resizable".
#pragma once

#include "ui/controls/container.h"
#include "ui/controls/label.h"
#include "ui/widgets/list/header_grip.h"

namespace SkinUI {

class CListUI;

class CListHeaderUI : public CContainerUI {
public:
    CListHeaderUI();

    const wchar_t* GetClass() const override;          // "ListHeaderUI"
    void* GetInterface(const wchar_t* name) override;  // "ListHeader"
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    SIZE MeasureDesired(SIZE available) override;

    void SetOwner(CListUI* owner) { m_pOwner = owner; }
    CListUI* GetOwner() const { return m_pOwner; }
    // The sum of the visible columns' widths in pixels (saturated).
    int GetColumnsWidth() const;
    // The header's height in pixels.
    int GetHeaderHeight() const;

private:
    CListUI* m_pOwner;
};

class CListHeaderItemUI : public CLabelUI, private IHeaderGripItem {
public:
    enum { kMaxWidth = 10000, kDefaultWidth = 100 };
    CListHeaderItemUI();

    const wchar_t* GetClass() const override;          // "ListHeaderItemUI"
    void* GetInterface(const wchar_t* name) override;  // "ListHeaderItem"
    UINT GetControlFlags() const override;
    bool Activate() override;                          // sends "headerclick"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;

    // The column's width in pixels (scaled, within 0..kMaxWidth unscaled).
    int GetColumnWidth() const;
    // Sets the width in unscaled units; false when it did not change.
    bool SetColumnWidth(int width) override;
    int GetSepWidth() const;  // scaled
    bool IsResizable() const { return m_bResizable; }
    // The column's index in its header, or -1.
    int GetColumnIndex() const override;
    UINT GetButtonState() const { return m_uState; }

private:
    CListUI* OwnerList() const override;
    CUIRect SepRect() const override;
    int GetUnscaledWidth() const override { return m_cxyFixed.cx; }

    UINT m_uState;
    int m_iSepWidth;  // unscaled
    bool m_bResizable;
    CHeaderGrip m_grip;
    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sPushedImage;
    CUIString m_sSepImage;
};

}  // namespace SkinUI
