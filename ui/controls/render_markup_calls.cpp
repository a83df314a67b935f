// The markup layout's calls that may throw, each stopped here (render_markup_calls.h).
#include "ui/controls/render_markup_calls.h"

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {
namespace markup {

void Image(HDC dc, CPaintManagerUI* manager, const wchar_t* description, const RECT* dest, const RECT* paint,
           SIZE* size) noexcept {
    try {
        if (dc != nullptr) {
            CUIRender::PaintImageSpec(dc, manager, *dest, *paint, description);
            return;
        }
        const TUIImageSpec* spec = manager->GetImageSpec(description);
        if (spec == nullptr) return;
        const TUIImage* image = manager->GetImageEx(
            spec->sImageName, spec->sResType.IsEmpty() ? nullptr : spec->sResType.GetData(), spec->dwMask);
        if (image == nullptr || image->hBitmap == nullptr) return;
        const RECT& src = spec->rcSource;
        const bool part = src.right > src.left && src.bottom > src.top;
        size->cx = part ? src.right - src.left : image->nWidth;
        size->cy = part ? src.bottom - src.top : image->nHeight;
    } catch (...) {
    }
}

bool PaintRunGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, int length, DWORD color,
                     HFONT font) noexcept {
    try {
        return PaintTextGdiplus(dc, manager, rc, text, length, color, font,
                                DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_LEFT | DT_TOP);
    } catch (...) {
        return true;  // nothing more is drawn of the run
    }
}

}  // namespace markup
}  // namespace SkinUI
