// PaintMarkupText, the markup drawing with the links' default look. Apart from
// render_markup.cpp because the launcher draws markup only through labels, which
// call PaintMarkupTextEx.
#include "ui/controls/render.h"

namespace SkinUI {

void CUIRender::PaintMarkupText(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                RECT* links, CUIString* linkTexts, int& linkCount, int font, UINT style) {
    PaintMarkupTextEx(dc, manager, rc, text, color, font, style, TUIMarkupLook(), links, linkTexts, nullptr,
                      linkCount);
}

}  // namespace SkinUI
