#include "ui/controls/label.h"

#include <cwchar>
#include <cwctype>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const UINT kHorizontalBits = DT_CENTER | DT_RIGHT;
const int kMeasureExtent = 9999;

bool Contains(const wchar_t* text, const wchar_t* word) { return std::wcsstr(text, word) != nullptr; }

}  // namespace


CLabelUI::CLabelUI()
    : m_dwTextColor(0),
      m_dwDisabledTextColor(0),
      m_iFont(-1),
      m_uTextStyle(DT_VCENTER | DT_SINGLELINE),
      m_bShowHtml(false),
      m_bAutoCalcWidth(false),
      m_bAutoCalcHeight(false),
      m_szAvailableLast{0, 0},
      m_cxyMeasured{0, 0},
      m_bNeedMeasure(false) {}


const wchar_t* CLabelUI::GetClass() const { return L"LabelUI"; }

void* CLabelUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && _wcsicmp(name, L"Label") == 0) return static_cast<CLabelUI*>(this);
    return CControlUI::GetInterface(name);
}

UINT CLabelUI::GetControlFlags() const { return IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u; }

void CLabelUI::SetText(const wchar_t* text) {
    CControlUI::SetText(text);
    m_bNeedMeasure = true;
    if (m_bAutoCalcWidth || m_bAutoCalcHeight) MarkParentDirty();
}

void CLabelUI::SetTextStyle(UINT style) {
    m_uTextStyle = style;
    Repaint();
}

void CLabelUI::SetTextColor(DWORD color) {
    m_dwTextColor = color;
    Repaint();
}

void CLabelUI::SetDisabledTextColor(DWORD color) {
    m_dwDisabledTextColor = color;
    Repaint();
}

void CLabelUI::SetFont(int font) {
    m_iFont = font;
    m_bNeedMeasure = true;
    Repaint();
}

void CLabelUI::SetTextPadding(const RECT& padding) {
    m_rcTextPadding = padding;
    m_bNeedMeasure = true;
    Repaint();
}

void CLabelUI::SetShowHtml(bool show) {
    if (m_bShowHtml == show) return;
    m_bShowHtml = show;
    m_bNeedMeasure = true;
    Repaint();
}

bool CLabelUI::GetAutoCalcWidth() const { return m_bAutoCalcWidth; }
void CLabelUI::SetAutoCalcWidth(bool autoWidth) { m_bAutoCalcWidth = autoWidth; }
bool CLabelUI::GetAutoCalcHeight() const { return m_bAutoCalcHeight; }
void CLabelUI::SetAutoCalcHeight(bool autoHeight) { m_bAutoCalcHeight = autoHeight; }

void CLabelUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"align")) {
        if (Contains(value, L"left")) m_uTextStyle &= ~(DT_CENTER | DT_RIGHT);
        if (Contains(value, L"center")) {
            m_uTextStyle &= ~DT_RIGHT;
            m_uTextStyle |= DT_CENTER;
        }
        if (Contains(value, L"right")) {
            m_uTextStyle &= ~DT_CENTER;
            m_uTextStyle |= DT_RIGHT;
        }
    } else if (attr::NameIs(name, L"valign")) {
        if (Contains(value, L"top")) {
            m_uTextStyle &= ~(DT_BOTTOM | DT_VCENTER | DT_WORDBREAK);
            m_uTextStyle |= DT_TOP | DT_SINGLELINE;
        }
        if (Contains(value, L"vcenter")) {
            m_uTextStyle &= ~(DT_BOTTOM | DT_WORDBREAK);
            m_uTextStyle |= DT_VCENTER | DT_SINGLELINE;
        }
        if (Contains(value, L"bottom")) {
            m_uTextStyle &= ~(DT_VCENTER | DT_WORDBREAK);
            m_uTextStyle |= DT_BOTTOM | DT_SINGLELINE;
        }
    } else if (attr::NameIs(name, L"endellipsis")) {
        if (attr::IsTrue(value))
            m_uTextStyle |= DT_END_ELLIPSIS;
        else
            m_uTextStyle &= ~DT_END_ELLIPSIS;
    } else if (attr::NameIs(name, L"wordbreak")) {
        if (attr::IsTrue(value)) {
            m_uTextStyle &= ~DT_SINGLELINE;
            m_uTextStyle |= DT_WORDBREAK | DT_EDITCONTROL;
        } else {
            m_uTextStyle &= ~(DT_WORDBREAK | DT_EDITCONTROL);
            m_uTextStyle |= DT_SINGLELINE;
        }
    } else if (attr::NameIs(name, L"noprefix")) {
        if (attr::IsTrue(value))
            m_uTextStyle |= DT_NOPREFIX;
        else
            m_uTextStyle &= ~DT_NOPREFIX;
    } else if (attr::NameIs(name, L"font")) {
        SetFont(attr::ToFontId(value));
    } else if (attr::NameIs(name, L"textcolor")) {
        SetTextColor(attr::ToColor(value, false));
    } else if (attr::NameIs(name, L"disabledtextcolor")) {
        SetDisabledTextColor(attr::ToColor(value, false));
    } else if (attr::NameIs(name, L"textpadding")) {
        SetTextPadding(attr::ToRect(value));
    } else if (attr::NameIs(name, L"showhtml")) {
        SetShowHtml(attr::IsTrue(value));
    } else if (ApplyLinkAttribute(name, value)) {
    } else if (attr::NameIs(name, L"autocalcwidth")) {
        SetAutoCalcWidth(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"autocalcheight")) {
        SetAutoCalcHeight(attr::IsTrue(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

void CLabelUI::HandleEvent(TUIEvent& event) {
    if (HandleLinkEvent(event)) return;
    if (event.Type == UIEVENT_SETFOCUS) {
        m_bFocused = true;
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = false;
        return;
    }
    CControlUI::HandleEvent(event);
}

void CLabelUI::MeasureTextIn(RECT& rc, UINT style) {
    if (m_pManager == nullptr) return;
    CUIString text = GetText();
    HDC dc = m_pManager->GetPaintDC();
    if (m_bShowHtml) {
        int links = 0;
        CUIRender::PaintMarkupTextEx(dc, m_pManager, rc, text, m_dwTextColor, m_iFont, style | DT_CALCRECT,
                                     TUIMarkupLook(), nullptr, nullptr, nullptr, links);
    } else {
        CUIRender::PaintText(dc, m_pManager, rc, text, m_dwTextColor, m_iFont, style | DT_CALCRECT);
    }
}

SIZE CLabelUI::MeasureDesired(SIZE available) {
    if (m_cxyFixed.cx >= 1 && m_cxyFixed.cy >= 1) return GetFixedSize();

    if (available.cx != m_szAvailableLast.cx || available.cy != m_szAvailableLast.cy) m_bNeedMeasure = true;
    if (!m_bNeedMeasure) return m_cxyMeasured;

    m_bNeedMeasure = false;
    m_szAvailableLast = available;
    m_cxyMeasured.cx = GetFixedWidth();
    m_cxyMeasured.cy = GetFixedHeight();
    const CUIRect& pad = m_rcTextPadding;

    if ((m_uTextStyle & DT_SINGLELINE) != 0) {
        if (m_cxyMeasured.cy == 0) {
            int textHeight = 0;
            if (m_pManager != nullptr) {
                const TUIFont* font = m_pManager->GetFontInfo(m_iFont);
                if (font != nullptr) textHeight = font->tm.tmHeight;
            }
            m_cxyMeasured.cy = textHeight + Scale(8) + Scale(pad.top + pad.bottom);
        }
        if (m_cxyMeasured.cx == 0 && m_bAutoCalcWidth) {
            RECT rc = {0, 0, kMeasureExtent, m_cxyMeasured.cy};
            MeasureTextIn(rc, m_uTextStyle & ~kHorizontalBits);
            m_cxyMeasured.cx = (rc.right - rc.left) + Scale(pad.left + pad.right);
        }
    } else if (m_cxyMeasured.cy == 0 && m_bAutoCalcHeight) {
        RECT rc = {pad.left, 0, m_cxyMeasured.cx - pad.right, kMeasureExtent};
        MeasureTextIn(rc, m_uTextStyle & ~kHorizontalBits);
        m_cxyMeasured.cy = (rc.bottom - rc.top) + pad.top + pad.bottom;
    }
    return m_cxyMeasured;
}

void CLabelUI::ResolveTextColors() {
    if (m_pManager == nullptr) return;
    if (m_dwTextColor == 0) m_dwTextColor = m_pManager->GetDefaultFontColor();
    if (m_dwDisabledTextColor == 0) m_dwDisabledTextColor = m_pManager->GetDefaultDisabledColor();
}

void CLabelUI::DrawTextWith(HDC dc, DWORD color, int font) {
    CUIString text = GetText();
    if (text.IsEmpty() || m_pManager == nullptr) return;
    CUIRect rc = m_rcItem;
    rc.left += Scale(m_rcTextPadding.left);
    rc.top += Scale(m_rcTextPadding.top);
    rc.right -= Scale(m_rcTextPadding.right);
    rc.bottom -= Scale(m_rcTextPadding.bottom);
    if (m_bShowHtml) {
        DrawMarkup(dc, rc, text, color, font);
    } else {
        CUIRender::PaintText(dc, m_pManager, rc, text, color, font, m_uTextStyle);
    }
}

void CLabelUI::DrawLabelText(HDC dc) {
    ResolveTextColors();
    DrawTextWith(dc, IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor, m_iFont);
}

}  // namespace SkinUI
