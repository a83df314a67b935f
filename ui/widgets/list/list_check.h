// The check boxes of list rows, header items and tree nodes, and the expand/collapse
// buttons of tree nodes: how they are set from markup and drawn.
//
// A box takes its list's (or tree's) image for its state, "checkedimage",
// "uncheckedimage" or "mixedimage", drawn into the box's square; without one it is
// drawn as a framed square with a tick (checked) or a filled square (mixed), in the
// row's text colour. A tree's button takes "expandedimage" / "collapsedimage", else
// a framed square with a minus or a plus.
#pragma once

#include <windows.h>

#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CControlUI;

enum ECheckState { kCheckOff = 0, kCheckOn = 1, kCheckMixed = 2 };

struct TListCheckLooks {
    enum { kBoxSize = 13, kCellWidth = 20 };  // unscaled
    CUIString image[3];  // by ECheckState

    // Takes "checkedimage", "uncheckedimage" or "mixedimage"; false for other names.
    bool Apply(const wchar_t* name, const wchar_t* value);
};

namespace ListCheck {

// `v` at the control's DPI percentage.
int Scaled(const CControlUI* control, int v);
// The box's square: kBoxSize, centred in `cell` (window pixels), scaled.
CUIRect BoxIn(const CControlUI* control, const RECT& cell);
// Draws a box of `state` in `cell`, in `color` when drawn without images.
void PaintBox(HDC dc, CControlUI* control, const RECT& cell, int state, const TListCheckLooks& looks, DWORD color);
// Draws a tree node's button in `cell`: `image` when set, else a square with a sign.
void PaintExpander(HDC dc, CControlUI* control, const RECT& cell, bool expanded, const CUIString& image,
                   DWORD color);
// Draws an image description into `rc` (window pixels) of the control.
void PaintImageIn(HDC dc, CControlUI* control, const CUIString& image, const RECT& rc);

}  // namespace ListCheck

}  // namespace SkinUI
