// Nine-grid drawing: four corners copied at their source size, four edges
// stretched along their length, and a centre that is stretched, tiled or left
// out. Every piece is skipped unless it meets the paint rectangle.
#include "ui/controls/gdi_guards.h"
#include "ui/controls/scratch_dc.h"
#include "ui/controls/render.h"

namespace SkinUI {

namespace {

class CPiecePainter {
public:
    CPiecePainter(HDC dc, HDC mem, const RECT& paint, bool blend, BYTE fade)
        : m_dc(dc), m_mem(mem), m_paint(paint), m_blend(blend), m_fade(fade) {}

    // Draws source piece `src` into `dst` when both have a positive size and
    // `dst` meets the paint rectangle.
    void Draw(const RECT& dst, const RECT& src) const {
        int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
        int sw = src.right - src.left, sh = src.bottom - src.top;
        if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
        RECT tmp;
        if (!::IntersectRect(&tmp, &dst, &m_paint)) return;
        if (m_blend) {
            CUIRender::Blend(m_dc, dst.left, dst.top, dw, dh, m_mem, src.left, src.top, sw, sh, m_fade, true);
        } else if (dw == sw && dh == sh) {
            ::BitBlt(m_dc, dst.left, dst.top, dw, dh, m_mem, src.left, src.top, SRCCOPY);
        } else {
            ::StretchBlt(m_dc, dst.left, dst.top, dw, dh, m_mem, src.left, src.top, sw, sh, SRCCOPY);
        }
    }

private:
    HDC m_dc;
    HDC m_mem;
    RECT m_paint;
    bool m_blend;
    BYTE m_fade;
};

// Tiles narrower or lower than this are first repeated into a strip of at
// least this size, so that a tiny source costs a bounded number of blits.
const int kMinTileSpan = 64;

// First tile position at or before `from` on a grid starting at `origin`.
int FirstTile(int origin, int from, int step) {
    if (from <= origin) return origin;
    return origin + static_cast<int>((static_cast<long long>(from) - origin) / step * step);
}

// The centre, tiled along one or both axes; the last tile in each direction is
// cut at the centre's edge and takes the same cut from its source. Only the
// tiles that meet the paint rectangle are drawn.
void DrawTiles(const CPiecePainter& p, const RECT& dst, const RECT& src, const RECT& paint, bool xTiled,
               bool yTiled) {
    const int tileW = src.right - src.left;
    const int tileH = src.bottom - src.top;
    const int x0 = xTiled ? FirstTile(dst.left, paint.left, tileW) : dst.left;
    const int y0 = yTiled ? FirstTile(dst.top, paint.top, tileH) : dst.top;
    const int xEnd = xTiled && paint.right < dst.right ? paint.right : dst.right;
    const int yEnd = yTiled && paint.bottom < dst.bottom ? paint.bottom : dst.bottom;
    for (long long y = y0; y < yEnd; y += yTiled ? tileH : yEnd) {
        const int top = static_cast<int>(y);
        const int h = yTiled ? (dst.bottom - top < tileH ? dst.bottom - top : tileH) : dst.bottom - dst.top;
        for (long long x = x0; x < xEnd; x += xTiled ? tileW : xEnd) {
            const int left = static_cast<int>(x);
            const int w = xTiled ? (dst.right - left < tileW ? dst.right - left : tileW) : dst.right - dst.left;
            RECT d = {left, top, left + w, top + h};
            RECT s = {src.left, src.top, xTiled ? src.left + w : src.right, yTiled ? src.top + h : src.bottom};
            p.Draw(d, s);
            if (!xTiled) break;
        }
        if (!yTiled) break;
    }
}

void DrawTiledCentre(HDC dc, HDC mem, const RECT& paint, bool blend, BYTE fade, const RECT& dst, const RECT& src,
                     bool xTiled, bool yTiled) {
    const int tileW = src.right - src.left;
    const int tileH = src.bottom - src.top;
    if (tileW <= 0 || tileH <= 0) return;
    const int stripW = xTiled && tileW < kMinTileSpan ? (kMinTileSpan + tileW - 1) / tileW * tileW : tileW;
    const int stripH = yTiled && tileH < kMinTileSpan ? (kMinTileSpan + tileH - 1) / tileH * tileH : tileH;
    if (stripW == tileW && stripH == tileH) {
        DrawTiles(CPiecePainter(dc, mem, paint, blend, fade), dst, src, paint, xTiled, yTiled);
        return;
    }
    // Repeat the tile into a strip by doubling what is already there.
    CMemoryDC stripDc(dc);
    CDibSection strip(dc, stripW, stripH);
    if (!stripDc || strip.Get() == nullptr) return;
    CSelectGuard sel(stripDc.Get(), strip.Get());
    ::BitBlt(stripDc.Get(), 0, 0, tileW, tileH, mem, src.left, src.top, SRCCOPY);
    for (int w = tileW; w < stripW; w *= 2) {
        ::BitBlt(stripDc.Get(), w, 0, w < stripW - w ? w : stripW - w, tileH, stripDc.Get(), 0, 0, SRCCOPY);
    }
    for (int h = tileH; h < stripH; h *= 2) {
        ::BitBlt(stripDc.Get(), 0, h, stripW, h < stripH - h ? h : stripH - h, stripDc.Get(), 0, 0, SRCCOPY);
    }
    DrawTiles(CPiecePainter(dc, stripDc.Get(), paint, blend, fade), dst, RECT{0, 0, stripW, stripH}, paint, xTiled,
              yTiled);
}

}  // namespace

void CUIRender::PaintNineGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                              const RECT& corners, bool alpha, BYTE fade, bool hole, bool xTiled, bool yTiled) {
    if (dc == nullptr || bitmap == nullptr) return;
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    CScratchDC mem;
    if (!mem) return;
    CSelectGuard sel(mem.Get(), bitmap);

    const RECT& D = dest;
    const RECT& S = source;
    const int cl = corners.left, ct = corners.top, cr = corners.right, cb = corners.bottom;
    const bool blend = alpha || fade != 255;
    CPiecePainter p(dc, mem.Get(), paint, blend, fade);

    // Opaque 1:1 copy without corners: one blit of the damaged part.
    if (!blend && D.right - D.left == S.right - S.left && D.bottom - D.top == S.bottom - S.top && cl == 0 &&
        ct == 0 && cr == 0 && cb == 0) {
        RECT part;
        if (::IntersectRect(&part, &D, &paint)) {
            ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, mem.Get(),
                     S.left + (part.left - D.left), S.top + (part.top - D.top), SRCCOPY);
        }
        return;
    }

    // Centre.
    if (!hole) {
        RECT d = {D.left + cl, D.top + ct, D.right - cr, D.bottom - cb};
        RECT s = {S.left + cl, S.top + ct, S.right - cr, S.bottom - cb};
        RECT tmp;
        if (::IntersectRect(&tmp, &d, &paint)) {
            if (!xTiled && !yTiled) {
                p.Draw(d, s);
            } else {
                DrawTiledCentre(dc, mem.Get(), paint, blend, fade, d, s, xTiled, yTiled);
            }
        }
    }

    // Border pieces.
    if (cl > 0 && ct > 0) {  // top-left
        p.Draw(RECT{D.left, D.top, D.left + cl, D.top + ct}, RECT{S.left, S.top, S.left + cl, S.top + ct});
    }
    if (ct > 0) {  // top
        p.Draw(RECT{D.left + cl, D.top, D.right - cr, D.top + ct}, RECT{S.left + cl, S.top, S.right - cr, S.top + ct});
    }
    if (cr > 0 && ct > 0) {  // top-right
        p.Draw(RECT{D.right - cr, D.top, D.right, D.top + ct}, RECT{S.right - cr, S.top, S.right, S.top + ct});
    }
    if (cl > 0) {  // left
        p.Draw(RECT{D.left, D.top + ct, D.left + cl, D.bottom - cb},
               RECT{S.left, S.top + ct, S.left + cl, S.bottom - cb});
    }
    if (cr > 0) {  // right
        p.Draw(RECT{D.right - cr, D.top + ct, D.right, D.bottom - cb},
               RECT{S.right - cr, S.top + ct, S.right, S.bottom - cb});
    }
    if (cl > 0 && cb > 0) {  // bottom-left
        p.Draw(RECT{D.left, D.bottom - cb, D.left + cl, D.bottom}, RECT{S.left, S.bottom - cb, S.left + cl, S.bottom});
    }
    if (cb > 0) {  // bottom
        p.Draw(RECT{D.left + cl, D.bottom - cb, D.right - cr, D.bottom},
               RECT{S.left + cl, S.bottom - cb, S.right - cr, S.bottom});
    }
    if (cr > 0 && cb > 0) {  // bottom-right
        p.Draw(RECT{D.right - cr, D.bottom - cb, D.right, D.bottom},
               RECT{S.right - cr, S.bottom - cb, S.right, S.bottom});
    }
}

}  // namespace SkinUI
