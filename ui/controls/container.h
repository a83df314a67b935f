// CContainerUI: a control that owns an ordered list of children, paints them
// clipped to its content area, routes hit tests into them and places them.
//
// Scrolling: "vscrollbar" / "hscrollbar" (or their style attributes) give the
// container scroll bars, which it owns. A layout reports the size its children
// need (UpdateScrollBars); a bar shows only while the content overflows the
// content rectangle, and the scroll position shifts the children. The wheel and
// the keys scroll a container whose bar is visible and enabled.
//
// The bars are made by the control factory ("CScrollBarUI"), which knows the
// class once the further controls are registered (RegisterWidgetControls). A
// program that never registers them gets no bars, and its containers lay out
// and clip their children as without scrolling.
//
// A layout of its own takes part in scrolling like the box layouts: it places
// its children over the content rectangle grown by VisibleScroll's range and
// shifted back by its position, and ends its placement with UpdateScrollBars.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CScrollBarUI;

// The child-list operations of a container (slot order fixed).
class IContainerUI {
public:
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool SetItemIndex(CControlUI* control, int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* control) = 0;
    virtual bool AddAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    // Overrides of base slots.
    const wchar_t* GetClass() const override;        // "ContainerUI"
    void* GetInterface(const wchar_t* name) override;  // "IContainer", "Container"
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CUIRect GetClientPos() const override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void MoveBy(int dx, int dy) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enable = true) override;
    void SetMouseEnabled(bool enable = true) override;
    CControlUI* FindMatching(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override;

    // IContainerUI
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    // ---- virtual operations added after slot 95 (order is fixed) ----
    virtual CUIRect GetInset() const;                          // 96 scaled
    virtual void SetInset(CUIRect inset);                      // 97
    virtual int GetChildPadding() const;                       // 98 scaled
    virtual void SetChildPadding(int padding);                 // 99
    virtual UINT GetChildAlign() const;                        // 100
    virtual void SetChildAlign(UINT align);                    // 101
    virtual UINT GetChildVAlign() const;                       // 102
    virtual void SetChildVAlign(UINT align);                   // 103
    virtual bool IsAutoDestroy() const;                        // 104
    virtual void SetAutoDestroy(bool autoDestroy);             // 105
    virtual bool IsDelayedDestroy() const;                     // 106
    virtual void SetDelayedDestroy(bool delayed);              // 107
    virtual bool IsMouseChildEnabled() const;                  // 108
    virtual void SetMouseChildEnabled(bool enable = true);     // 109
    virtual int FindSelectable(int index, bool forward = true) const;  // 110 (no list items: -1)
    virtual SIZE GetScrollPos() const;                         // 111
    virtual SIZE GetScrollRange() const;                       // 112
    virtual void SetScrollPos(SIZE pos);                       // 113
    virtual void SetScrollStepSize(int size);                  // 114
    virtual int GetScrollStepSize() const;                     // 115 scaled
    virtual void LineUp();                                     // 116
    virtual void LineDown();                                   // 117
    virtual void PageUp();                                     // 118
    virtual void PageDown();                                   // 119
    virtual void HomeUp();                                     // 120
    virtual void EndDown();                                    // 121
    virtual void LineLeft();                                   // 122
    virtual void LineRight();                                  // 123
    virtual void PageLeft();                                   // 124
    virtual void PageRight();                                  // 125
    virtual void HomeLeft();                                   // 126
    virtual void EndRight();                                   // 127
    virtual void EnableScrollBar(bool vertical = true, bool horizontal = false);  // 128
    virtual CScrollBarUI* GetVerticalScrollBar() const;        // 129
    virtual CScrollBarUI* GetHorizontalScrollBar() const;      // 130
    virtual void PlaceFloatChild(int index);                   // 131
    virtual void UpdateScrollBars(CUIRect rc, int cxNeeded, int cyNeeded);  // 132

    const CUIString& GetVScrollBarStyle() const { return m_sVScrollBarStyle; }
    const CUIString& GetHScrollBarStyle() const { return m_sHScrollBarStyle; }

    // Scrolls so that `rc` (window pixels) lies in the content rectangle as far as the
    // bars allow; a rectangle larger than the view shows its top and left.
    void ScrollToShow(const RECT& rc);
    // Scrolls every container above `control` that holds it in its content, innermost
    // first, so that the control comes into view (used when it takes the focus).
    static void ScrollIntoView(CControlUI* control);

protected:
    // Hands a removed child to the manager's delayed clean-up or deletes it.
    void DestroyChild(CControlUI* control);
    // Position and range of each visible bar (0 along an axis without one).
    void VisibleScroll(SIZE& pos, SIZE& range) const;
    // Child and scroll bar visibility follow the container's.
    void PassVisibility();
    // The wheel and the scrolling keys, when a bar is visible and enabled; true when taken.
    bool ScrollOnInput(const TUIEvent& event);
    void SetScrollBarStyle(bool horizontal, const wchar_t* value);
    // Scrolls along one axis by `amount` lines (1), pages (2) or to the end (3); a
    // negative amount goes back. A line is the scroll step, else 8 pixels (vertically
    // the default font's height + 8); a page is the content rectangle's extent.
    void Scroll(bool horizontal, int amount);
    void ScrollBy(long long dx, long long dy);
    // A new scroll bar with the manager's defaults and the container's style applied.
    CScrollBarUI* MakeScrollBar(bool horizontal);
    // Brings one bar in line with the overflow along its axis; true when the
    // children must be placed again (the bar came or went, or its position moved).
    bool FitScrollBar(CScrollBarUI* bar, int overflow, const CUIRect& rc);
    // Children [first, end) are those that can meet `area`. Layouts whose children lie
    // in order along an axis (m_nFlowAxis) are searched by bisection; others give all.
    void ChildrenMeeting(const RECT& area, int& first, int& end) const;

    CUIPtrArray m_items;
    CUIRect m_rcInset;
    int m_iChildPadding;
    UINT m_iChildAlign;
    UINT m_iChildVAlign;
    bool m_bAutoDestroy;
    bool m_bDelayedDestroy;
    bool m_bMouseChildEnabled;
    int m_nScrollStepSize;
    CScrollBarUI* m_pVerticalScrollBar;
    CScrollBarUI* m_pHorizontalScrollBar;
    CUIString m_sVScrollBarStyle;
    CUIString m_sHScrollBarStyle;
    // Set by a layout that placed every child visible, in flow and in order along its
    // axis (1 vertical, 2 horizontal); 0 otherwise, and whenever the child list changes.
    int m_nFlowAxis;
    int m_nRelayout;  // nested placements asked for by the scroll bars
};

}  // namespace SkinUI
