#include "ui/widgets/layout/animation_tab_layout.h"

#include <algorithm>

#include "ui/controls/attribute_values.h"

namespace SkinUI {

CAnimationTabLayoutUI::CAnimationTabLayoutUI() : m_slide(this, kSlideTimer) {}

const wchar_t* CAnimationTabLayoutUI::GetClass() const { return L"AnimationTabLayoutUI"; }

void* CAnimationTabLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"AnimationTabLayout") == 0) return this;
    return CTabLayoutUI::GetInterface(name);
}

void CAnimationTabLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"animationdirection")) {
        m_bVertical = value != nullptr && ::_wcsicmp(value, L"vertical") == 0;
    } else {
        CTabLayoutUI::ApplyAttribute(name, value);
    }
}

void CAnimationTabLayoutUI::OnPageChanged(int oldIndex, bool byUser) {
    // A page hidden halfway in goes home, where the plain tab layout left it.
    CControlUI* old = GetItemAt(oldIndex);
    if (m_slide.IsRunning() && old != nullptr && !old->IsFloat()) old->PlaceAt(HomeOf(old), false);
    // A skin's first page, or a page chosen while the window is not seen, needs no slide.
    if (!byUser || oldIndex < 0) {
        m_slide.Stop();
        return;
    }
    m_bBackwards = m_iCurSel < oldIndex;
    if (m_slide.Start(kSlideMs)) MarkDirty();
}

CUIRect CAnimationTabLayoutUI::HomeOf(CControlUI* page) const {
    const CUIRect content = GetClientPos();
    const int cx = std::min(std::max(content.GetWidth(), page->GetMinWidth()), page->GetMaxWidth());
    const int cy = std::min(std::max(content.GetHeight(), page->GetMinHeight()), page->GetMaxHeight());
    return CUIRect(content.left, content.top, content.left + cx, content.top + cy);
}

void CAnimationTabLayoutUI::PlaceAt(CUIRect rc, bool invalidate) {
    CTabLayoutUI::PlaceAt(rc, invalidate);
    CControlUI* page = GetItemAt(m_iCurSel);
    if (!m_slide.IsRunning() || page == nullptr || !page->IsVisible() || page->IsFloat()) return;
    // What is left of the way in, a whole width (or height) at the start.
    const CUIRect content = GetClientPos();
    const double rest = 1.0 - m_slide.EasedProgress();
    int shift = static_cast<int>(rest * (m_bVertical ? content.GetHeight() : content.GetWidth()) + 0.5);
    if (m_bBackwards) shift = -shift;
    CUIRect at = HomeOf(page);
    at.Offset(m_bVertical ? 0 : shift, m_bVertical ? shift : 0);
    page->PlaceAt(at, false);
}

void CAnimationTabLayoutUI::HandleEvent(TUIEvent& event) {
    if (m_slide.IsTick(event)) {
        m_slide.OnTick();
        MarkDirty();  // laid out again: the page one step further in, or home
        return;
    }
    CTabLayoutUI::HandleEvent(event);
}

}  // namespace SkinUI
