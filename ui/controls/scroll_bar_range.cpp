// CScrollBarUI: range, position, line and page sizes and thickness, the part a
// container drives. Apart from the rest of the bar, so that a program whose
// containers never get a bar (no factory registration) carries only this.
#include <oleacc.h>

#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const int kDefaultThickness = 16;  // unscaled

}  // namespace

void CScrollBarUI::SetHorizontal(bool horizontal) {
    if (m_bHorizontal == horizontal) return;
    m_bHorizontal = horizontal;
    MarkParentDirty();
}

void CScrollBarUI::SetScrollRange(int range) {
    if (range < 0) range = 0;
    if (m_nRange == range) return;
    m_nRange = range;
    Repaint();
    if (m_nPos > m_nRange) SetScrollPos(m_nRange);
}

void CScrollBarUI::SetScrollPos(int pos) {
    if (pos < 0) pos = 0;
    if (pos > m_nRange) pos = m_nRange;
    if (m_nPos == pos) return;
    m_nPos = pos;
    Repaint();
    if (m_pManager == nullptr) return;
    m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
    m_pManager->SendNotify(this, L"scroll", static_cast<WPARAM>(m_nPos));
}

void CScrollBarUI::SetLineSize(int size) { m_nLineSize = size < 1 ? 1 : size; }

void CScrollBarUI::SetPageSize(int size) {
    if (size < 0) size = 0;
    if (m_nPageSize == size) return;
    m_nPageSize = size;
    Repaint();
}

int CScrollBarUI::GetThickness() const {
    const int fixed = m_bHorizontal ? GetFixedHeight() : GetFixedWidth();
    return fixed > 0 ? fixed : Scale(kDefaultThickness);
}

}  // namespace SkinUI
