#include "ui/core/ui_rect.h"

namespace SkinUI {

void CUIRect::Join(const RECT& rc) {
    if (rc.left < left) left = rc.left;
    if (rc.top < top) top = rc.top;
    if (rc.right > right) right = rc.right;
    if (rc.bottom > bottom) bottom = rc.bottom;
}

void CUIRect::Union(const RECT& rc) {
    const CUIRect other(rc);
    if (other.IsEmpty()) return;
    if (IsEmpty()) {
        *this = other;
        return;
    }
    Join(rc);
}

bool CUIRect::Intersect(const RECT& rc) {
    CUIRect r(left > rc.left ? left : rc.left, top > rc.top ? top : rc.top,
              right < rc.right ? right : rc.right, bottom < rc.bottom ? bottom : rc.bottom);
    if (r.IsEmpty()) {
        Empty();
        return false;
    }
    *this = r;
    return true;
}

void CUIRect::ResetOffset() { Offset(-left, -top); }

void CUIRect::Normalize() {
    if (left > right) {
        const LONG t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        const LONG t = top;
        top = bottom;
        bottom = t;
    }
}

void CUIRect::Offset(int cx, int cy) {
    left += cx;
    right += cx;
    top += cy;
    bottom += cy;
}

void CUIRect::Inflate(int cx, int cy) {
    left -= cx;
    right += cx;
    top -= cy;
    bottom += cy;
}

void CUIRect::Deflate(int cx, int cy) { Inflate(-cx, -cy); }

void CUIRect::Deflate(const RECT& insets) {
    left += insets.left;
    top += insets.top;
    right -= insets.right;
    bottom -= insets.bottom;
}

}  // namespace SkinUI
