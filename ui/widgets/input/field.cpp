#include "ui/widgets/input/field.h"

#include <oleacc.h>

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// The paint manager sends WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* back to the child window
// they came from as the message plus this.
const UINT kReflected = 0x2000;
// The control timer of the caret drawn in layered windows.
const UINT kCaretTimer = 0x0CA7;

COLORREF ToColorRef(DWORD argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// The messages after which a hosted window may look different.
bool MayChangeLook(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case kReflected + WM_COMMAND:
    case kReflected + WM_NOTIFY:
        return true;
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) != 0;
    default:
        return false;
    }
}

}  // namespace

CFieldUI::CFieldUI()
    : m_host(this),
      m_uFieldState(0),
      m_dwNativeBkColor(0xFFFFFFFF),
      m_bClosing(false),
      m_bCaretOn(true),
      m_bCaretTimer(false) {
    m_uTextStyle |= DT_NOPREFIX;
}

CFieldUI::~CFieldUI() {
    m_bClosing = true;  // nothing reopens the window from here on
    // The derived part is gone: its HostClosing (which reads the window back) has nothing to
    // keep the text for.
    CloseHost(false);
}

void* CFieldUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Field") == 0) return static_cast<CFieldUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CFieldUI::GetControlFlags() const {
    if (!IsEnabled()) return 0;
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | UINT(UIFLAG_SETCURSOR);
}

void CFieldUI::SetEnabled(bool enable) {
    if (!enable) CloseHost();
    CLabelUI::SetEnabled(enable);
    if (!enable) m_uFieldState &= ~UINT(UIFIELD_HOT);
}

void CFieldUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager) CloseHost();
    CLabelUI::SetManager(manager, parent, init);
}

void CFieldUI::PlaceAt(CUIRect rc, bool invalidate) {
    CLabelUI::PlaceAt(rc, invalidate);
    if (m_host.IsOpen()) {
        const RECT at = HostRect();
        ::MoveWindow(m_host.Get(), at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
    } else if (IsFocused()) {
        OpenHost();  // focused before the first layout placed it
    }
}

RECT CFieldUI::HostRect() const {
    CUIRect rc = m_rcItem;
    const int border = GetBorderSize();
    rc.left += Scale(m_rcTextPadding.left) + border;
    rc.top += Scale(m_rcTextPadding.top) + border;
    rc.right -= Scale(m_rcTextPadding.right) + border;
    rc.bottom -= Scale(m_rcTextPadding.bottom) + border;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    // One line of the font, centred the way the label centres its text.
    const TUIFont* font = m_pManager != nullptr ? m_pManager->GetFontInfo(m_iFont) : nullptr;
    const int lineHeight = font != nullptr ? font->tm.tmHeight : 0;
    if (lineHeight > 0 && lineHeight < rc.GetHeight()) {
        rc.top += (rc.GetHeight() - lineHeight) / 2;
        rc.bottom = rc.top + lineHeight;
    }
    return rc;
}

bool CFieldUI::OpenHost() {
    if (m_host.IsOpen()) return true;
    if (m_bClosing || HostClass() == nullptr || m_pManager == nullptr) return false;
    if (!IsVisible() || !IsEnabled() || !IsFocused()) return false;
    HWND paint = m_pManager->GetPaintWindow();
    if (paint == nullptr || !::IsWindowVisible(paint)) return false;
    const RECT rc = HostRect();
    if (rc.right <= rc.left || rc.bottom <= rc.top) return false;
    if (!m_host.Create(paint, HostClass(), HostStyle() | WS_VISIBLE, 0, rc)) return false;
    HWND hwnd = m_host.Get();
    m_host.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_pManager->GetFont(m_iFont)), FALSE);
    m_pManager->AddNativeWindow(this, hwnd);
    HostOpened();
    if (!m_host.IsOpen()) return false;
    ::SetFocus(hwnd);
    NoteLayeredCaret(true);
    Repaint();
    return m_host.IsOpen();
}

void CFieldUI::FocusHost() {
    HWND host = m_host.Get();
    HWND focus = ::GetFocus();
    if (host != nullptr && focus != host && !::IsChild(host, focus)) ::SetFocus(host);
}

void CFieldUI::CloseHost(bool readBack) {
    if (!m_host.IsOpen()) return;
    const bool wasClosing = m_bClosing;
    m_bClosing = true;
    if (readBack) HostClosing();
    HWND hwnd = m_host.Get();
    NoteLayeredCaret(false);
    if (m_pManager != nullptr) m_pManager->RemoveNativeWindow(hwnd);
    m_host.Destroy();
    m_bClosing = wasClosing;
    Repaint();
}

void CFieldUI::HostedWindowGone() {
    // The paint window went first and took the hosted one with it.
    NoteLayeredCaret(false);
}

void CFieldUI::RefreshLayered() {
    if (m_pManager != nullptr && m_pManager->IsLayered()) Repaint();
}

void CFieldUI::NoteLayeredCaret(bool start) {
    if (m_pManager == nullptr) return;
    if (m_bCaretTimer) {
        m_pManager->KillControlTimer(this, kCaretTimer);
        m_bCaretTimer = false;
    }
    m_bCaretOn = true;
    const UINT blink = ::GetCaretBlinkTime();
    if (start && m_pManager->IsLayered() && blink != 0 && blink != INFINITE) {
        m_bCaretTimer = m_pManager->SetControlTimer(this, kCaretTimer, blink);
    }
}

COLORREF CFieldUI::HostTextColor() {
    ResolveTextColors();
    COLORREF color = ToColorRef(IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor);
    if (color == RGB(0, 0, 0) && m_pManager != nullptr && m_pManager->IsLayered()) color = RGB(1, 1, 1);
    return color;
}

void CFieldUI::DrawLayeredCaret(HDC dc) {
    if (dc == nullptr || !m_bCaretOn || m_pManager == nullptr || !m_pManager->IsLayered()) return;
    HWND host = m_host.Get();
    HWND focus = ::GetFocus();
    if (host == nullptr || focus == nullptr || (focus != host && !::IsChild(host, focus))) return;
    POINT pt = {};
    if (!::GetCaretPos(&pt)) return;
    ::MapWindowPoints(focus, host, &pt, 1);
    const TUIFont* font = m_pManager->GetFontInfo(m_iFont);
    const int height = font != nullptr && font->tm.tmHeight > 0 ? font->tm.tmHeight : Scale(16);
    const int width = Scale(1) > 1 ? Scale(1) : 1;
    const RECT caret = {pt.x, pt.y, pt.x + width, pt.y + height};
    CGdiObject<HBRUSH> brush(::CreateSolidBrush(HostTextColor()));
    if (brush) ::FillRect(dc, &caret, brush.Get());
}

LRESULT CFieldUI::HostedMessage(UINT msg, WPARAM wParam, LPARAM /*lParam*/, bool& handled) {
    if (msg == kReflected + WM_CTLCOLOREDIT || msg == kReflected + WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const COLORREF back = ToColorRef(m_dwNativeBkColor);
        ::SetTextColor(dc, HostTextColor());
        ::SetBkColor(dc, back);
        if (!m_brush) m_brush.Reset(::CreateSolidBrush(back));
        handled = true;
        return reinterpret_cast<LRESULT>(m_brush.Get());
    }
    return 0;
}

void CFieldUI::HostedMessageDone(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
    if (msg == WM_PRINT) {
        DrawLayeredCaret(reinterpret_cast<HDC>(wParam));
        return;
    }
    if (m_pManager == nullptr || !m_pManager->IsLayered() || !MayChangeLook(msg, wParam)) return;
    m_bCaretOn = true;
    RefreshLayered();
}

void CFieldUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        // Also when the paint window took the keyboard back (a click on it) while the
        // field kept the framework's focus: the keys go on to the open window.
        if (m_host.IsOpen() && !m_bClosing) FocusHost();
        else OpenHost();
        Repaint();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        CloseHost();
        Repaint();
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) m_uFieldState |= UIFIELD_HOT;
        Repaint();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uFieldState &= ~UINT(UIFIELD_HOT);
        Repaint();
        return;
    case UIEVENT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)));  // the text cursor
        return;
    case UIEVENT_TIMER:
        if (event.wParam == kCaretTimer) {
            m_bCaretOn = !m_bCaretOn;
            RefreshLayered();
            return;
        }
        break;
    case UIEVENT_KEYDOWN:
    case UIEVENT_CHAR:
        // Keys that reach the paint window while the field has the focus (the window was
        // not shown yet when it took it) open the hosted window and go on to it.
        if (HostClass() != nullptr && OpenHost()) {
            m_host.Send(event.Type == UIEVENT_CHAR ? WM_CHAR : WM_KEYDOWN, event.wParam, event.lParam);
            return;
        }
        break;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

// ---- accessibility ----

LONG CFieldUI::AccessibleRole() const { return ROLE_SYSTEM_TEXT; }

void CFieldUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    const wchar_t* given = GetExtraAttribute(kAccessibleNameAttribute);
    info.name = given != nullptr && *given != 0 ? CUIString(given) : GetToolTip();
    if (info.description == info.name) info.description.Empty();
    info.value = GetText();
}

// ---- markup ----

void CFieldUI::SetNormalImage(const wchar_t* image) {
    m_sNormalImage = image;
    Repaint();
}
void CFieldUI::SetHotImage(const wchar_t* image) {
    m_sHotImage = image;
    Repaint();
}
void CFieldUI::SetFocusedImage(const wchar_t* image) {
    m_sFocusedImage = image;
    Repaint();
}
void CFieldUI::SetDisabledImage(const wchar_t* image) {
    m_sDisabledImage = image;
    Repaint();
}
void CFieldUI::SetNativeBkColor(DWORD color) {
    m_dwNativeBkColor = color;
    m_brush.Reset();
    if (m_host.IsOpen()) ::InvalidateRect(m_host.Get(), nullptr, TRUE);
}

void CFieldUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"normalimage")) SetNormalImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"hotimage")) SetHotImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"focusedimage")) SetFocusedImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"disabledimage")) SetDisabledImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"nativebkcolor")) SetNativeBkColor(attr::ToColor(value, false));
    else CLabelUI::ApplyAttribute(name, value);
}

void CFieldUI::DrawStateImage(HDC dc) {
    const CUIString* chosen = nullptr;
    if (!IsEnabled())
        chosen = &m_sDisabledImage;
    else if (IsFocused())
        chosen = &m_sFocusedImage;
    else if ((m_uFieldState & UIFIELD_HOT) != 0)
        chosen = &m_sHotImage;
    if (chosen != nullptr && !chosen->IsEmpty() && DrawImageSpec(dc, *chosen)) return;
    if (!m_sNormalImage.IsEmpty()) DrawImageSpec(dc, m_sNormalImage);
}

}  // namespace SkinUI
