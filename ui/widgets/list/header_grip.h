// The mouse on a list header item, shared by the plain header item and the one that
// holds controls: a press that activates the item when released over it, and a drag of
// the separator at its right edge that resizes the column.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CListUI;

// What a header item tells the grip.
class IHeaderGripItem {
public:
    virtual CListUI* OwnerList() const = 0;
    virtual int GetColumnIndex() const = 0;
    // The separator's rectangle; empty when the column cannot be resized.
    virtual CUIRect SepRect() const = 0;
    // The column's width in unscaled units; setting it answers false when unchanged.
    virtual int GetUnscaledWidth() const = 0;
    virtual bool SetColumnWidth(int width) = 0;

protected:
    ~IHeaderGripItem() = default;
};

class CHeaderGrip {
public:
    // The state bit set while the separator is dragged, beside the UISTATE_ bits.
    static const UINT kDragging = 0x100;
    enum { kMaxWidth = 10000 };  // unscaled

    // Handles `event` of `control` (the item), whose state bits are `state`: the
    // separator's cursor, the press and the drag. False when the item's base is to
    // have the event.
    bool Handle(CControlUI& control, IHeaderGripItem& item, UINT& state, const TUIEvent& event);
    // Stores a column width (unscaled) within 0..kMaxWidth; false when unchanged.
    static bool StoreWidth(LONG& stored, int width);

private:
    int m_nDragX = 0;        // where the drag started
    int m_nDragWidth = 0;    // the width it started with (pixels)
    int m_nWidthBefore = 0;  // unscaled
};

}  // namespace SkinUI
