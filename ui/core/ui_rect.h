// CUIRect: a rectangle in the platform's RECT layout (left, top, right, bottom,
// signed 32-bit), usable wherever a RECT is expected.
#pragma once

#include <windows.h>

namespace SkinUI {

class CUIRect : public RECT {
public:
    CUIRect() { left = top = right = bottom = 0; }
    CUIRect(const RECT& src) { left = src.left; top = src.top; right = src.right; bottom = src.bottom; }
    CUIRect(LONG l, LONG t, LONG r, LONG b) { left = l; top = t; right = r; bottom = b; }

    int GetWidth() const { return right - left; }
    int GetHeight() const { return bottom - top; }
    // True when width or height is not positive.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // True when all four fields are 0.
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    void Empty() { left = top = right = bottom = 0; }

    bool PtInRect(POINT pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
    bool operator==(const RECT& r) const {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    bool operator!=(const RECT& r) const { return !(*this == r); }

    // Grows this rectangle to cover `rc` (plain union of the extents).
    void Join(const RECT& rc);
    // Union that ignores empty rectangles on either side.
    void Union(const RECT& rc);
    // Intersection; an empty result becomes all zeros. Returns false when empty.
    bool Intersect(const RECT& rc);
    // Moves the rectangle so that its top-left corner is (0, 0).
    void ResetOffset();
    // Swaps left/right and top/bottom where they are reversed.
    void Normalize();
    void Offset(int cx, int cy);
    void Inflate(int cx, int cy);
    void Deflate(int cx, int cy);
    // Moves the edges inward by the four fields of `insets`.
    void Deflate(const RECT& insets);
};

}  // namespace SkinUI
