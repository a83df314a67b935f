// CLabelUI: a control that draws one text with a font, colours, alignment and
// padding, and measures itself from that text when asked to.
//
// The text style is a set of DrawTextW flags built by the "align", "valign",
// "endellipsis", "wordbreak" and "noprefix" attributes; it starts as vertically
// centred single-line text.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
public:
    CLabelUI();

    // Overrides of base slots.
    const wchar_t* GetClass() const override;          // "LabelUI"
    void* GetInterface(const wchar_t* name) override;  // "Label"
    UINT GetControlFlags() const override;             // sets its own cursor when enabled
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureDesired(SIZE available) override;
    void DrawLabelText(HDC dc) override;

    // ---- virtual operations added after slot 95 (order is fixed) ----
    virtual bool GetAutoCalcWidth() const;             // 96
    virtual void SetAutoCalcWidth(bool autoWidth);     // 97
    virtual bool GetAutoCalcHeight() const;            // 98
    virtual void SetAutoCalcHeight(bool autoHeight);   // 99

    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(UINT style);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(DWORD color);
    int GetFont() const { return m_iFont; }
    void SetFont(int font);
    // Stored unscaled; scaled when the text is drawn or measured.
    const CUIRect& GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(const RECT& padding);
    bool IsShowHtml() const { return m_bShowHtml; }
    void SetShowHtml(bool show);

protected:
    // Fills unset text colours from the manager's defaults (and keeps them).
    void ResolveTextColors();
    // Draws the resolved text inside the item rectangle less the scaled text padding.
    void DrawTextWith(HDC dc, DWORD color, int font);
    // Measures `text` in `rc` with the measure-only flag added to `style`.
    void MeasureTextIn(RECT& rc, UINT style);

    DWORD m_dwTextColor;
    DWORD m_dwDisabledTextColor;
    int m_iFont;
    UINT m_uTextStyle;
    CUIRect m_rcTextPadding;
    bool m_bShowHtml;
    bool m_bAutoCalcWidth;
    bool m_bAutoCalcHeight;
    SIZE m_szAvailableLast;
    SIZE m_cxyMeasured;
    bool m_bNeedMeasure;
};

}  // namespace SkinUI
