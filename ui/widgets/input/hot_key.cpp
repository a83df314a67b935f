#include "ui/widgets/input/hot_key.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

bool IsModifier(WPARAM key) {
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
    case VK_RCONTROL: case VK_LMENU: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_CAPITAL:
    case VK_NUMLOCK: case VK_SCROLL:
        return true;
    default:
        return false;
    }
}

CUIString KeyName(BYTE vk, bool extended) {
    const UINT scan = ::MapVirtualKeyW(vk, 0 /* MAPVK_VK_TO_VSC */);
    wchar_t name[64] = {};
    if (scan != 0 && ::GetKeyNameTextW(static_cast<LONG>((scan << 16) | (extended ? 0x01000000u : 0u)), name, 64) > 0) {
        return CUIString(name);
    }
    CUIString text;
    text.Format(L"0x%02X", vk);
    return text;
}

}  // namespace

CHotKeyUI::CHotKeyUI() : m_wHotKey(0) {}

const wchar_t* CHotKeyUI::GetClass() const { return L"HotKeyUI"; }

void* CHotKeyUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"HotKey") == 0) return static_cast<CHotKeyUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CHotKeyUI::GetControlFlags() const { return IsEnabled() ? UINT(UIFLAG_TABSTOP) : 0u; }

CUIString CHotKeyUI::Describe(WORD hotKey) {
    const BYTE vk = LOBYTE(hotKey);
    const BYTE modifiers = HIBYTE(hotKey);
    if (vk == 0) return CUIString();
    CUIString text;
    if ((modifiers & HOTKEYF_CONTROL) != 0) text += L"Ctrl + ";
    if ((modifiers & HOTKEYF_SHIFT) != 0) text += L"Shift + ";
    if ((modifiers & HOTKEYF_ALT) != 0) text += L"Alt + ";
    text += KeyName(vk, (modifiers & HOTKEYF_EXT) != 0);
    return text;
}

void CHotKeyUI::SetHotKey(BYTE virtualKey, BYTE modifiers) {
    m_wHotKey = MAKEWORD(virtualKey, modifiers & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT));
    CLabelUI::SetText(Describe(GetHotKey()));
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
}

void CHotKeyUI::Record(WPARAM key, LPARAM keyData) {
    if (key == 0 || key > 0xFF || IsModifier(key)) return;
    BYTE modifiers = 0;
    if (::GetKeyState(VK_CONTROL) < 0) modifiers |= HOTKEYF_CONTROL;
    if (::GetKeyState(VK_SHIFT) < 0) modifiers |= HOTKEYF_SHIFT;
    if (::GetKeyState(VK_MENU) < 0) modifiers |= HOTKEYF_ALT;
    if ((keyData & (1 << 24)) != 0) modifiers |= HOTKEYF_EXT;
    const WORD before = GetHotKey();
    if (key == VK_BACK && (modifiers & ~HOTKEYF_EXT) == 0) {
        SetHotKey(0, 0);
    } else {
        SetHotKey(static_cast<BYTE>(key), modifiers);
    }
    if (GetHotKey() != before && m_pManager != nullptr) m_pManager->SendNotify(this, L"hotkeychanged", GetHotKey());
}

void CHotKeyUI::HandleEvent(TUIEvent& event) {
    if (IsEnabled() && (event.Type == UIEVENT_KEYDOWN || event.Type == UIEVENT_SYSKEY)) {
        Record(event.wParam, event.lParam);
        return;
    }
    if (event.Type == UIEVENT_CHAR) return;  // the keys are the value, not text
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = event.Type == UIEVENT_SETFOCUS;
        Repaint();
        return;
    }
    CLabelUI::HandleEvent(event);
}

void CHotKeyUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"hotkey")) SetHotKey(static_cast<BYTE>(attr::ToInt(value)), GetModifiers());
    else if (attr::NameIs(name, L"hotkeymodifiers")) SetHotKey(GetVirtualKey(), static_cast<BYTE>(attr::ToInt(value)));
    else CLabelUI::ApplyAttribute(name, value);
}

void CHotKeyUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    const wchar_t* given = GetExtraAttribute(kAccessibleNameAttribute);
    info.name = given != nullptr && *given != 0 ? CUIString(given) : GetToolTip();
    info.value = Describe(GetHotKey());
}

}  // namespace SkinUI
