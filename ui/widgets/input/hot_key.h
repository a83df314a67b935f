// CHotKeyUI: a field that records a key combination while it has the focus and
// shows it as text ("Ctrl + Shift + F5"). Backspace alone clears it; modifier keys
// alone change nothing. The value is the hot-key control's: the virtual key in the
// low byte and HOTKEYF_* flags in the high byte.
//
// Attributes: "hotkey" (the virtual key, decimal) and "hotkeymodifiers" (HOTKEYF_*
// flags, decimal), besides the label's. Notification: "hotkeychanged" (wParam: the
// new value) whenever the keyboard changes it.
#pragma once

#include "ui/controls/label.h"
#include "ui/core/accessible_model.h"

namespace SkinUI {

class CHotKeyUI : public CLabelUI {
public:
    CHotKeyUI();

    const wchar_t* GetClass() const override;          // "HotKeyUI"
    void* GetInterface(const wchar_t* name) override;  // "HotKey"
    UINT GetControlFlags() const override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    WORD GetHotKey() const { return LOBYTE(m_wHotKey) != 0 ? m_wHotKey : 0; }
    BYTE GetVirtualKey() const { return LOBYTE(m_wHotKey); }
    BYTE GetModifiers() const { return HIBYTE(m_wHotKey); }
    // Sets the value without a notification; the text follows.
    void SetHotKey(BYTE virtualKey, BYTE modifiers);
    // The text of a value ("" for none).
    static CUIString Describe(WORD hotKey);

    void DescribeAccessible(TUIAccessibleInfo& info) const;

private:
    void Record(WPARAM key, LPARAM keyData);

    WORD m_wHotKey;  // the modifiers are kept while the key is 0, for markup that sets them first
};

}  // namespace SkinUI
