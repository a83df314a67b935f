// CComboBoxUI: a combo that draws its drop-down arrow itself, from its own
// images, at the right end of the field: "arrowimage", "arrowhotimage",
// "arrowpushedimage" (while the drop-down is open) and "arrowdisabledimage",
// in a box "arrowwidth" wide (unscaled; 0, the default, makes it square). The
// selected text stays clear of the arrow.
#pragma once

#include "ui/widgets/input/combo.h"

namespace SkinUI {

class CComboBoxUI : public CComboUI {
public:
    CComboBoxUI();

    const wchar_t* GetClass() const override;          // "ComboBoxUI"
    void* GetInterface(const wchar_t* name) override;  // "ComboBox"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;

    // The arrow's box in window pixels.
    CUIRect ArrowRect() const;
    // The arrow image drawn last, with its modifier (tests).
    const CUIString& GetLastArrow() const { return m_sLastArrow; }

protected:
    CUIRect TextRect() const override;

private:
    int m_nArrowWidth;  // unscaled
    CUIString m_sArrowImage;
    CUIString m_sArrowHotImage;
    CUIString m_sArrowPushedImage;
    CUIString m_sArrowDisabledImage;
    CUIString m_sLastArrow;
};

}  // namespace SkinUI
