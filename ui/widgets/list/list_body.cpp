#include "ui/widgets/list/list_body.h"

#include <algorithm>

#include "ui/controls/scroll_bar.h"
#include "ui/widgets/list/list.h"
#include "ui/widgets/list/list_element.h"
#include "ui/widgets/list/list_header.h"

namespace SkinUI {

namespace {

IListRowUI* AsRow(CControlUI* control) {
    return control != nullptr ? static_cast<IListRowUI*>(control->GetInterface(kListRowInterface)) : nullptr;
}

}  // namespace

CListBodyUI::CListBodyUI(CListUI* owner) : m_pOwner(owner) {}

const wchar_t* CListBodyUI::GetClass() const { return L"ListBodyUI"; }

void* CListBodyUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ListBody") == 0) return static_cast<CListBodyUI*>(this);
    return CContainerUI::GetInterface(name);
}

int CListBodyUI::RowHeight(CControlUI* row) const {
    const int fixed = row->GetFixedHeight();
    if (fixed > 0) return fixed;
    return m_pOwner != nullptr ? m_pOwner->GetDefaultRowHeight() : Scale(22);
}

void CListBodyUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call): rows are stacked here
    rc = GetClientPos();
    SIZE scroll;
    SIZE range;
    VisibleScroll(scroll, range);
    const int columns = m_pOwner != nullptr ? m_pOwner->GetHeader()->GetColumnsWidth() : 0;
    const int width = columns > rc.GetWidth() ? columns : rc.GetWidth();
    if (m_pOwner != nullptr && m_pOwner->GetDataSource() != nullptr) {
        PlaceDataRows(rc, scroll, width);
        const long long needed = static_cast<long long>(m_pOwner->GetRowCount()) * DataRowStep();
        UpdateScrollBars(rc, columns, needed > (1 << 30) ? (1 << 30) : static_cast<int>(needed));
        return;
    }
    long long y = rc.top - scroll.cy;
    long long needed = 0;
    bool inOrder = true;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* row = GetItemAt(i);
        if (!row->IsVisible()) {
            inOrder = false;
            continue;
        }
        if (row->IsFloat()) {
            inOrder = false;
            PlaceFloatChild(i);
            continue;
        }
        const int height = RowHeight(row);
        const LONG top = y < -(1 << 30) ? -(1 << 30) : y > (1 << 30) ? (1 << 30) : static_cast<LONG>(y);
        row->PlaceAt(CUIRect(rc.left - scroll.cx, top, rc.left - scroll.cx + width, top + height), false);
        y += height;
        needed += height;
    }
    m_nFlowAxis = inOrder ? 1 : 0;
    UpdateScrollBars(rc, columns, needed > (1 << 30) ? (1 << 30) : static_cast<int>(needed));
}

void CListBodyUI::SetScrollPos(SIZE pos) {
    SIZE now;
    SIZE range;
    VisibleScroll(now, range);
    const LONG x = pos.cx < 0 ? 0 : pos.cx > range.cx ? range.cx : pos.cx;
    // The header moves first: rows that hold controls place them in its columns.
    if (m_pOwner != nullptr && x != now.cx) m_pOwner->PlaceHeader(x);
    CContainerUI::SetScrollPos(pos);
    // Data rows: the controls now show other rows.
    if (m_pOwner != nullptr && m_pOwner->GetDataSource() != nullptr) {
        VisibleScroll(now, range);
        const CUIRect rc = GetClientPos();
        const int columns = m_pOwner->GetHeader()->GetColumnsWidth();
        PlaceDataRows(rc, now, columns > rc.GetWidth() ? columns : rc.GetWidth());
    }
}

// ---- a list fed by data ----

int CListBodyUI::DataRowStep() const {
    const int height = m_pOwner != nullptr ? m_pOwner->GetDefaultRowHeight() : 0;
    return height > 0 ? height : 1;
}

void CListBodyUI::DataChanged() {
    m_nBoundColumns = -1;
    MarkDirty();
}

CControlUI* CListBodyUI::DataRowControl(int row) const {
    if (row < m_nFirstDataRow || row - m_nFirstDataRow >= m_nDataShown) return nullptr;
    return GetItemAt(row - m_nFirstDataRow);
}

CUIRect CListBodyUI::DataRowRect(int row) const {
    const CUIRect rc = GetClientPos();
    SIZE scroll;
    SIZE range;
    VisibleScroll(scroll, range);
    const int columns = m_pOwner != nullptr ? m_pOwner->GetHeader()->GetColumnsWidth() : 0;
    const int width = columns > rc.GetWidth() ? columns : rc.GetWidth();
    const int step = DataRowStep();
    long long top = rc.top - static_cast<long long>(scroll.cy) + static_cast<long long>(row) * step;
    top = top < -(1 << 30) ? -(1 << 30) : top > (1 << 30) ? (1 << 30) : top;
    return CUIRect(rc.left - scroll.cx, static_cast<int>(top), rc.left - scroll.cx + width, static_cast<int>(top) + step);
}

void CListBodyUI::PlaceDataRows(const CUIRect& rc, SIZE scroll, int width) {
    const int count = m_pOwner->GetRowCount();
    IListDataSource* source = m_pOwner->GetDataSource();
    const int step = DataRowStep();
    const int first = scroll.cy / step;
    int shown = rc.GetHeight() / step + 2;
    if (shown > kMaxDataControls) shown = kMaxDataControls;
    if (shown > count - first) shown = count - first;
    if (shown < 0) shown = 0;
    const int columns = m_pOwner->GetColumnCount() > 0 ? m_pOwner->GetColumnCount() : 1;
    const bool rebind = columns != m_nBoundColumns;
    m_nBoundColumns = columns;
    // Controls are made as the view grows and kept (hidden) when fewer rows show: one
    // may be handling the very event that scrolled the list.
    while (GetCount() < shown) {
        auto* made = new CListTextElementUI;
        made->SetOwner(m_pOwner);
        if (!CContainerUI::AddAt(made, GetCount())) break;
    }
    m_nFirstDataRow = first;
    m_nDataShown = shown < GetCount() ? shown : GetCount();
    CUIString text;
    long long top = rc.top - scroll.cy % step;
    for (int i = 0; i < GetCount(); ++i) {
        auto* control = static_cast<CListTextElementUI*>(GetItemAt(i)->GetInterface(L"ListTextElement"));
        if (control == nullptr) continue;
        const int row = first + i;
        const bool used = i < m_nDataShown;
        control->SetInternVisible(used);
        if (used && (rebind || control->GetRowIndex() != row)) {
            control->SetRowIndex(row);
            for (int c = 0; c < columns || c < control->GetColumnTextCount(); ++c) {
                text.Empty();
                if (c < columns) source->GetText(row, c, text);
                control->SetColumnText(c, text);
            }
        }
        if (!used) control->SetRowIndex(-1);
        const LONG y = top > (1 << 30) ? (1 << 30) : static_cast<LONG>(top);
        // Hidden controls sit, empty, below the last row, so the controls stay in order.
        control->PlaceAt(CUIRect(rc.left - scroll.cx, y, rc.left - scroll.cx + width, used ? y + step : y), false);
        if (used) top += step;
    }
    m_nFlowAxis = 1;
}

void CListBodyUI::SetFocus() {
    if (m_pOwner != nullptr) {
        m_pOwner->SetFocus();
    } else {
        CContainerUI::SetFocus();
    }
}

bool CListBodyUI::ScrollFor(const TUIEvent& event) { return ScrollOnInput(event); }

void CListBodyUI::HandleEvent(TUIEvent& event) {
    // The wheel scrolls the rows; everything else is the list's.
    if (event.Type == UIEVENT_SCROLLWHEEL && ScrollOnInput(event)) return;
    CControlUI::HandleEvent(event);  // NOLINT(bugprone-parent-virtual-call): on to the list
}

// ---- rows ----

bool CListBodyUI::MoveRows(int from, int count, int to) {
    const int n = GetCount();
    if (count <= 0 || from < 0 || to < 0 || from > n - count || to > n - count) return false;
    if (from == to) return true;
    void** items = m_items.GetData();
    if (to < from) {
        std::rotate(items + to, items + from, items + from + count);
    } else {
        std::rotate(items + from, items + from + count, items + to + count);
    }
    for (int i = std::min(from, to), end = std::max(from, to) + count; i < end; ++i) {
        if (IListRowUI* row = AsRow(GetItemAt(i))) row->SetRowIndex(i);
    }
    m_nFlowAxis = 0;  // until the next placement puts them in order again
    MarkDirty();
    return true;
}

bool CListBodyUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CListBodyUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > GetCount()) return false;
    if (!CContainerUI::AddAt(control, index)) return false;
    for (int i = index; i < GetCount(); ++i) {
        if (IListRowUI* row = AsRow(GetItemAt(i))) {
            row->SetOwner(m_pOwner);
            row->SetRowIndex(i);
        }
    }
    if (m_pOwner != nullptr) m_pOwner->RowsInserted(index, 1);
    return true;
}

bool CListBodyUI::Remove(CControlUI* control) {
    const int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index);
}

bool CListBodyUI::RemoveAt(int index) {
    CControlUI* control = GetItemAt(index);
    if (control == nullptr) return false;
    // The selection forgets the row before it goes.
    if (m_pOwner != nullptr) m_pOwner->RowsRemoved(index, 1);
    if (IListRowUI* row = AsRow(control)) row->SetOwner(nullptr);
    if (!CContainerUI::RemoveAt(index)) return false;
    for (int i = index; i < GetCount(); ++i) {
        if (IListRowUI* row = AsRow(GetItemAt(i))) row->SetRowIndex(i);
    }
    return true;
}

void CListBodyUI::RemoveAll() {
    for (int i = 0; i < GetCount(); ++i) {
        if (IListRowUI* row = AsRow(GetItemAt(i))) row->SetOwner(nullptr);
    }
    CContainerUI::RemoveAll();
    if (m_pOwner != nullptr) m_pOwner->ResetRows(0);
}

}  // namespace SkinUI
