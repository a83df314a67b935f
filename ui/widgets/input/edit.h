// CEditUI: a single-line text field. The framework draws it (state images, the text
// like a label's); while it has the focus it hosts the system's edit window, so that the
// caret, the selection, the clipboard, undo and input methods are the system's own.
//
// The control's text is the field's text: SetText (or "text" in markup) shows in the
// field, and every change made in the field is the control's text at once.
//
// Attributes, besides the label's and the field's (field.h):
//   readonly="true"        the text can be selected and copied, not changed
//   password="true"        the text shows as mask characters, here and in the field
//   passwordchar="*"       the mask character (its first character; default '*')
//   digitsonly="true"      typed and pasted text must be digits: a paste holding
//                          anything else is refused whole
//   maxchar="255"          the longest text the user can enter (default 255; 0 or less
//                          means the system's longest); text set by the program is kept whole
//   placeholder="..."      drawn while the text is empty and the field has no focus
//   placeholdercolor="#AARRGGBB"  its colour (default: the disabled text colour)
//   align="left|center|right"  the text's alignment, also in the field
// Notifications: "textchanged" after each change the user makes (not after SetText),
// "return" when Enter is pressed in the field.
#pragma once

#include "ui/widgets/input/field.h"

namespace SkinUI {

class CEditUI : public CFieldUI {
public:
    CEditUI();

    const wchar_t* GetClass() const override;          // "EditUI"
    void* GetInterface(const wchar_t* name) override;  // "Edit", and the field's
    CUIString GetText() const override;
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawLabelText(HDC dc) override;
    // Named by its placeholder when nothing else names it; a password's value is
    // withheld and the element marked protected.
    void DescribeAccessible(TUIAccessibleInfo& info) const override;

    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool readOnly);
    bool IsPassword() const { return m_bPassword; }
    void SetPassword(bool password);
    wchar_t GetPasswordChar() const { return m_chPassword; }
    void SetPasswordChar(wchar_t ch);
    bool IsDigitsOnly() const { return m_bDigitsOnly; }
    void SetDigitsOnly(bool digitsOnly);
    // The limit in characters, within 1 .. kMaxLimit; values below 1 select kMaxLimit.
    int GetMaxChar() const { return m_nMaxChar; }
    void SetMaxChar(int count);
    const CUIString& GetPlaceholder() const { return m_sPlaceholder; }
    void SetPlaceholder(const wchar_t* text);
    DWORD GetPlaceholderColor() const { return m_dwPlaceholderColor; }
    void SetPlaceholderColor(DWORD color);
    // Selects characters [start, end) in the open field (end -1: to the end).
    void SetSel(int start, int end);

    static constexpr int kMaxLimit = 0x7FFFFFFE;

protected:
    const wchar_t* HostClass() const override;
    DWORD HostStyle() const override;
    void HostOpened() override;
    LRESULT HostedMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    // Reads the open field's text into the control's; true when it changed.
    bool TakeFieldText();
    // True when the clipboard's text may be pasted here.
    bool PasteAllowed() const;

    bool m_bReadOnly;
    bool m_bPassword;
    wchar_t m_chPassword;
    bool m_bDigitsOnly;
    int m_nMaxChar;
    CUIString m_sPlaceholder;
    DWORD m_dwPlaceholderColor;
    bool m_bSettingText;  // the program is setting the field's text
};

}  // namespace SkinUI
