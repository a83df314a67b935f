// CProgressUI: a label that fills the part of itself that corresponds to its
// value, with the fore colour and/or the fore image (stretched into the filled
// part, or cut to it).
#pragma once

#include "ui/controls/label.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    // Overrides of base slots.
    const wchar_t* GetClass() const override;          // "ProgressUI"
    void* GetInterface(const wchar_t* name) override;  // "Progress"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeColor(HDC dc) override;
    void DrawForeImage(HDC dc) override;

    // ---- virtual operations added after slot 99 (order is fixed) ----
    virtual void UpdateText();  // 100: the value text, when shown

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal);
    bool IsStretchForeImage() const { return m_bStretchForeImage; }
    void SetStretchForeImage(bool stretch);
    bool IsShowText() const { return m_bShowText; }
    void SetShowText(bool show);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int max);
    int GetValue() const { return m_nValue; }
    // Ignores an unchanged value and any value outside [minimum, maximum].
    void SetValue(int value);
    // The modifier built by the last DrawForeImage (for tests and diagnostics).
    const CUIString& GetForeImageModifier() const { return m_sForeImageModify; }

protected:
    // Widens an empty range to one and clamps the value into it (at paint time).
    void RepairRange();

    bool m_bShowText;
    bool m_bHorizontal;
    bool m_bStretchForeImage;
    int m_nMax;
    int m_nMin;
    int m_nValue;
    CUIString m_sForeImageModify;
};

}  // namespace SkinUI
