// CIPAddressExUI: an IPv4 address field drawn wholly by the framework as four number
// fields between dots (no system window, so it looks and works the same in layered
// windows), with the field's state images (field.h).
//
// Keys while focused: digits fill the current field (entering a field starts it anew);
// after three digits, or on a dot after at least one, the next field takes over. A
// number above 255 becomes 255. Backspace takes the last digit off (in an empty field it
// goes back one field), Delete empties the field, Left/Right/Home/End move between
// fields, and a click picks the field under the pointer. The current field is marked
// with the selection colour and a caret after its digits.
// The address is the control's text and 32-bit value, as for CIPAddressUI.
// Notification: "textchanged" after each change the user makes.
#pragma once

#include "ui/widgets/input/field.h"

namespace SkinUI {

class CIPAddressExUI : public CFieldUI {
public:
    CIPAddressExUI();

    const wchar_t* GetClass() const override;          // "IPAddressExUI"
    void* GetInterface(const wchar_t* name) override;  // "IPAddressEx", and the field's
    CUIString GetText() const override;
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;
    void DrawLabelText(HDC dc) override;
    LONG AccessibleRole() const override;  // an IP address, its text the value

    DWORD GetAddress() const;
    void SetAddress(DWORD address);
    // The field the keys go to, 0..3.
    int GetCurrentField() const { return m_nField; }

private:
    // The four fields' rectangles and the three dots' between them, in client pixels.
    void Cells(RECT cells[4], RECT dots[3]) const;
    void MoveTo(int field);
    void Typed(wchar_t ch);
    void Changed();

    int m_octets[4];
    int m_nField;
    int m_nTyped;  // digits typed into the current field since it took over
};

}  // namespace SkinUI
