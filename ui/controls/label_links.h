// The links of a label's markup text as last drawn (label_links.cpp).
#pragma once

#include <windows.h>

#include "ui/controls/render.h"

namespace SkinUI {

const int kMaxLinkRects = 16;

struct TUILabelLinks {
    RECT rects[kMaxLinkRects];
    CUIString targets[kMaxLinkRects];
    int ordinals[kMaxLinkRects];
    int count = 0;
    TUIMarkupLook look;
    int pressed = -1;
};

}  // namespace SkinUI
