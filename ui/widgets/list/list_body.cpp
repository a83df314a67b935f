#include "ui/widgets/list/list_body.h"

#include "ui/controls/scroll_bar.h"
#include "ui/widgets/list/list.h"
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
