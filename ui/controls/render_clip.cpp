// Clip guards: select a rectangular or rounded clip intersected with the clip
// already in force, and restore the old clip when released.
#include "ui/controls/render.h"

namespace SkinUI {

namespace {

// Region functions work in device units; the rectangles are logical.
RECT ToDevice(HDC dc, const RECT& rc) {
    POINT pts[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    ::LPtoDP(dc, pts, 2);
    RECT out = {pts[0].x, pts[0].y, pts[1].x, pts[1].y};
    return out;
}

// Takes a copy of the clip in force: `copy` is null when none is. False when no region
// could be made.
bool CopyClip(HDC dc, HRGN& copy) {
    copy = ::CreateRectRgn(0, 0, 0, 0);
    if (copy == nullptr) return false;
    if (::GetClipRgn(dc, copy) != 1) {
        ::DeleteObject(copy);
        copy = nullptr;
    }
    return true;
}

}  // namespace

CUIClip::CUIClip(HDC dc, const RECT& rc) : m_rcItem(rc), m_hDC(dc), m_hRgn(nullptr), m_hOldRgn(nullptr) {
    if (m_hDC == nullptr) return;
    // When what may be drawn already lies inside the rectangle, the intersection is the
    // clip in force: nothing is selected (nested containers of one paint rectangle
    // would otherwise make, combine and select two regions each, to the same effect).
    RECT box;
    const int kind = ::GetClipBox(dc, &box);
    if (kind == NULLREGION ||
        (kind != ERROR && box.left >= rc.left && box.top >= rc.top && box.right <= rc.right && box.bottom <= rc.bottom))
        return;
    // The old clip is kept for the release; the new one is the old one cut down to the
    // rectangle in place, which the device context does in one call (in logical units,
    // as the rectangle is). The new region itself is only made when the old clip is
    // asked for in between.
    if (!CopyClip(dc, m_hOldRgn)) return;
    m_bCut = ::IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom) != ERROR;
}

CUIClip::CUIClip(HDC dc, const RECT& paint, const RECT& item, int cx, int cy)
    : m_rcItem(item), m_hDC(dc), m_hRgn(nullptr), m_hOldRgn(nullptr) {
    if (m_hDC == nullptr) return;
    RECT devPaint = ToDevice(dc, paint);
    RECT devItem = ToDevice(dc, item);
    HRGN shape = ::CreateRectRgnIndirect(&devPaint);
    HRGN round = ::CreateRoundRectRgn(devItem.left, devItem.top, devItem.right + 1, devItem.bottom + 1, cx, cy);
    if (shape != nullptr && round != nullptr) ::CombineRgn(shape, shape, round, RGN_AND);
    if (round != nullptr) ::DeleteObject(round);
    Select(shape);
}

void CUIClip::Select(HRGN shape) {
    if (shape == nullptr) return;
    m_hRgn = shape;
    if (CopyClip(m_hDC, m_hOldRgn) && m_hOldRgn != nullptr) ::CombineRgn(m_hRgn, m_hRgn, m_hOldRgn, RGN_AND);
    ::SelectClipRgn(m_hDC, m_hRgn);
}

CUIClip::~CUIClip() {
    if (m_hDC != nullptr && (m_hRgn != nullptr || m_bCut)) ::SelectClipRgn(m_hDC, m_hOldRgn);
    if (m_hRgn != nullptr) ::DeleteObject(m_hRgn);
    if (m_hOldRgn != nullptr) ::DeleteObject(m_hOldRgn);
}

void CUIClip::UseOldClipBegin() {
    if (m_hDC == nullptr) return;
    if (m_bCut && m_hRgn == nullptr) {
        // The cut clip is taken as a region now, to be selected again at the end.
        if (!CopyClip(m_hDC, m_hRgn) || m_hRgn == nullptr) return;  // the cut clip stays: floats are clipped like the rest
    }
    if (m_hRgn != nullptr) ::SelectClipRgn(m_hDC, m_hOldRgn);
}

void CUIClip::UseOldClipEnd() {
    if (m_hDC != nullptr && m_hRgn != nullptr) ::SelectClipRgn(m_hDC, m_hRgn);
}

}  // namespace SkinUI
