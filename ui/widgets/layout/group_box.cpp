#include "ui/widgets/layout/group_box.h"

#include <algorithm>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {
const DWORD kDefaultFrameColor = 0xFFA0A0A0;
const int kTitleIndent = 8;  // from the frame's left edge to the title's gap, unscaled
const int kTitleGap = 3;     // free line on each side of the title, unscaled
}  // namespace

CGroupBoxUI::CGroupBoxUI() = default;

const wchar_t* CGroupBoxUI::GetClass() const { return L"GroupBoxUI"; }

void* CGroupBoxUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"GroupBox") == 0) return this;
    return CVerticalLayoutUI::GetInterface(name);
}

void CGroupBoxUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"font")) {
        SetFont(attr::ToFontId(value));
    } else if (name != nullptr && attr::NameIs(name, L"textcolor")) {
        SetTextColor(attr::ToColor(value, false));
    } else if (name != nullptr && attr::NameIs(name, L"disabledtextcolor")) {
        SetDisabledTextColor(attr::ToColor(value, false));
    } else {
        CVerticalLayoutUI::ApplyAttribute(name, value);
    }
}

void CGroupBoxUI::SetFont(int font) {
    if (font == m_iFont) return;
    m_iFont = font;
    MarkDirty();
}

void CGroupBoxUI::SetTextColor(DWORD color) {
    if (color == m_dwTextColor) return;
    m_dwTextColor = color;
    Repaint();
}

void CGroupBoxUI::SetDisabledTextColor(DWORD color) {
    if (color == m_dwDisabledTextColor) return;
    m_dwDisabledTextColor = color;
    Repaint();
}

void CGroupBoxUI::SetText(const wchar_t* text) {
    const bool hadTitle = !m_sText.IsEmpty();
    CVerticalLayoutUI::SetText(text);
    if (hadTitle != !m_sText.IsEmpty()) MarkDirty();
}

int CGroupBoxUI::FrameWidth() const {
    const int width = GetBorderSize();
    return width > 0 ? width : Scale(1);
}

int CGroupBoxUI::TitleHeight() const {
    if (m_pManager == nullptr || GetText().IsEmpty()) return 0;
    const TUIFont* font = m_pManager->GetFontInfo(m_iFont);
    return font != nullptr ? std::max(0, static_cast<int>(font->tm.tmHeight)) : 0;
}

CUIRect CGroupBoxUI::TitleRect() const {
    const int height = TitleHeight();
    if (height <= 0) return CUIRect();
    const CUIString text = GetText();
    const SIZE size = CUIRender::MeasureText(m_pManager->GetPaintDC(), m_pManager, text, m_iFont);
    CUIRect rc(m_rcItem.left + Scale(kTitleIndent + kTitleGap), m_rcItem.top, 0, m_rcItem.top + height);
    rc.right = rc.left + std::max(0L, size.cx);
    // Never past the frame's right end.
    const LONG last = m_rcItem.right - Scale(kTitleIndent + kTitleGap);
    if (rc.right > last) rc.right = std::max(rc.left, last);
    return rc;
}

CUIRect CGroupBoxUI::GetClientPos() const {
    CUIRect rc = CVerticalLayoutUI::GetClientPos();
    const int frame = FrameWidth();
    rc.left += frame;
    rc.right -= frame;
    rc.bottom -= frame;
    rc.top += std::max(frame, TitleHeight());
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CGroupBoxUI::DrawBorder(HDC dc) {
    if (m_pManager == nullptr || m_rcItem.IsEmpty()) return;
    const DWORD color = ApplyHsl(GetBorderColor() != 0 ? GetBorderColor() : kDefaultFrameColor);
    const int frame = std::min(FrameWidth(), std::min(m_rcItem.GetWidth(), m_rcItem.GetHeight()));
    // The frame's top line runs through the middle of the title.
    const int title = TitleHeight();
    CUIRect box = m_rcItem;
    if (title > frame) box.top += std::min((title - frame) / 2, std::max(0, box.GetHeight() - frame));

    const CUIRect text = TitleRect();
    const LONG gap = Scale(kTitleGap);
    const CUIRect top(box.left, box.top, box.right, box.top + frame);
    if (text.IsEmpty()) {
        CUIRender::FillSolid(dc, top, color);
    } else {
        CUIRender::FillSolid(dc, CUIRect(top.left, top.top, std::max(top.left, text.left - gap), top.bottom), color);
        CUIRender::FillSolid(dc, CUIRect(std::min(top.right, text.right + gap), top.top, top.right, top.bottom), color);
    }
    CUIRender::FillSolid(dc, CUIRect(box.left, box.top, box.left + frame, box.bottom), color);
    CUIRender::FillSolid(dc, CUIRect(box.right - frame, box.top, box.right, box.bottom), color);
    CUIRender::FillSolid(dc, CUIRect(box.left, box.bottom - frame, box.right, box.bottom), color);
}

void CGroupBoxUI::DrawLabelText(HDC dc) {
    CUIRect rc = TitleRect();
    if (rc.IsEmpty()) return;
    DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if (color == 0) color = IsEnabled() ? m_pManager->GetDefaultFontColor() : m_pManager->GetDefaultDisabledColor();
    CUIRender::PaintText(dc, m_pManager, rc, GetText(), color, m_iFont,
                         DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace SkinUI
