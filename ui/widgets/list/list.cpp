#include "ui/widgets/list/list.h"

#include <oleacc.h>

#include "ui/controls/attribute_values.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list_body.h"
#include "ui/widgets/list/list_header.h"

namespace SkinUI {

namespace {

IListRowUI* AsRow(CControlUI* control) {
    return control != nullptr ? static_cast<IListRowUI*>(control->GetInterface(kListRowInterface)) : nullptr;
}

CListHeaderUI* AsHeader(CControlUI* control) {
    return control != nullptr ? static_cast<CListHeaderUI*>(control->GetInterface(L"ListHeader")) : nullptr;
}

}  // namespace

CListUI::CListUI()
    : m_pHeader(new CListHeaderUI),
      m_pBody(new CListBodyUI(this)),
      m_bMultiSelect(false),
      m_bShowHeader(true),
      m_bBarsChosen(false),
      m_nHeaderX(0) {
    m_pHeader->SetOwner(this);
    CContainerUI::Add(m_pHeader);
    CContainerUI::Add(m_pBody);
}

CListUI::~CListUI() {
    // The rows go with the body; nothing is told of them.
    m_pBody->SetOwner(nullptr);
}

const wchar_t* CListUI::GetClass() const { return L"ListUI"; }

void* CListUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"List") == 0) return static_cast<CListUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CListUI::GetControlFlags() const { return IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u; }

void CListUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CContainerUI::SetManager(manager, parent, init);
    // The default bars wait for a manager, whose bar looks they take.
    if (manager != nullptr && !m_bBarsChosen) {
        m_bBarsChosen = true;
        m_pBody->EnableScrollBar(true, true);
    }
}

// ---- rows ----

bool CListUI::Add(CControlUI* control) { return AddAt(control, GetRowCount()); }

bool CListUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr) return false;
    if (CListHeaderUI* header = AsHeader(control)) {
        if (header == m_pHeader) return false;
        CContainerUI::RemoveAt(0);  // the old header goes
        if (!CContainerUI::AddAt(header, 0)) {
            m_pHeader = new CListHeaderUI;
            header = m_pHeader;
            CContainerUI::AddAt(header, 0);
        }
        m_pHeader = header;
        m_pHeader->SetOwner(this);
        MarkDirty();
        return true;
    }
    // A list fed by data makes its row controls itself.
    return m_pSource == nullptr && m_pBody->AddAt(control, index);
}

bool CListUI::Remove(CControlUI* control) {
    if (control == nullptr) return false;
    if (control == m_pHeader) return AddAt(new CListHeaderUI, 0);  // an empty header takes its place
    return m_pSource == nullptr && m_pBody->Remove(control);
}

bool CListUI::RemoveAt(int index) { return m_pSource == nullptr && m_pBody->RemoveAt(index); }

void CListUI::RemoveAll() {
    if (m_pSource == nullptr) m_pBody->RemoveAll();
}

CControlUI* CListUI::GetRow(int row) const { return GetRowControl(row); }

int CListUI::GetRowIndex(CControlUI* control) const {
    IListRowUI* row = AsRow(control);
    if (row != nullptr && row->GetOwner() == this) return row->GetRowIndex();
    return m_pBody->GetItemIndex(control);
}

void CListUI::RowsInserted(int at, int count) {
    m_sel.Inserted(at, count);
    RowChanged(-1);
}

void CListUI::RowsRemoved(int at, int count) {
    const int before = m_sel.GetSelectedCount();
    m_sel.Removed(at, count);
    RowChanged(-1);
    if (before != m_sel.GetSelectedCount() && m_pManager != nullptr)
        m_pManager->NotifyAccessible(EVENT_OBJECT_SELECTIONWITHIN, this);
}

void CListUI::ResetRows(int count) {
    m_sel.Reset(count);
    m_typeAhead.Reset();
    RowChanged(-1);
}

// ---- a list fed by data ----

void CListUI::SetDataSource(IListDataSource* source) {
    if (source == m_pSource) return;
    // The rows of the old kind go: row controls, or the controls bound to data rows.
    m_pSource = nullptr;
    m_pBody->RemoveAll();
    m_pSource = source;
    DataChanged();
}

void CListUI::DataChanged() {
    const int count = m_pSource != nullptr ? m_pSource->GetRowCount() : 0;
    m_nDataRows = count > 0 ? count : 0;
    if (m_pSource != nullptr) ResetRows(m_nDataRows);
    m_pBody->DataChanged();
}

void CListUI::ReadRowText(int row, CUIString& out) const {
    if (m_pSource == nullptr) {
        out = GetRowText(row);
    } else if (row >= 0 && row < m_nDataRows) {
        m_pSource->GetText(row, 0, out);
    } else {
        out.Empty();
    }
}

// ---- hooks ----

int CListUI::GetRowCount() const { return m_pSource != nullptr ? m_nDataRows : m_pBody->GetCount(); }

CUIString CListUI::GetRowText(int row) const {
    if (m_pSource != nullptr) {
        CUIString text;
        ReadRowText(row, text);
        return text;
    }
    CControlUI* control = GetRowControl(row);
    if (control == nullptr) return CUIString();
    IListRowUI* item = AsRow(control);
    return item != nullptr ? item->GetRowText() : control->GetText();
}

bool CListUI::IsRowSelectable(int row) const {
    if (m_pSource != nullptr) return row >= 0 && row < m_nDataRows;
    CControlUI* control = GetRowControl(row);
    return control != nullptr && control->IsEnabled();
}

CUIRect CListUI::GetRowRect(int row) const {
    if (m_pSource != nullptr) return row >= 0 && row < m_nDataRows ? m_pBody->DataRowRect(row) : CUIRect();
    CControlUI* control = GetRowControl(row);
    return control != nullptr ? control->GetPos() : CUIRect();
}

void CListUI::ShowRow(int row) {
    if (row < 0 || row >= GetRowCount()) return;
    m_pBody->ScrollToShow(GetRowRect(row));
}

CControlUI* CListUI::GetRowControl(int row) const {
    return m_pSource != nullptr ? m_pBody->DataRowControl(row) : m_pBody->GetItemAt(row);
}

void CListUI::RowChanged(int /*row*/) { m_pBody->Repaint(); }

// ---- columns and placement ----

int CListUI::GetColumnCount() const { return m_pHeader->GetCount(); }

POINT CListUI::GetColumnSpan(int column) const {
    CControlUI* item = m_pHeader->GetItemAt(column);
    if (item == nullptr) return POINT{0, 0};
    return POINT{item->GetPos().left, item->GetPos().right};
}

void CListUI::SetHeaderShown(bool show) {
    if (m_bShowHeader == show) return;
    m_bShowHeader = show;
    MarkDirty();
}

void CListUI::PlaceHeader(int x) {
    m_nHeaderX = x;
    const CUIRect content = GetClientPos();
    const int height = m_bShowHeader && m_pHeader->GetCount() > 0 ? m_pHeader->GetHeaderHeight() : 0;
    int width = m_pHeader->GetColumnsWidth();
    if (width < content.GetWidth()) width = content.GetWidth();
    m_pHeader->PlaceAt(CUIRect(content.left - x, content.top, content.left - x + width, content.top + height), false);
    m_pHeader->Repaint();
}

void CListUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call): the parts are placed here
    const CUIRect content = GetClientPos();
    // The header first: rows that hold controls place them in its columns.
    for (int round = 0; round < 2; ++round) {
        PlaceHeader(m_pBody->GetScrollPos().cx);
        const int top = content.top + m_pHeader->GetHeight();
        m_pBody->PlaceAt(CUIRect(content.left, top < content.bottom ? top : content.bottom, content.right,
                                 content.bottom),
                         false);
        if (m_pBody->GetScrollPos().cx == m_nHeaderX) break;
    }
}

void CListUI::Relayout() {
    PlaceAt(m_rcItem, false);
    Repaint();
}

SIZE CListUI::GetScrollPos() const { return m_pBody->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_pBody->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE pos) { m_pBody->SetScrollPos(pos); }

void CListUI::EnableScrollBar(bool vertical, bool horizontal) {
    m_bBarsChosen = true;
    m_pBody->EnableScrollBar(vertical, horizontal);
}

// ---- selection ----

int CListUI::GetDefaultRowHeight() const {
    if (m_looks.height > 0) return Scale(m_looks.height);
    if (m_pManager == nullptr) return Scale(22);
    return m_pManager->GetFontInfo(m_looks.font)->tm.tmHeight + Scale(8);
}

int CListUI::GetRowState(int row) const {
    if (!IsEnabled()) return kRowDisabled;
    if (m_sel.IsSelected(row)) return kRowSelected;
    if (m_sel.GetHot() == row) return kRowHot;
    return kRowNormal;
}

void CListUI::SetMultiSelect(bool multi) {
    if (m_bMultiSelect == multi) return;
    m_bMultiSelect = multi;
    // One row stays selected when a multiple selection becomes single.
    if (!multi && m_sel.GetSelectedCount() > 1) SelectItem(GetCurSel(), false);
}

int CListUI::GetCurSel() const {
    const int caret = m_sel.GetCaret();
    return m_sel.IsSelected(caret) ? caret : m_sel.NextSelected(-1);
}

void CListUI::Notify(const wchar_t* type, WPARAM wParam, LPARAM lParam) {
    if (m_pManager != nullptr) m_pManager->SendNotify(this, type, wParam, lParam);
}

void CListUI::SelectionChanged(bool changed, int oldCurSel, bool notify) {
    RowChanged(-1);
    const int now = GetCurSel();
    if (!changed && now == oldCurSel) return;
    if (m_pManager == nullptr) return;
    if (CControlUI* row = GetRowControl(now)) m_pManager->NotifyAccessible(EVENT_OBJECT_SELECTION, row);
    m_pManager->NotifyAccessible(EVENT_OBJECT_SELECTIONWITHIN, this);
    if (notify) Notify(L"itemselect", static_cast<WPARAM>(now), static_cast<LPARAM>(oldCurSel));
}

bool CListUI::SelectItem(int row, bool notify) {
    if (row < -1 || row >= GetRowCount()) return false;
    if (row >= 0 && !IsRowSelectable(row)) return false;
    const int old = GetCurSel();
    const bool changed = row < 0 ? m_sel.Clear() : m_sel.SelectRange(row, row, false);
    if (row >= 0) {
        m_sel.SetCaret(row);
        m_sel.SetAnchor(row);
    }
    SelectionChanged(changed, old, notify);
    return true;
}

bool CListUI::SetItemSelected(int row, bool selected, bool notify) {
    if (row < 0 || row >= GetRowCount() || (selected && !IsRowSelectable(row))) return false;
    if (!m_bMultiSelect && selected) return SelectItem(row, notify);
    const int old = GetCurSel();
    const bool changed = m_sel.Set(row, selected);
    SelectionChanged(changed, old, notify);
    return true;
}

bool CListUI::SelectRange(int from, int to, bool add, bool notify) {
    if (!m_bMultiSelect) return SelectItem(to, notify);
    const int count = GetRowCount();
    if (from < 0 || to < 0 || from >= count || to >= count) return false;
    const int old = GetCurSel();
    const bool changed = Range(from, to, add);
    m_sel.SetAnchor(from);
    m_sel.SetCaret(to);
    SelectionChanged(changed, old, notify);
    return true;
}

bool CListUI::Range(int from, int to, bool add) {
    bool changed = m_sel.SelectRange(from, to, add);
    if (m_pSource != nullptr) return changed;  // every data row can be selected
    // Rows that cannot be selected stay out of a range.
    for (int i = from < to ? from : to, end = from < to ? to : from; i <= end; ++i) {
        if (!IsRowSelectable(i)) changed = m_sel.Set(i, false) || changed;
    }
    return changed;
}

void CListUI::ClearSelection(bool notify) {
    const int old = GetCurSel();
    SelectionChanged(m_sel.Clear(), old, notify);
}

int CListUI::NextSelectable(int row, int step) const {
    for (int count = GetRowCount(); row >= 0 && row < count; row += step) {
        if (IsRowSelectable(row)) return row;
    }
    return -1;
}

int CListUI::FindSelectable(int index, bool forward) const {
    const int count = GetRowCount();
    if (count == 0) return -1;
    if (index < 0) index = 0;
    if (index >= count) index = count - 1;
    const int found = NextSelectable(index, forward ? 1 : -1);
    return found >= 0 ? found : NextSelectable(index, forward ? -1 : 1);
}

int CListUI::PageRows() const {
    const int height = GetDefaultRowHeight();
    const int rows = height > 0 ? m_pBody->GetClientPos().GetHeight() / height : 1;
    return rows > 1 ? rows : 1;
}

void CListUI::MoveCaret(int to, WORD keyState) {
    const bool shift = m_bMultiSelect && (keyState & UIKEYSTATE_SHIFT) != 0;
    const bool ctrl = m_bMultiSelect && (keyState & UIKEYSTATE_CONTROL) != 0;
    const int old = GetCurSel();
    bool changed = false;
    if (shift) {
        int anchor = m_sel.GetAnchor();
        if (anchor < 0) anchor = m_sel.GetCaret() >= 0 ? m_sel.GetCaret() : to;
        changed = Range(anchor, to, ctrl);
        m_sel.SetAnchor(anchor);
    } else if (!ctrl) {
        changed = m_sel.SelectRange(to, to, false);
        m_sel.SetAnchor(to);
    }
    m_sel.SetCaret(to);
    ShowRow(to);
    if (IsFocused() && m_pManager != nullptr) {
        if (CControlUI* row = GetRowControl(to)) m_pManager->NotifyAccessible(EVENT_OBJECT_FOCUS, row);
    }
    SelectionChanged(changed, old, true);
}

bool CListUI::MoveByKey(UINT vk, WORD keyState) {
    const int count = GetRowCount();
    const int caret = m_sel.GetCaret();
    const bool ctrl = (keyState & UIKEYSTATE_CONTROL) != 0;
    const int page = PageRows() > 1 ? PageRows() - 1 : 1;
    int to = -1;
    switch (vk) {
        case VK_UP: to = caret < 0 ? NextSelectable(0, 1) : NextSelectable(caret - 1, -1); break;
        case VK_DOWN: to = caret < 0 ? NextSelectable(0, 1) : NextSelectable(caret + 1, 1); break;
        case VK_HOME: to = NextSelectable(0, 1); break;
        case VK_END: to = NextSelectable(count - 1, -1); break;
        case VK_PRIOR:
            to = FindSelectable(caret - page < 0 ? 0 : caret - page, false);
            break;
        case VK_NEXT:
            to = FindSelectable(caret < 0 ? page : (caret + page >= count ? count - 1 : caret + page), true);
            break;
        case VK_RETURN:
            if (caret >= 0) RowActivated(caret);
            return true;
        case VK_SPACE:
            if (!ctrl || !m_bMultiSelect) return false;
            if (caret >= 0) SetItemSelected(caret, !m_sel.IsSelected(caret));
            return true;
        case 'A':
            if (!ctrl || !m_bMultiSelect) return false;
            if (count > 0) SelectRange(0, count - 1, false);
            return true;
        default:
            return false;
    }
    if (to >= 0) MoveCaret(to, keyState);
    return true;
}

bool CListUI::TypeAhead(wchar_t ch, DWORD time) {
    if (ch < 0x20 || ch == 0x7F) return false;
    const CUIString& prefix = m_typeAhead.Add(ch, time);
    if (m_typeAhead.IsHopeless()) return false;
    const int count = GetRowCount();
    const int caret = m_sel.GetCaret();
    // One letter looks past the caret; a longer prefix may still match the caret's row.
    const int start = (m_typeAhead.IsCycling() || caret < 0) ? caret + 1 : caret;
    // One pass over the rows at most, reading each text into the same string.
    CUIString text;
    for (int n = 0; n < count; ++n) {
        const int row = static_cast<int>((static_cast<long long>(start) + n) % count);
        if (!IsRowSelectable(row)) continue;
        ReadRowText(row, text);
        if (!CListTypeAhead::StartsWith(text.GetData(), prefix)) continue;
        MoveCaret(row, 0);
        return true;
    }
    m_typeAhead.Missed();
    return false;
}

// ---- what rows report ----

void CListUI::RowPressed(int row, WORD keyState) {
    if (row < 0 || row >= GetRowCount() || !IsEnabled() || !IsRowSelectable(row)) return;
    const bool shift = m_bMultiSelect && (keyState & MK_SHIFT) != 0;
    const bool ctrl = m_bMultiSelect && (keyState & MK_CONTROL) != 0;
    m_typeAhead.Reset();
    if (ctrl && !shift) {
        const int old = GetCurSel();
        m_sel.SetCaret(row);
        m_sel.SetAnchor(row);
        SelectionChanged(m_sel.Set(row, !m_sel.IsSelected(row)), old, true);
        return;
    }
    if (shift) {
        MoveCaret(row, static_cast<WORD>((ctrl ? UIKEYSTATE_CONTROL : 0) | UIKEYSTATE_SHIFT));
        return;
    }
    MoveCaret(row, 0);
}

void CListUI::RowClicked(int row) {
    if (row >= 0 && row < GetRowCount()) Notify(L"itemclick", static_cast<WPARAM>(row));
}

void CListUI::RowActivated(int row) {
    if (row >= 0 && row < GetRowCount() && IsEnabled() && IsRowSelectable(row))
        Notify(L"itemactivate", static_cast<WPARAM>(row));
}

void CListUI::SetHotRow(int row) {
    if (row >= GetRowCount()) row = -1;
    if (m_sel.GetHot() == row) return;
    m_sel.SetHot(row);
    RowChanged(row);
}

void CListUI::ColumnClicked(int column) { Notify(L"headerclick", static_cast<WPARAM>(column)); }

void CListUI::ColumnResized(int column) {
    const POINT span = GetColumnSpan(column);
    Notify(L"columnresize", static_cast<WPARAM>(column), static_cast<LPARAM>(span.y - span.x));
}

// ---- input ----

void CListUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        CContainerUI::HandleEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_ESCAPE && m_drag.state != TRowDrag::kIdle) {
                CancelRowDrag();
                return;
            }
            if (IsEnabled() && MoveByKey(event.chKey, event.wKeyState)) return;
            if (m_pBody->ScrollFor(event)) return;  // Left and Right scroll sideways
            break;
        case UIEVENT_CHAR:
            if (IsEnabled() && (event.wKeyState & (UIKEYSTATE_CONTROL | UIKEYSTATE_ALT)) == 0 && event.chKey >= 0x20) {
                TypeAhead(event.chKey, event.dwTimestamp);
                return;
            }
            break;
        case UIEVENT_SCROLLWHEEL:
            if (m_pBody->ScrollFor(event)) return;
            break;
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            if (event.Type == UIEVENT_KILLFOCUS) CancelRowDrag();
            m_bFocused = event.Type == UIEVENT_SETFOCUS;
            RowChanged(-1);
            return;
        default:
            break;
    }
    CContainerUI::HandleEvent(event);
}

void CListUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (m_looks.Apply(name, value)) {
        MarkDirty();
        return;
    }
    if (NameIs(name, L"multiselect")) {
        SetMultiSelect(IsTrue(value));
    } else if (NameIs(name, L"itemdrag")) {
        SetItemDrag(IsTrue(value));
    } else if (NameIs(name, L"insertmarkcolor")) {
        SetInsertMarkColor(ToColor(value, true));
    } else if (NameIs(name, L"rowcount") || NameIs(name, L"rowformat")) {
        if (m_pGenerated == nullptr) m_pGenerated = std::make_unique<CListGeneratedSource>();
        if (NameIs(name, L"rowcount")) {
            m_pGenerated->SetRowCount(ToInt(value));
        } else {
            m_pGenerated->SetFormat(value);
        }
        // The count makes the list one fed by data; a new format shows at once in one.
        if (m_pSource == m_pGenerated.get()) {
            DataChanged();
        } else if (NameIs(name, L"rowcount")) {
            SetDataSource(m_pGenerated.get());
        }
    } else if (NameIs(name, L"header")) {
        SetHeaderShown(::_wcsicmp(value, L"hidden") != 0 && ::_wcsicmp(value, L"false") != 0);
    } else if (NameIs(name, L"vscrollbar")) {
        EnableScrollBar(IsTrue(value), m_pBody->GetHorizontalScrollBar() != nullptr);
    } else if (NameIs(name, L"hscrollbar")) {
        EnableScrollBar(m_pBody->GetVerticalScrollBar() != nullptr, IsTrue(value));
    } else if (NameIs(name, L"vscrollbarstyle") || NameIs(name, L"hscrollbarstyle") ||
               NameIs(name, L"scrollstepsize")) {
        m_bBarsChosen = true;
        m_pBody->ApplyAttribute(name, value);
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

}  // namespace SkinUI
