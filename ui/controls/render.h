// The drawing routines every control uses: fills, gradients, lines and
// outlines, clip guards, text, and images given as image descriptions such as
//   file='progress_bar.png' source='0,0,100,18' corner='10,2,22,2'
// drawn as stretched nine-grids.
//
// Colours are 0xAARRGGBB. GDI routines receive them as 0x00BBGGRR; GDI+
// routines take them as they are.
#pragma once

#include <windows.h>

#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CPaintManagerUI;

// A parsed image description. Keys: file/res, restype, dest, source, corner,
// mask, fade, hole, xtiled, ytiled, hsl, size, align, padding.
struct TUIImageSpec {
    CUIString sDescription;   // the whole description as given
    CUIString sModifier;      // optional second string whose keys override the first
    CUIString sImageName;     // "file" / "res"; the whole description by default
    CUIString sResType;       // "restype"
    CUIRect rcDest;           // "dest", relative to the control's top-left corner
    CUIRect rcSource;         // "source"; all zeros: the whole image
    CUIRect rcCorner;         // "corner": left, top, right, bottom widths
    DWORD dwMask = 0;         // "mask"
    BYTE uFade = 255;         // "fade"
    bool bHole = false;       // "hole": the centre is not drawn
    bool bTiledX = false;     // "xtiled"
    bool bTiledY = false;     // "ytiled"
    bool bHSL = false;        // "hsl" (kept, not used when drawing)
    SIZE szImage = {0, 0};    // "size"
    CUIString sAlign;         // "align"
    CUIRect rcPadding;        // "padding"

    // Resets every field to its default.
    void Clear();
    // Fills the fields from `description` and then `modifier` (either may be
    // null). With a manager, dest/source/corner/padding are DPI-scaled and at
    // a scale other than 100 % every '.' in the image name becomes "@<pct>.".
    void ParseImageSpec(const wchar_t* description, const wchar_t* modifier, CPaintManagerUI* manager);
    // True for a bare file name, and for key='value' pairs (one space apart)
    // that read to the end; false where the parser stops early.
    static bool IsWellFormed(const wchar_t* description);
};

// Clip guard. Creating one selects (new region AND old clip) into the dc;
// destroying it selects the old clip again and frees both regions.
class CUIClip {
public:
    // Rectangular clip.
    CUIClip(HDC dc, const RECT& rc);
    // Rounded clip: the paint rectangle AND a rounded rectangle of the item
    // rectangle (right and bottom extended by 1) with a (cx, cy) corner ellipse.
    CUIClip(HDC dc, const RECT& paint, const RECT& item, int cx, int cy);
    ~CUIClip();
    CUIClip(const CUIClip&) = delete;
    CUIClip& operator=(const CUIClip&) = delete;

    // Selects the clip that was in force before this guard / the guard's clip again.
    void UseOldClipBegin();
    void UseOldClipEnd();

    const CUIRect& GetRect() const { return m_rcItem; }

private:
    void Select(HRGN shape);

    CUIRect m_rcItem;
    HDC m_hDC;
    HRGN m_hRgn;     // the selected clip (shape AND old clip)
    HRGN m_hOldRgn;  // the clip before this guard; null when there was none
    bool m_bCut = false;  // the old clip was cut down to the rectangle in place
};

// How a markup text draws its links. Colours of 0 are the manager's defaults.
struct TUIMarkupLook {
    DWORD dwLinkColor = 0;
    DWORD dwLinkHoverColor = 0;
    int iHotLink = -1;  // ordinal of the link under the pointer, drawn in the hover colour
};

class CUIRender {
public:
    // ---- images ----
    static bool PaintImageSpec(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                               const wchar_t* description, const wchar_t* modifier = nullptr,
                               HINSTANCE instance = nullptr);
    static bool PaintImageFile(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                               const wchar_t* name, const wchar_t* resType, RECT dest, RECT source,
                               RECT corners, DWORD mask, BYTE fade, bool hole, bool xTiled, bool yTiled,
                               HINSTANCE instance = nullptr);
    static void PaintNineGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint,
                              const RECT& source, const RECT& corners, bool alpha, BYTE fade = 255,
                              bool hole = false, bool xTiled = false, bool yTiled = false);

    // ---- fills and strokes ----
    static void FillSolid(HDC dc, const RECT& rc, DWORD color);
    static void FillGradient(HDC dc, const RECT& rc, DWORD color1, DWORD color2, bool vertical, int steps);
    static void StrokeLine(HDC dc, const RECT& rc, int width, DWORD color, int penStyle = PS_SOLID);
    static void StrokeRect(HDC dc, const RECT& rc, int width, DWORD color);
    static void StrokeRoundRect(HDC dc, const RECT& rc, int width, int cx, int cy, DWORD color);

    // ---- text ----
    // Draws `text` in `rc` with DrawTextW-style flags, or measures it (0x400:
    // rc's right/bottom receive the measured extent).
    static void PaintText(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                          int font, UINT style);
    static SIZE MeasureText(HDC dc, CPaintManagerUI* manager, const wchar_t* text, int font);
    // Text with inline markup (the tags: markup_parse.h), drawn or measured with the
    // same flags as PaintText. `linkCount` gives the room of `links` / `linkTexts`
    // and receives the number of link rectangles filled.
    static void PaintMarkupText(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                RECT* links, CUIString* linkTexts, int& linkCount, int font, UINT style);
    // The same with the look of the links, and each rectangle's link ordinal
    // (`ordinals` may be null). A link that wraps has one rectangle per line.
    static void PaintMarkupTextEx(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  int font, UINT style, const TUIMarkupLook& look, RECT* links,
                                  CUIString* linkTexts, int* ordinals, int& linkCount);

    // ---- colours ----
    // Hue 0..360 (180 neutral); saturation and lightness in percent (100 neutral).
    static DWORD TintHsl(DWORD color, short hue, short saturation, short lightness);

    // ---- blending ----
    // Software source-over blend, used when the platform's AlphaBlend is
    // missing: the same result as AlphaBlend with a constant alpha and, with
    // `perPixelAlpha`, the source's premultiplied per-pixel alpha.
    static bool BlendFallback(HDC dcDest, int xDest, int yDest, int cxDest, int cyDest, HDC dcSrc, int xSrc,
                              int ySrc, int cxSrc, int cySrc, BYTE constantAlpha, bool perPixelAlpha = true);
    // AlphaBlend when the platform has it, else BlendFallback.
    static bool Blend(HDC dcDest, int xDest, int yDest, int cxDest, int cyDest, HDC dcSrc, int xSrc, int ySrc,
                      int cxSrc, int cySrc, BYTE constantAlpha, bool perPixelAlpha = true);
    // Test hook: pretend the platform's AlphaBlend / GradientFill are missing.
    static void ForceSoftwareFallbacks(bool force);
};

// The GDI+ text drawing of PaintText with a font handle and a length (-1: to
// the terminator); false when GDI+ cannot draw it, and the caller uses GDI.
bool PaintTextGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, int length, DWORD color,
                      HFONT font, UINT style);

}  // namespace SkinUI
