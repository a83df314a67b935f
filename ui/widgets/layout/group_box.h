// CGroupBoxUI: a vertical layout inside a titled frame. The title ("text", in
// "font", "textcolor" or "disabledtextcolor") sits on the frame's top line,
// which breaks around it. The frame has the border colour and size of the
// control (a grey line one pixel wide when they are not set); the children are
// laid out inside it, below the title, and the inset adds to that.
#pragma once

#include "ui/controls/vertical_layout.h"

namespace SkinUI {

class CGroupBoxUI : public CVerticalLayoutUI {
public:
    CGroupBoxUI();

    const wchar_t* GetClass() const override;          // "GroupBoxUI"
    void* GetInterface(const wchar_t* name) override;  // "GroupBox"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    CUIRect GetClientPos() const override;
    void SetText(const wchar_t* text) override;  // the title: the content moves
    void DrawBorder(HDC dc) override;
    void DrawLabelText(HDC dc) override;

    int GetFont() const { return m_iFont; }
    void SetFont(int font);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(DWORD color);

private:
    // The frame's line width and the title's height, scaled.
    int FrameWidth() const;
    int TitleHeight() const;
    // Where the title is written, in window pixels; empty without a title.
    CUIRect TitleRect() const;

    int m_iFont = -1;
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
};

}  // namespace SkinUI
