#include "ui/widgets/input/edit.h"

#include <oleacc.h>

#include <cwchar>
#include <vector>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const UINT kReflectedCommand = 0x2000 + WM_COMMAND;  // WM_COMMAND sent back by the paint manager
const int kDefaultMaxChar = 255;

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

// The clipboard holds no text, or text of digits only.
bool ClipboardHoldsDigits(HWND owner) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return true;
    if (!::OpenClipboard(owner)) return false;
    bool digits = true;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        const SIZE_T capacity = ::GlobalSize(data) / sizeof(wchar_t);
        for (SIZE_T i = 0; i < capacity && text[i] != 0; ++i) {
            if (!IsDigit(text[i])) {
                digits = false;
                break;
            }
        }
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return digits;
}

}  // namespace

CEditUI::CEditUI()
    : m_bReadOnly(false),
      m_bPassword(false),
      m_chPassword(L'*'),
      m_bDigitsOnly(false),
      m_nMaxChar(kDefaultMaxChar),
      m_dwPlaceholderColor(0),
      m_bSettingText(false) {}

const wchar_t* CEditUI::GetClass() const { return L"EditUI"; }

void* CEditUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Edit") == 0) return static_cast<CEditUI*>(this);
    return CFieldUI::GetInterface(name);
}

CUIString CEditUI::GetText() const {
    if (!m_host.IsOpen()) return m_sText;
    // The open field is the text (also when its parent does not send its changes back).
    const int length = ::GetWindowTextLengthW(m_host.Get());
    if (length <= 0) return CUIString();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, 0);
    const int got = ::GetWindowTextW(m_host.Get(), buffer.data(), length + 1);
    return CUIString(buffer.data(), got > 0 ? got : 0);
}

void CEditUI::SetText(const wchar_t* text) {
    CFieldUI::SetText(text);
    if (m_host.IsOpen()) {
        m_bSettingText = true;
        m_host.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_sText.GetData()));
        m_bSettingText = false;
    }
    Repaint();
}

bool CEditUI::TakeFieldText() {
    const CUIString text = GetText();
    if (text == m_sText) return false;
    m_sText = text;
    return true;
}

// ---- settings ----

void CEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    m_host.Send(EM_SETREADONLY, readOnly ? TRUE : FALSE);
    Repaint();
}

void CEditUI::SetPassword(bool password) {
    if (m_bPassword == password) return;
    m_bPassword = password;
    m_host.Send(EM_SETPASSWORDCHAR, password ? m_chPassword : 0);
    if (m_host.IsOpen()) ::InvalidateRect(m_host.Get(), nullptr, TRUE);
    Repaint();
}

void CEditUI::SetPasswordChar(wchar_t ch) {
    if (ch == 0) ch = L'*';
    m_chPassword = ch;
    if (m_bPassword) {
        m_host.Send(EM_SETPASSWORDCHAR, ch);
        if (m_host.IsOpen()) ::InvalidateRect(m_host.Get(), nullptr, TRUE);
    }
    Repaint();
}

void CEditUI::SetDigitsOnly(bool digitsOnly) {
    m_bDigitsOnly = digitsOnly;
    if (HWND hwnd = m_host.Get()) {
        const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
        ::SetWindowLongPtrW(hwnd, GWL_STYLE, digitsOnly ? (style | ES_NUMBER) : (style & ~LONG_PTR(ES_NUMBER)));
    }
}

void CEditUI::SetMaxChar(int count) {
    m_nMaxChar = count < 1 || count > kMaxLimit ? kMaxLimit : count;
    m_host.Send(EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxChar));
}

void CEditUI::SetPlaceholder(const wchar_t* text) {
    m_sPlaceholder = text;
    Repaint();
}

void CEditUI::SetPlaceholderColor(DWORD color) {
    m_dwPlaceholderColor = color;
    Repaint();
}

void CEditUI::SetSel(int start, int end) { m_host.Send(EM_SETSEL, static_cast<WPARAM>(start), end); }

void CEditUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"readonly")) SetReadOnly(attr::IsTrue(value));
    else if (attr::NameIs(name, L"password")) SetPassword(attr::IsTrue(value));
    else if (attr::NameIs(name, L"passwordchar")) SetPasswordChar(value[0]);
    else if (attr::NameIs(name, L"digitsonly")) SetDigitsOnly(attr::IsTrue(value));
    else if (attr::NameIs(name, L"maxchar")) SetMaxChar(attr::ToInt(value));
    else if (attr::NameIs(name, L"placeholder")) SetPlaceholder(value);
    else if (attr::NameIs(name, L"placeholdercolor")) SetPlaceholderColor(attr::ToColor(value, false));
    else CFieldUI::ApplyAttribute(name, value);
}

// ---- the hosted edit window ----

const wchar_t* CEditUI::HostClass() const { return L"EDIT"; }

DWORD CEditUI::HostStyle() const {
    DWORD style = ES_AUTOHSCROLL;
    if ((m_uTextStyle & DT_CENTER) != 0) style |= ES_CENTER;
    else if ((m_uTextStyle & DT_RIGHT) != 0) style |= ES_RIGHT;
    if (m_bReadOnly) style |= ES_READONLY;
    if (m_bPassword) style |= ES_PASSWORD;
    if (m_bDigitsOnly) style |= ES_NUMBER;
    return style;
}

void CEditUI::HostOpened() {
    m_host.Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    m_host.Send(EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxChar));
    if (m_bPassword) m_host.Send(EM_SETPASSWORDCHAR, m_chPassword);
    m_bSettingText = true;
    m_host.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_sText.GetData()));
    m_bSettingText = false;
    m_host.Send(EM_SETSEL, 0, -1);
}

LRESULT CEditUI::HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
    case WM_CHAR: {
        const auto ch = static_cast<wchar_t>(wParam);
        // Enter is a notification and Tab moves the focus: neither is a character here.
        if (ch == L'\r' || ch == L'\n' || ch == L'\t' ||
            (m_bDigitsOnly && !m_bReadOnly && ch >= 0x20 && !IsDigit(ch))) {
            if (ch != L'\r' && ch != L'\n' && ch != L'\t') ::MessageBeep(MB_OK);
            handled = true;
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            handled = true;
            if (m_pManager != nullptr) m_pManager->SendNotify(this, L"return");
            return 0;
        }
        break;
    case WM_PASTE:
        if (m_bDigitsOnly && !m_bReadOnly && !ClipboardHoldsDigits(m_host.Get())) {
            ::MessageBeep(MB_OK);
            handled = true;
            return 0;
        }
        break;
    case kReflectedCommand:
        if (HIWORD(wParam) == EN_CHANGE) {
            handled = true;
            if (TakeFieldText() && !m_bSettingText && m_pManager != nullptr) {
                m_pManager->SendNotify(this, L"textchanged");
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return CFieldUI::HostedMessage(msg, wParam, lParam, handled);
}

void CEditUI::HandleEvent(TUIEvent& event) {
    if ((event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK) && m_host.IsOpen()) {
        // The click goes on to the field: it places the caret and follows a drag.
        POINT pt = event.ptMouse;
        ::MapWindowPoints(m_pManager->GetPaintWindow(), m_host.Get(), &pt, 1);
        m_host.Send(event.Type == UIEVENT_BUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON,
                    MAKELPARAM(pt.x, pt.y));
        return;
    }
    if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP || event.Type == UIEVENT_DBLCLICK) return;
    CFieldUI::HandleEvent(event);
}

void CEditUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    CFieldUI::DescribeAccessible(info);
    if (info.name.IsEmpty()) info.name = m_sPlaceholder;
    if (m_bReadOnly) info.state |= STATE_SYSTEM_READONLY;
    if (m_bPassword) {
        info.value.Empty();
        info.state |= STATE_SYSTEM_PROTECTED;
    }
}

// ---- painting while the field is closed ----

void CEditUI::DrawLabelText(HDC dc) {
    if (m_host.IsOpen() || m_pManager == nullptr) return;  // the field shows the text
    ResolveTextColors();
    CUIString shown = m_sText;
    DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if (shown.IsEmpty()) {
        if (m_sPlaceholder.IsEmpty() || IsFocused()) return;
        shown = m_sPlaceholder;
        if (m_dwPlaceholderColor != 0) color = m_dwPlaceholderColor;
        else color = m_dwDisabledTextColor;
    } else if (m_bPassword) {
        CUIString mask;
        for (int i = 0; i < shown.GetLength(); ++i) mask += m_chPassword;
        shown = mask;
    }
    const RECT field = HostRect();
    RECT rc = {field.left, m_rcItem.top + Scale(m_rcTextPadding.top), field.right,
               m_rcItem.bottom - Scale(m_rcTextPadding.bottom)};
    CUIRender::PaintText(dc, m_pManager, rc, shown, color, m_iFont, m_uTextStyle & ~UINT(DT_WORDBREAK));
}

}  // namespace SkinUI
