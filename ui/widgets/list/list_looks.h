// TListItemLooks: how a list draws its rows, set by the list's "item..." attributes
// and shared by every element kind (and by rows a list makes itself).
//
// Row states, in the order they win: disabled, selected, hot, then normal; a normal
// row with an odd index takes "itemaltbkcolor" when it is set. Each state has a
// text colour, a background colour and an image; an unset one falls back to the
// normal state's.
#pragma once

#include <windows.h>

#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

enum EListRowState { kRowNormal = 0, kRowHot = 1, kRowSelected = 2, kRowDisabled = 3 };

struct TListItemLooks {
    enum { kStates = 4, kMaxHeight = 4096 };
    int height = 0;  // unscaled; 0: the item font's height plus 8
    int font = -1;
    UINT textStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX;
    CUIRect textPadding = CUIRect(4, 0, 4, 0);  // unscaled
    DWORD textColor[kStates] = {};
    DWORD bkColor[kStates] = {};
    CUIString image[kStates];
    DWORD altBkColor = 0;
    DWORD lineColor = 0;

    // Takes one "item..." attribute; false when the name is not one of them.
    bool Apply(const wchar_t* name, const wchar_t* value);
};

namespace ListPaint {

// The row's background colour and image for its state and index.
void Background(HDC dc, CControlUI* row, const TListItemLooks& looks, int state, int index);
// The text colour of a state (the manager's defaults when unset).
DWORD TextColor(CControlUI* row, const TListItemLooks& looks, int state);
// Draws `text` in `cell` less the scaled text padding.
void Text(HDC dc, CControlUI* row, const TListItemLooks& looks, int state, RECT cell, const wchar_t* text);
// The separating line at the row's bottom.
void Line(HDC dc, CControlUI* row, const TListItemLooks& looks);

}  // namespace ListPaint

}  // namespace SkinUI
