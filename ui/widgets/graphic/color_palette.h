// CColorPaletteUI: a colour picker on the framework's HSL model: a field of hue
// (left to right, 0-359 degrees) and saturation (top 100 %, bottom 0 %) drawn at
// 50 % lightness, and beside it a lightness bar (top 100 %, bottom 0 %) of the
// chosen hue and saturation. Its value is the chosen colour.
//
// Mouse: a press in the field or the bar picks there, and dragging goes on picking
// (the pointer is held until the button is released). Keys (with the focus): Left
// and Right change the hue by one degree (ten with Ctrl), Up and Down the
// saturation by one percent, Page Up and Page Down (or Shift with Up and Down) the
// lightness.
//
// Notification: "colorchanged" after each change by the user (wParam the colour,
// 0xAARRGGBB). Attributes: "color" (#AARRGGBB; the alpha is kept) and "barwidth"
// (the lightness bar's width, unscaled; the field takes the rest less a gap).
#pragma once

#include <vector>

#include "ui/controls/control.h"

namespace SkinUI {

// Hue 0-359, saturation and lightness 0-100.
struct TColorHsl {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

class CColorPaletteUI : public CControlUI {
public:
    CColorPaletteUI();

    const wchar_t* GetClass() const override;          // "ColorPaletteUI"
    void* GetInterface(const wchar_t* name) override;  // "ColorPalette"
    UINT GetControlFlags() const override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;

    // The chosen colour, 0xAARRGGBB. Setting it places the markers (a grey keeps the hue).
    DWORD GetColor() const { return m_dwColor; }
    void SetColor(DWORD argb);
    TColorHsl GetHsl() const { return m_hsl; }
    // Sets hue, saturation and lightness (each clamped); the colour follows.
    void SetHsl(TColorHsl hsl);
    // "#RRGGBB", as screen readers read the value.
    CUIString GetColorText() const;

    // The field's and the bar's rectangles in window pixels.
    CUIRect GetFieldRect() const;
    CUIRect GetBarRect() const;

    // The framework's HSL model, both ways (alpha not touched).
    static DWORD HslToRgb(TColorHsl hsl);
    static TColorHsl RgbToHsl(DWORD argb);

private:
    enum EDrag { kNone, kField, kBar };
    // Picks at a point of the field or the bar; true when the colour changed.
    bool PickAt(POINT pt, EDrag part);
    bool Change(TColorHsl hsl);
    void DrawField(HDC dc, const CUIRect& rc);
    void DrawBar(HDC dc, const CUIRect& rc);

    DWORD m_dwColor;
    TColorHsl m_hsl;
    int m_nBarWidth;  // unscaled
    EDrag m_drag;
    // The field's pixels at its last size (0x00RRGGBB, top-down rows).
    std::vector<DWORD> m_field;
    SIZE m_szField;
};

}  // namespace SkinUI
