#include "ui/widgets/list/list_check.h"

#include "ui/controls/attribute_values.h"
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

bool TListCheckLooks::Apply(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    static const wchar_t* const kNames[3] = {L"uncheckedimage", L"checkedimage", L"mixedimage"};
    for (int s = 0; s < 3; ++s) {
        if (NameIs(name, kNames[s])) {
            image[s] = ImageDesc(value);
            return true;
        }
    }
    return false;
}

namespace ListCheck {

int Scaled(const CControlUI* control, int v) {
    CPaintManagerUI* manager = control->GetManager();
    return manager != nullptr ? manager->GetDPIObj()->Scale(v) : v;
}

CUIRect BoxIn(const CControlUI* control, const RECT& cell) {
    int size = Scaled(control, TListCheckLooks::kBoxSize);
    const int width = cell.right - cell.left;
    const int height = cell.bottom - cell.top;
    if (size > width) size = width;
    if (size > height) size = height;
    if (size < 0) size = 0;
    const int left = cell.left + (width - size) / 2;
    const int top = cell.top + (height - size) / 2;
    return CUIRect(left, top, left + size, top + size);
}

void PaintImageIn(HDC dc, CControlUI* control, const CUIString& image, const RECT& rc) {
    // The modifier is scaled again when drawn: unscaled units, relative to the control.
    CPaintManagerUI* manager = control->GetManager();
    const int percent = manager != nullptr ? manager->GetDpiScale() : 100;
    const CUIRect& item = control->GetPos();
    CUIString modifier;
    modifier.Format(L"dest='%d,%d,%d,%d'", ::MulDiv(rc.left - item.left, 100, percent),
                    ::MulDiv(rc.top - item.top, 100, percent), ::MulDiv(rc.right - item.left, 100, percent),
                    ::MulDiv(rc.bottom - item.top, 100, percent));
    control->DrawImageSpec(dc, image, modifier);
}

void PaintBox(HDC dc, CControlUI* control, const RECT& cell, int state, const TListCheckLooks& looks, DWORD color) {
    if (state < kCheckOff || state > kCheckMixed) state = kCheckOff;
    const CUIRect box = BoxIn(control, cell);
    if (box.IsEmpty()) return;
    if (!looks.image[state].IsEmpty()) {
        PaintImageIn(dc, control, looks.image[state], box);
        return;
    }
    const int line = Scaled(control, 1) > 0 ? Scaled(control, 1) : 1;
    CUIRender::StrokeRect(dc, box, line, color);
    const int inset = box.GetWidth() / 4;
    if (state == kCheckMixed) {
        RECT inner = {box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
        CUIRender::FillSolid(dc, inner, color);
    } else if (state == kCheckOn) {
        // A tick: down from the left third to the bottom, then up to the right.
        const int w = box.GetWidth();
        const POINT a = {box.left + inset, box.top + w / 2};
        const POINT b = {box.left + w * 2 / 5, box.bottom - inset - line};
        const POINT c = {box.right - inset, box.top + inset};
        CUIRender::StrokeLine(dc, RECT{a.x, a.y, b.x, b.y}, line + 1, color);
        CUIRender::StrokeLine(dc, RECT{b.x, b.y, c.x, c.y}, line + 1, color);
    }
}

void PaintExpander(HDC dc, CControlUI* control, const RECT& cell, bool expanded, const CUIString& image,
                   DWORD color) {
    CUIRect box = BoxIn(control, cell);
    if (!image.IsEmpty()) {
        PaintImageIn(dc, control, image, box);
        return;
    }
    // A square of about nine pixels at 100 %.
    const int shrink = box.GetWidth() / 6;
    box.Deflate(shrink, shrink);
    if (box.IsEmpty()) return;
    const int line = Scaled(control, 1) > 0 ? Scaled(control, 1) : 1;
    CUIRender::StrokeRect(dc, box, line, color);
    const int midX = (box.left + box.right) / 2;
    const int midY = (box.top + box.bottom) / 2;
    const int arm = box.GetWidth() / 2 - 2 * line;
    if (arm <= 0) return;
    CUIRender::FillSolid(dc, RECT{midX - arm, midY, midX + arm + 1, midY + line}, color);
    if (!expanded) CUIRender::FillSolid(dc, RECT{midX, midY - arm, midX + line, midY + arm + 1}, color);
}

}  // namespace ListCheck

}  // namespace SkinUI
