#include "ui/widgets/input/ip_address_ex.h"

#include <oleacc.h>

#include <cwchar>

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/ip_address_text.h"

namespace SkinUI {

CIPAddressExUI::CIPAddressExUI() : m_nField(0), m_nTyped(0) {
    for (int& octet : m_octets) octet = kBlankOctet;
}

const wchar_t* CIPAddressExUI::GetClass() const { return L"IPAddressExUI"; }

void* CIPAddressExUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"IPAddressEx") == 0) return static_cast<CIPAddressExUI*>(this);
    return CFieldUI::GetInterface(name);
}

LONG CIPAddressExUI::AccessibleRole() const { return ROLE_SYSTEM_IPADDRESS; }

CUIString CIPAddressExUI::GetText() const { return FormatAddress(m_octets); }

void CIPAddressExUI::SetText(const wchar_t* text) {
    ParseAddress(text, m_octets);
    CFieldUI::SetText(FormatAddress(m_octets));
    m_nTyped = 0;
    Repaint();
}

DWORD CIPAddressExUI::GetAddress() const { return PackAddress(m_octets); }

void CIPAddressExUI::SetAddress(DWORD address) {
    UnpackAddress(address, m_octets);
    CFieldUI::SetText(FormatAddress(m_octets));
    m_nTyped = 0;
    Repaint();
}

void CIPAddressExUI::Changed() {
    m_sText = FormatAddress(m_octets);
    Repaint();
    if (m_pManager != nullptr) m_pManager->SendNotify(this, L"textchanged");
}

void CIPAddressExUI::MoveTo(int field) {
    field = field < 0 ? 0 : field > 3 ? 3 : field;
    m_nField = field;
    m_nTyped = 0;
    Repaint();
}

void CIPAddressExUI::Typed(wchar_t ch) {
    int& octet = m_octets[m_nField];
    if (ch >= L'0' && ch <= L'9') {
        const int base = m_nTyped == 0 || octet == kBlankOctet ? 0 : octet;
        octet = ClampOctet(base * 10LL + (ch - L'0'));
        ++m_nTyped;
        const bool full = m_nTyped >= 3;
        Changed();
        if (full && m_nField < 3) MoveTo(m_nField + 1);
    } else if (ch == L'.') {
        if (octet != kBlankOctet && m_nField < 3) MoveTo(m_nField + 1);
    } else if (ch == L'\b') {
        if (octet == kBlankOctet) {
            MoveTo(m_nField - 1);
            return;
        }
        octet = octet >= 10 ? octet / 10 : kBlankOctet;
        m_nTyped = octet == kBlankOctet ? 0 : (octet >= 10 ? 2 : 1);
        Changed();
    }
}

void CIPAddressExUI::HandleEvent(TUIEvent& event) {
    if (!IsEnabled()) {
        CFieldUI::HandleEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_CHAR:
        if (IsKeyboardEnabled()) Typed(event.chKey);
        return;
    case UIEVENT_KEYDOWN:
        if (!IsKeyboardEnabled()) break;
        switch (event.chKey) {
        case VK_LEFT: MoveTo(m_nField - 1); return;
        case VK_RIGHT: MoveTo(m_nField + 1); return;
        case VK_HOME: MoveTo(0); return;
        case VK_END: MoveTo(3); return;
        case VK_DELETE:
            if (m_octets[m_nField] != kBlankOctet) {
                m_octets[m_nField] = kBlankOctet;
                m_nTyped = 0;
                Changed();
            }
            return;
        default: return;
        }
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        RECT cells[4], dots[3];
        Cells(cells, dots);
        int field = 0;
        for (int i = 1; i < 4; ++i) {
            if (event.ptMouse.x >= dots[i - 1].left) field = i;
        }
        MoveTo(field);
        return;
    }
    case UIEVENT_BUTTONUP:
        return;
    case UIEVENT_SETFOCUS:
        m_nTyped = 0;
        break;
    default:
        break;
    }
    CFieldUI::HandleEvent(event);
}

void CIPAddressExUI::Cells(RECT cells[4], RECT dots[3]) const {
    const RECT inner = HostRect();
    const int width = inner.right - inner.left;
    // A dot takes a quarter of a field's width, at least one pixel.
    const int dotWidth = width / 17 > 1 ? width / 17 : 1;
    const int cellWidth = (width - 3 * dotWidth) / 4 > 0 ? (width - 3 * dotWidth) / 4 : 0;
    int x = inner.left;
    for (int i = 0; i < 4; ++i) {
        cells[i] = RECT{x, m_rcItem.top, x + cellWidth, m_rcItem.bottom};
        x += cellWidth;
        if (i < 3) {
            dots[i] = RECT{x, m_rcItem.top, x + dotWidth, m_rcItem.bottom};
            x += dotWidth;
        }
    }
}

void CIPAddressExUI::DrawLabelText(HDC dc) {
    if (m_pManager == nullptr) return;
    ResolveTextColors();
    const DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    RECT cells[4], dots[3];
    Cells(cells, dots);
    const UINT style = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const int padTop = Scale(m_rcTextPadding.top);
    const int padBottom = Scale(m_rcTextPadding.bottom);
    for (int i = 0; i < 4; ++i) {
        RECT rc = {cells[i].left, cells[i].top + padTop, cells[i].right, cells[i].bottom - padBottom};
        CUIString text;
        if (m_octets[i] != kBlankOctet) text.Format(L"%d", m_octets[i]);
        const bool current = IsFocused() && i == m_nField;
        if (current) {
            // The current field: the selection colour behind it, the caret after its digits.
            const TUIFont* font = m_pManager->GetFontInfo(m_iFont);
            const int lineHeight = font != nullptr && font->tm.tmHeight > 0 ? font->tm.tmHeight : Scale(16);
            const int width = text.IsEmpty() ? 0 : CUIRender::MeasureText(dc, m_pManager, text, m_iFont).cx;
            const int middle = (rc.top + rc.bottom) / 2;
            const DWORD selected = m_pManager->GetDefaultSelectedBkColor();
            if (selected != 0) {
                CUIRender::FillSolid(dc, RECT{rc.left, middle - lineHeight / 2, rc.right, middle + lineHeight / 2},
                                     selected);
            }
            const int caretX = (rc.left + rc.right + width) / 2;
            const int caretWidth = Scale(1) > 1 ? Scale(1) : 1;
            CUIRender::FillSolid(dc, RECT{caretX, middle - lineHeight / 2, caretX + caretWidth, middle + lineHeight / 2},
                                 color);
        }
        if (!text.IsEmpty()) CUIRender::PaintText(dc, m_pManager, rc, text, color, m_iFont, style);
        if (i < 3) {
            RECT dot = {dots[i].left, dots[i].top + padTop, dots[i].right, dots[i].bottom - padBottom};
            CUIRender::PaintText(dc, m_pManager, dot, L".", color, m_iFont, style);
        }
    }
}

}  // namespace SkinUI
