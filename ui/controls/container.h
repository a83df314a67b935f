// CContainerUI: a control that owns an ordered list of children, paints them
// clipped to its content area, routes hit tests into them and places them.
//
// Scroll bars: the attributes "vscrollbar", "hscrollbar", "vscrollbarstyle",
// "hscrollbarstyle" and "scrollstepsize" are stored, and the scrolling slots
// exist, but this framework has no scroll bar control: no bar is ever created,
// the content rectangle is the item rectangle less the inset, and scroll
// positions and ranges are always zero.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CScrollBarUI;  // not provided by this framework; the bar pointers stay null

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

    // Stored scroll bar settings (no bar is created, see the file comment).
    bool IsVScrollBarWanted() const { return m_bWantVScroll; }
    bool IsHScrollBarWanted() const { return m_bWantHScroll; }
    const CUIString& GetVScrollBarStyle() const { return m_sVScrollBarStyle; }
    const CUIString& GetHScrollBarStyle() const { return m_sHScrollBarStyle; }

protected:
    // Hands a removed child to the manager's delayed clean-up or deletes it.
    void DestroyChild(CControlUI* control);

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
    bool m_bWantVScroll;
    bool m_bWantHScroll;
};

}  // namespace SkinUI
