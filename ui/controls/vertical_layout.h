// CVerticalLayoutUI: stacks its children top to bottom; children without a
// height of their own share the free height.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CVerticalLayoutUI : public CContainerUI {
public:
    CVerticalLayoutUI();

    const wchar_t* GetClass() const override;          // "VerticalLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "VerticalLayout"
    UINT GetControlFlags() const override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawOverlay(HDC dc) override;

    // Separator ("sepheight"): positive at the bottom edge, negative at the top.
    void SetSepHeight(int height);
    int GetSepHeight() const;  // scaled
    void SetSepImmMode(bool immediately);
    bool IsSepImmMode() const { return m_bImmMode; }

    // The drag strip in window coordinates (empty without a separator).
    CUIRect GetThumbRect(bool useNew = false) const;

protected:
    int m_iSepHeight;
    UINT m_uButtonState;
    POINT m_ptLastMouse;
    CUIRect m_rcNewPos;
    bool m_bImmMode;
};

}  // namespace SkinUI
