// CScrollBarUI: a vertical or horizontal scroll bar of two arrow buttons, a
// rail between them and a thumb on the rail.
//
// A bar has a range (the largest position), a position in [0, range], a line
// size (what an arrow press moves) and a page size (what the visible part
// covers; it sizes the thumb and is what a rail press moves). The thumb is as
// long as the page against range + page, never shorter than a minimum.
//
// Each part is drawn from an image description of its state (normal, hot,
// pushed, disabled), else from a colour of that state, else from its normal
// image or colour; arrow buttons without an image get an arrow glyph.
//
// A bar that a container owns scrolls its container: its presses and drags
// call the container's scroll operations, and the container sets its range,
// page and position. A bar sends "scroll" (wParam: the new position) whenever
// its position changes.
//
// Attributes: "hor", "range", "value", "linesize", "pagesize", "showbutton1",
// "showbutton2", and "<part><state>image" / "<part><state>color" with the parts
// button1, button2, thumb, rail and the states normal, hot, pushed, disabled
// (e.g. "thumbhotimage"). Containers make their bars through the control
// factory, so the class is there once the further controls are registered.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    // The parts, also the index of their looks.
    enum EPart { kButton1, kButton2, kThumb, kRail, kPartCount, kNone = kPartCount };
    enum EPartState { kNormal, kHot, kPushed, kDisabled, kStateCount };

    CScrollBarUI();

    const wchar_t* GetClass() const override;          // "ScrollBarUI"
    void* GetInterface(const wchar_t* name) override;  // "ScrollBar"
    void SetFocus() override;                          // a container's bar leaves the focus alone
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;

    CContainerUI* GetOwner() const { return m_pOwner; }
    void SetOwner(CContainerUI* owner) { m_pOwner = owner; }
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal);

    // Range, position and page are clamped: range and page to 0 and above, the
    // position to [0, range]; the line size to 1 and above.
    int GetScrollRange() const { return m_nRange; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return m_nPos; }
    void SetScrollPos(int pos);
    int GetLineSize() const { return m_nLineSize; }
    void SetLineSize(int size);
    int GetPageSize() const { return m_nPageSize; }
    void SetPageSize(int size);
    bool IsButtonShown(int which) const { return which == 1 ? m_bShowButton1 : m_bShowButton2; }

    // The bar's width (vertical) or height (horizontal): the fixed size, else a default.
    int GetThickness() const;
    // A part's rectangle in window pixels, inside the item rectangle (empty when absent).
    CUIRect GetPartRect(EPart part) const;
    EPart PartAt(POINT pt) const;

    // Looks of a part in a state (images are descriptions; colours 0xAARRGGBB, 0 unset).
    const CUIString& GetPartImage(EPart part, EPartState state) const { return m_sImage[part][state]; }
    void SetPartImage(EPart part, EPartState state, const wchar_t* image);
    DWORD GetPartColor(EPart part, EPartState state) const { return m_dwColor[part][state]; }
    void SetPartColor(EPart part, EPartState state, DWORD color);

    // Shows or hides the bar without asking for a layout (its container lays itself out).
    void ShowQuietly(bool show) { m_bVisible = show; }

private:
    void Press(POINT pt);
    // One step of the pressed part while the pointer is on it: a line, or a page toward
    // the pointer until the thumb reaches it.
    void Step();
    void DragTo(POINT pt);
    void MoveTo(long long pos);
    void Release();
    void SetHot(EPart part);
    EPartState StateOf(EPart part) const;
    void DrawPart(HDC dc, EPart part);

    CContainerUI* m_pOwner;
    bool m_bHorizontal;
    bool m_bShowButton1;
    bool m_bShowButton2;
    int m_nRange;
    int m_nPos;
    int m_nLineSize;
    int m_nPageSize;
    EPart m_ePressed;
    EPart m_eHot;
    int m_nTicks;         // timer ticks since the press
    POINT m_ptLast;       // the pointer while pressed
    POINT m_ptDragStart;
    int m_nDragStartPos;
    CUIString m_sImage[kPartCount][kStateCount];
    DWORD m_dwColor[kPartCount][kStateCount];
};

}  // namespace SkinUI
