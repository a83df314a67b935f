#include "ui/widgets/input/ip_address.h"

#include <oleacc.h>

#include <algorithm>
#include <cwchar>

#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"
#include "ui/widgets/input/ip_address_text.h"

namespace SkinUI {

namespace {

const UINT kReflectedCommand = 0x2000 + WM_COMMAND;  // sent back by the paint manager
const UINT kReflectedNotify = 0x2000 + WM_NOTIFY;

// The IP-address class is registered by the common controls on request.
bool IPAddressClassReady() {
    static const bool ready = [] {
        HMODULE comctl = LoadSystemLibrary(L"comctl32.dll");
        if (comctl == nullptr) return false;
        typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(::GetProcAddress(comctl, "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_INTERNET_CLASSES};
        return init != nullptr && init(&icc) != FALSE;
    }();
    return ready;
}

struct TFieldWindows {
    HWND hwnd[4];
    int count;
};

BOOL CALLBACK CollectField(HWND hwnd, LPARAM data) {
    auto* fields = reinterpret_cast<TFieldWindows*>(data);
    if (fields->count < 4) fields->hwnd[fields->count++] = hwnd;
    return TRUE;
}

}  // namespace

CIPAddressUI::CIPAddressUI() {
    for (int& octet : m_octets) octet = kBlankOctet;
}

const wchar_t* CIPAddressUI::GetClass() const { return L"IPAddressUI"; }

void* CIPAddressUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"IPAddress") == 0) return static_cast<CIPAddressUI*>(this);
    return CFieldUI::GetInterface(name);
}

LONG CIPAddressUI::AccessibleRole() const { return ROLE_SYSTEM_IPADDRESS; }

CUIString CIPAddressUI::GetText() const {
    if (!m_host.IsOpen()) return FormatAddress(m_octets);
    int octets[4];
    ReadWindow(octets);
    return FormatAddress(octets);
}

void CIPAddressUI::SetText(const wchar_t* text) {
    ParseAddress(text, m_octets);
    CFieldUI::SetText(FormatAddress(m_octets));
    WriteWindow();
}

DWORD CIPAddressUI::GetAddress() const {
    int octets[4];
    if (m_host.IsOpen()) {
        ReadWindow(octets);
        return PackAddress(octets);
    }
    return PackAddress(m_octets);
}

void CIPAddressUI::SetAddress(DWORD address) {
    UnpackAddress(address, m_octets);
    CFieldUI::SetText(FormatAddress(m_octets));
    WriteWindow();
}

void CIPAddressUI::HandleEvent(TUIEvent& event) {
    if ((event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK) && m_host.IsOpen()) {
        POINT pt = event.ptMouse;
        ::MapWindowPoints(m_pManager->GetPaintWindow(), m_host.Get(), &pt, 1);
        HWND number = ::ChildWindowFromPointEx(m_host.Get(), pt, CWP_SKIPINVISIBLE);
        if (number != nullptr && number != m_host.Get()) {
            ::MapWindowPoints(m_host.Get(), number, &pt, 1);
            ::SendMessageW(number, event.Type == UIEVENT_BUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON,
                           MAKELPARAM(pt.x, pt.y));
        }
        FocusHost();
        return;
    }
    if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP || event.Type == UIEVENT_DBLCLICK) return;
    CFieldUI::HandleEvent(event);
}

const wchar_t* CIPAddressUI::HostClass() const { return IPAddressClassReady() ? WC_IPADDRESSW : nullptr; }

DWORD CIPAddressUI::HostStyle() const { return 0; }

void CIPAddressUI::HostOpened() { WriteWindow(); }

void CIPAddressUI::HostClosing() { TakeWindow(); }

void CIPAddressUI::WriteWindow() {
    if (!m_host.IsOpen()) return;
    bool blank = true;
    for (int octet : m_octets) blank = blank && octet == kBlankOctet;
    if (blank)
        m_host.Send(IPM_CLEARADDRESS);
    else
        m_host.Send(IPM_SETADDRESS, 0, static_cast<LPARAM>(PackAddress(m_octets)));
}

void CIPAddressUI::ReadWindow(int octets[4]) const {
    for (int i = 0; i < 4; ++i) octets[i] = kBlankOctet;
    // The four fields, left to right; each read as the user typed it, then clamped.
    TFieldWindows fields = {{}, 0};
    ::EnumChildWindows(m_host.Get(), &CollectField, reinterpret_cast<LPARAM>(&fields));
    if (fields.count != 4) {
        if (m_host.Send(IPM_ISBLANK) != 0) return;
        DWORD address = 0;
        m_host.Send(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        UnpackAddress(address, octets);
        return;
    }
    RECT at[4];
    for (int i = 0; i < 4; ++i) ::GetWindowRect(fields.hwnd[i], &at[i]);
    int order[4] = {0, 1, 2, 3};
    std::sort(order, order + 4, [&](int a, int b) { return at[a].left < at[b].left; });
    for (int i = 0; i < 4; ++i) {
        wchar_t text[8] = {};
        ::GetWindowTextW(fields.hwnd[order[i]], text, 8);
        int one[4];
        ParseAddress(text, one);
        octets[i] = one[0];
    }
}

bool CIPAddressUI::TakeWindow() {
    if (!m_host.IsOpen()) return false;
    int octets[4];
    ReadWindow(octets);
    bool changed = false;
    for (int i = 0; i < 4; ++i) changed = changed || octets[i] != m_octets[i];
    if (!changed) return false;
    for (int i = 0; i < 4; ++i) m_octets[i] = octets[i];
    m_sText = FormatAddress(m_octets);
    return true;
}

LRESULT CIPAddressUI::HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const bool changed = (msg == kReflectedCommand && HIWORD(wParam) == EN_CHANGE) ||
                         (msg == kReflectedNotify && lParam != 0 &&
                          reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(IPN_FIELDCHANGED));
    if (changed) {
        handled = true;
        if (TakeWindow() && m_pManager != nullptr) m_pManager->SendNotify(this, L"textchanged");
        return 0;
    }
    return CFieldUI::HostedMessage(msg, wParam, lParam, handled);
}

}  // namespace SkinUI
