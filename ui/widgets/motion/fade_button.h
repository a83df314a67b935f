// CFadeButtonUI: a button that cross-fades from its normal image to its hot one
// while the pointer comes over it, and back when it leaves, over "fadeduration"
// milliseconds (default 200; 0 or less switches at once). A fade that turns
// back halfway starts from the blend shown. Pushed, disabled and state-strip
// buttons draw as plain buttons do.
#pragma once

#include "ui/controls/button.h"
#include "ui/widgets/motion/motion_control.h"

namespace SkinUI {

class CFadeButtonUI : public TMotionControl<CButtonUI> {
public:
    CFadeButtonUI();

    const wchar_t* GetClass() const override;          // "FadeButtonUI"
    void* GetInterface(const wchar_t* name) override;  // "FadeButton"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;

    int GetFadeDuration() const { return m_duration; }
    void SetFadeDuration(int ms);
    // The share of the hot image shown, 0 to 1.
    double GetBlend() const { return m_blend; }

protected:
    void OnMotionTick(DWORD elapsedMs) override;

private:
    // Fades towards the hot image (true) or the normal one.
    void FadeTo(bool hot);

    int m_duration = 200;
    double m_blend = 0.0;
    bool m_bToHot = false;
};

}  // namespace SkinUI
