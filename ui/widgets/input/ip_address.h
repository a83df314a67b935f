// CIPAddressUI: an IPv4 address field that hosts the system's IP-address control (the
// common controls' SysIPAddress32) while it has the focus, and otherwise is drawn by the
// framework as its dotted text, with the field's state images (field.h).
//
// Each octet stays within 0..255: the system control clamps a larger number when the
// caret leaves its field, and what the control reads from it is clamped as well. The
// system control moves on after three digits or a dot. The address is the control's
// text ("192.168.0.1"; empty when blank) and its 32-bit value (first octet highest).
// Notification: "textchanged" after each change the user makes.
#pragma once

#include "ui/widgets/input/field.h"

namespace SkinUI {

class CIPAddressUI : public CFieldUI {
public:
    CIPAddressUI();

    const wchar_t* GetClass() const override;          // "IPAddressUI"
    void* GetInterface(const wchar_t* name) override;  // "IPAddress", and the field's
    CUIString GetText() const override;
    // Dotted text; see ParseAddress for what is made of malformed text.
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;  // a click goes on to the number under it
    LONG AccessibleRole() const override;  // an IP address, its text the value

    DWORD GetAddress() const;
    void SetAddress(DWORD address);

protected:
    const wchar_t* HostClass() const override;
    DWORD HostStyle() const override;
    void HostOpened() override;
    void HostClosing() override;
    LRESULT HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    // The octets the open window shows now (its fields' text, clamped).
    void ReadWindow(int octets[4]) const;
    void WriteWindow();
    // Takes the window's octets; true when they changed.
    bool TakeWindow();

    int m_octets[4];
};

}  // namespace SkinUI
