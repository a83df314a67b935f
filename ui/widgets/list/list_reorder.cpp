// CListUI: reordering rows by dragging them with the mouse (see list.h).
#include <oleacc.h>

#include <cstdlib>

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list.h"
#include "ui/widgets/list/list_body.h"

namespace SkinUI {

namespace {

// Where a row that was at `row` is after the row `from` moved to `to`.
int Follow(int row, int from, int to) {
    if (row == from) return to;
    if (from < to && row > from && row <= to) return row - 1;
    if (to < from && row >= to && row < from) return row + 1;
    return row;
}

}  // namespace

void CListUI::RowDragPress(int row, CControlUI* control, POINT pt) {
    m_drag = TRowDrag();
    if (control == nullptr || row < 0 || !IsEnabled() || !(m_bItemDrag || control->IsDragEnabled())) return;
    m_drag.state = TRowDrag::kPressed;
    m_drag.from = row;
    m_drag.start = pt;
}

bool CListUI::RowDragMove(POINT pt) {
    if (m_drag.state == TRowDrag::kIdle) return false;
    if (m_drag.state == TRowDrag::kCancelled) return true;
    if (m_drag.state == TRowDrag::kPressed) {
        // The system's drag distance, as the native lists wait for it.
        if (std::abs(pt.x - m_drag.start.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
            std::abs(pt.y - m_drag.start.y) <= ::GetSystemMetrics(SM_CYDRAG))
            return false;
        m_drag.state = TRowDrag::kDragging;
    }
    // Past the rows' edge the list scrolls toward the pointer.
    const CUIRect view = GetBody()->GetClientPos();
    if (pt.y < view.top) GetBody()->LineUp();
    if (pt.y >= view.bottom) GetBody()->LineDown();
    m_drag.gap = DragGapAt(m_drag.from, pt);
    Repaint();
    return true;
}

bool CListUI::RowDragRelease(POINT pt) {
    const TRowDrag drag = m_drag;
    m_drag = TRowDrag();
    if (drag.state == TRowDrag::kDragging) {
        Repaint();
        MoveRowToGap(drag.from, DragGapAt(drag.from, pt));
    }
    return drag.state == TRowDrag::kDragging || drag.state == TRowDrag::kCancelled;
}

void CListUI::CancelRowDrag() {
    if (m_drag.state == TRowDrag::kIdle) return;
    m_drag.state = TRowDrag::kCancelled;
    m_drag.gap = -1;
    Repaint();
}

int CListUI::GapY(int gap) const {
    const int count = GetRowCount();
    if (count == 0) return GetBody()->GetClientPos().top;
    return gap < count ? GetRowRect(gap).top : GetRowRect(count - 1).bottom;
}

int CListUI::DragGapAt(int /*from*/, POINT pt) const {
    // The first row whose middle lies below the point (rows are stacked in order).
    int lo = 0;
    int hi = GetRowCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const CUIRect rc = GetRowRect(mid);
        if ((rc.top + rc.bottom) / 2 > pt.y) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

bool CListUI::MoveRowToGap(int from, int gap) {
    const int count = GetRowCount();
    if (from < 0 || from >= count || gap < 0 || gap > count || gap == from || gap == from + 1) return false;
    const int to = gap > from ? gap - 1 : gap;
    if (m_pSource == nullptr && !m_pBody->MoveRows(from, 1, to)) return false;
    // The selection follows the rows.
    const bool selected = m_sel.IsSelected(from);
    const int caret = Follow(m_sel.GetCaret(), from, to);
    const int anchor = Follow(m_sel.GetAnchor(), from, to);
    m_sel.Removed(from, 1);
    m_sel.Inserted(to, 1);
    m_sel.Set(to, selected);
    m_sel.SetCaret(caret);
    m_sel.SetAnchor(anchor);
    m_sel.SetHot(-1);
    // A list fed by data: the program reorders its rows now, and they are read again.
    Notify(L"itemmove", static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    if (m_pSource != nullptr) m_pBody->DataChanged();
    if (!GetPos().IsEmpty()) Relayout();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_REORDER, this);
    return true;
}

void CListUI::DrawOverlay(HDC dc) {
    CContainerUI::DrawOverlay(dc);
    if (!IsRowDragging() || m_drag.gap < 0) return;
    CUIRect view = m_pBody->GetClientPos();
    const int width = Scale(2) > 0 ? Scale(2) : 1;
    const int y = GapY(m_drag.gap);
    CUIRect mark(view.left, y - width / 2, view.right, y - width / 2 + width);
    // A mark at the view's edge stays inside it.
    if (mark.top < view.top) mark.Offset(0, view.top - mark.top);
    if (mark.bottom > view.bottom) mark.Offset(0, view.bottom - mark.bottom);
    if (!view.Intersect(m_rcPaint) || !mark.Intersect(view)) return;
    CUIRender::FillSolid(dc, mark, ApplyHsl(m_dwInsertMark));
}

}  // namespace SkinUI
