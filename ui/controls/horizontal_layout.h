// CHorizontalLayoutUI: places its children left to right; children without a
// width of their own share the free width.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CContainerUI {
public:
    CHorizontalLayoutUI();

    const wchar_t* GetClass() const override;          // "HorizontalLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "HorizontalLayout"
    UINT GetControlFlags() const override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawOverlay(HDC dc) override;

    // Separator ("sepwidth"): positive at the right edge, negative at the left.
    void SetSepWidth(int width);
    int GetSepWidth() const;  // scaled
    void SetSepImmMode(bool immediately);
    bool IsSepImmMode() const { return m_bImmMode; }

    // The drag strip in window coordinates (empty without a separator).
    CUIRect GetThumbRect(bool useNew = false) const;

protected:
    int m_iSepWidth;
    UINT m_uButtonState;
    POINT m_ptLastMouse;
    CUIRect m_rcNewPos;
    bool m_bImmMode;
};

}  // namespace SkinUI
