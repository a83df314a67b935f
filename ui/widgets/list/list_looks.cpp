#include "ui/widgets/list/list_looks.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

UINT Aligned(UINT style, const wchar_t* value) {
    style &= ~UINT(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (std::wcsstr(value, L"center") != nullptr) style |= DT_CENTER;
    if (std::wcsstr(value, L"right") != nullptr) style |= DT_RIGHT;
    return style;
}

int Scaled(CControlUI* row, int v) {
    CPaintManagerUI* manager = row->GetManager();
    return manager != nullptr ? manager->GetDPIObj()->Scale(v) : v;
}

}  // namespace

bool TListItemLooks::Apply(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    static const wchar_t* const kStateNames[kStates] = {L"", L"hot", L"selected", L"disabled"};
    if (NameIs(name, L"itemheight")) {
        const int v = ToInt(value);
        const int most = kMaxHeight;
        height = v < 0 ? 0 : v > most ? most : v;
    } else if (NameIs(name, L"itemfont")) {
        font = ToFontId(value);
    } else if (NameIs(name, L"itemalign")) {
        textStyle = Aligned(textStyle, value);
    } else if (NameIs(name, L"itemtextpadding")) {
        textPadding = ToRect(value);
    } else if (NameIs(name, L"itemaltbkcolor")) {
        altBkColor = ToColor(value, false);
    } else if (NameIs(name, L"itemlinecolor")) {
        lineColor = ToColor(value, false);
    } else if (NameIs(name, L"itembkimage")) {
        image[kRowNormal] = ImageDesc(value);
    } else {
        // item<state>textcolor, item<state>bkcolor, item<state>image (the normal state has no word).
        for (int s = 0; s < kStates; ++s) {
            wchar_t key[40];
            ::wsprintfW(key, L"item%stextcolor", kStateNames[s]);
            if (NameIs(name, key)) {
                textColor[s] = ToColor(value, false);
                return true;
            }
            ::wsprintfW(key, L"item%sbkcolor", kStateNames[s]);
            if (NameIs(name, key)) {
                bkColor[s] = ToColor(value, false);
                return true;
            }
            if (s == kRowNormal) continue;
            ::wsprintfW(key, L"item%simage", kStateNames[s]);
            if (NameIs(name, key)) {
                image[s] = ImageDesc(value);
                return true;
            }
        }
        return false;
    }
    return true;
}

namespace ListPaint {

void Background(HDC dc, CControlUI* row, const TListItemLooks& looks, int state, int index) {
    DWORD color = looks.bkColor[state];
    if (state == kRowNormal && (index & 1) != 0 && looks.altBkColor != 0) color = looks.altBkColor;
    if (color == 0) color = looks.bkColor[kRowNormal];
    if (color != 0) CUIRender::FillSolid(dc, row->GetPos(), row->ApplyHsl(color));
    const CUIString& image = looks.image[state].IsEmpty() ? looks.image[kRowNormal] : looks.image[state];
    if (!image.IsEmpty()) row->DrawImageSpec(dc, image);
}

DWORD TextColor(CControlUI* row, const TListItemLooks& looks, int state) {
    DWORD color = looks.textColor[state];
    CPaintManagerUI* manager = row->GetManager();
    if (color == 0 && state == kRowDisabled && manager != nullptr) color = manager->GetDefaultDisabledColor();
    if (color == 0) color = looks.textColor[kRowNormal];
    if (color == 0 && manager != nullptr) color = manager->GetDefaultFontColor();
    return row->ApplyHsl(color);
}

void Text(HDC dc, CControlUI* row, const TListItemLooks& looks, int state, RECT cell, const wchar_t* text) {
    CPaintManagerUI* manager = row->GetManager();
    if (manager == nullptr || text == nullptr || *text == 0) return;
    cell.left += Scaled(row, looks.textPadding.left);
    cell.top += Scaled(row, looks.textPadding.top);
    cell.right -= Scaled(row, looks.textPadding.right);
    cell.bottom -= Scaled(row, looks.textPadding.bottom);
    if (cell.right <= cell.left || cell.bottom <= cell.top) return;
    CUIRender::PaintText(dc, manager, cell, text, TextColor(row, looks, state), looks.font, looks.textStyle);
}

void Line(HDC dc, CControlUI* row, const TListItemLooks& looks) {
    if (looks.lineColor == 0) return;
    const CUIRect& rc = row->GetPos();
    const RECT line = {rc.left, rc.bottom - 1, rc.right, rc.bottom};
    CUIRender::FillSolid(dc, line, row->ApplyHsl(looks.lineColor));
}

}  // namespace ListPaint

}  // namespace SkinUI
