// CAnimationTabLayoutUI: a tab layout whose newly selected page slides in over
// about 200 ms, from the right or from below ("animationdirection":
// "horizontal", the default, or "vertical"); going back to an earlier page it
// comes from the left or from above. Selection, visibility and notification
// are the plain tab layout's from the first moment, and when the slide is over
// every rectangle is where a plain tab layout puts it.
#pragma once

#include "ui/widgets/common/frame_animation.h"
#include "ui/widgets/layout/tab_layout.h"

namespace SkinUI {

class CAnimationTabLayoutUI : public CTabLayoutUI {
public:
    static constexpr DWORD kSlideMs = 200;
    static constexpr UINT kSlideTimer = 1;  // the layout's own timer number for the slide

    CAnimationTabLayoutUI();

    const wchar_t* GetClass() const override;          // "AnimationTabLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "AnimationTabLayout"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;

    bool IsVerticalSlide() const { return m_bVertical; }
    void SetVerticalSlide(bool vertical) { m_bVertical = vertical; }
    bool IsSliding() const { return m_slide.IsRunning(); }

protected:
    void OnPageChanged(int oldIndex, bool byUser) override;

private:
    // Where the plain tab layout puts a page: the content rectangle, within the page's limits.
    CUIRect HomeOf(CControlUI* page) const;

    CFrameAnimation m_slide;
    bool m_bVertical = false;
    bool m_bBackwards = false;  // the new page comes from the left or from above
};

}  // namespace SkinUI
