// The read-only view of a label's links, for programs and tests (the launcher
// never asks for it, so it sits apart from label_links.cpp).
#include "ui/controls/label.h"
#include "ui/controls/label_links.h"

namespace SkinUI {

RECT CLabelUI::GetLinkRect(int index) const {
    return index >= 0 && index < GetLinkCount() ? m_pLinks->rects[index] : RECT{0, 0, 0, 0};
}

CUIString CLabelUI::GetLinkTarget(int index) const {
    return index >= 0 && index < GetLinkCount() ? m_pLinks->targets[index] : CUIString();
}

int CLabelUI::GetHotLink() const { return m_pLinks != nullptr ? m_pLinks->look.iHotLink : -1; }

}  // namespace SkinUI
