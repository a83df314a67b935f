// The calls of the markup layout (render_markup.cpp) that may throw, each
// stopped in render_markup_calls.cpp: the layout is built without unwind
// tables, so no exception may pass through it. What throws here throws only
// when memory runs out; the call then does nothing. (The manager's fonts are
// looked up without allocating, so the layout asks for them directly.)
#pragma once

#include <windows.h>

namespace SkinUI {

class CPaintManagerUI;

namespace markup {

// Without a dc: the size an image description draws at (its source part, else
// the whole bitmap) into `size`, which stays as it is for an image that cannot
// be fetched. With one: CUIRender::PaintImageSpec with `dest` as the item rectangle.
void Image(HDC dc, CPaintManagerUI* manager, const wchar_t* description, const RECT* dest, const RECT* paint,
           SIZE* size) noexcept;
// PaintTextGdiplus of a run of one style, at the top left of `rc` on one line; false when
// GDI+ did not draw.
bool PaintRunGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, int length, DWORD color,
                     HFONT font) noexcept;

}  // namespace markup
}  // namespace SkinUI
