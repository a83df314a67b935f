#include "ui/widgets/list/list_element.h"

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

// ---- what every row does ----

bool CListRowCore::Handle(CControlUI* row, TUIEvent& event) {
    if (owner == nullptr) return false;
    if (!row->IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) return false;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (row->IsEnabled()) {
                const int pressed = index;  // a data row's control may show another row once the list scrolled
                owner->RowPressed(pressed, event.wKeyState);
                owner->RowDragPress(pressed, row, event.ptMouse);
            }
            return true;
        case UIEVENT_MOUSEMOVE:
            return owner->RowDragMove(event.ptMouse);
        case UIEVENT_RBUTTONDOWN:
            // The row under a context menu is selected first, as the menu is about it.
            if (row->IsEnabled() && !owner->IsItemSelected(index)) owner->RowPressed(index, 0);
            return false;
        case UIEVENT_DBLCLICK:
            if (row->IsEnabled()) owner->RowActivated(index);
            return true;
        case UIEVENT_BUTTONUP:
            if (owner->RowDragRelease(event.ptMouse)) return true;  // a drag ended: no click
            if (row->IsEnabled() && row->GetPos().PtInRect(event.ptMouse)) owner->RowClicked(index);
            return true;
        case UIEVENT_MOUSEENTER:
            owner->SetHotRow(index);
            return true;
        case UIEVENT_MOUSELEAVE:
            // Moving onto a control inside the row keeps it hot.
            if (!row->GetPos().PtInRect(event.ptMouse) && owner->GetHotRow() == index) owner->SetHotRow(-1);
            return true;
        default:
            return false;
    }
}

int CListRowCore::State(const CControlUI* row) const {
    if (!row->IsEnabled()) return kRowDisabled;
    return owner != nullptr ? owner->GetRowState(index) : kRowNormal;
}

void CListRowCore::PaintBackground(HDC dc, CControlUI* row) const {
    if (owner != nullptr) ListPaint::Background(dc, row, owner->GetItemLooks(), State(row), index);
}

namespace {

bool ActivateRow(CListRowCore& row) {
    if (row.owner == nullptr) return true;
    row.owner->SelectItem(row.index);
    row.owner->RowActivated(row.index);
    return true;
}

}  // namespace

// ---- one text ----

const wchar_t* CListLabelElementUI::GetClass() const { return L"ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, kListRowInterface) == 0) return static_cast<IListRowUI*>(this);
    if (name != nullptr && ::_wcsicmp(name, L"ListLabelElement") == 0) return static_cast<CListLabelElementUI*>(this);
    return CControlUI::GetInterface(name);
}

bool CListLabelElementUI::Activate() { return CControlUI::Activate() && ActivateRow(m_row); }

void CListLabelElementUI::SetFocus() {
    if (m_row.owner != nullptr) {
        m_row.owner->SetFocus();
    } else {
        CControlUI::SetFocus();
    }
}

void CListLabelElementUI::HandleEvent(TUIEvent& event) {
    if (m_row.Handle(this, event)) return;
    CControlUI::HandleEvent(event);
}

SIZE CListLabelElementUI::MeasureDesired(SIZE /*available*/) { return SIZE{0, GetFixedHeight()}; }

void CListLabelElementUI::DrawBackColor(HDC dc) {
    CControlUI::DrawBackColor(dc);
    m_row.PaintBackground(dc, this);
}

void CListLabelElementUI::DrawBackImage(HDC dc) { CControlUI::DrawBackImage(dc); }

void CListLabelElementUI::DrawLabelText(HDC dc) {
    if (m_row.owner == nullptr) return;
    ListPaint::Text(dc, this, m_row.owner->GetItemLooks(), m_row.State(this), m_rcItem, GetText());
}

void CListLabelElementUI::DrawBorder(HDC dc) {
    CControlUI::DrawBorder(dc);
    if (m_row.owner != nullptr) ListPaint::Line(dc, this, m_row.owner->GetItemLooks());
}

// ---- a text per column ----

const wchar_t* CListTextElementUI::GetClass() const { return L"ListTextElementUI"; }

void* CListTextElementUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ListTextElement") == 0) return static_cast<CListTextElementUI*>(this);
    return CListLabelElementUI::GetInterface(name);
}

CUIString CListTextElementUI::GetText() const { return GetColumnText(0); }

void CListTextElementUI::SetText(const wchar_t* text) { SetColumnText(0, text); }

CUIString CListTextElementUI::GetColumnText(int column) const {
    if (column < 0 || column >= GetColumnTextCount()) return CUIString();
    return m_texts[static_cast<size_t>(column)];
}

bool CListTextElementUI::SetColumnText(int column, const wchar_t* text) {
    if (column < 0 || column >= kMaxColumns) return false;
    if (column >= GetColumnTextCount()) m_texts.resize(static_cast<size_t>(column) + 1);
    m_texts[static_cast<size_t>(column)] = text != nullptr ? text : L"";
    if (column == 0) m_sText = m_texts[0];
    Repaint();
    return true;
}

void CListTextElementUI::SetTexts(const wchar_t* texts) {
    m_texts.clear();
    if (texts == nullptr) texts = L"";
    CUIString current;
    for (const wchar_t* p = texts;; ++p) {
        if (*p == L'\\' && (p[1] == L'|' || p[1] == L'\\')) {
            current += *++p;
            continue;
        }
        if (*p == L'|' || *p == 0) {
            if (GetColumnTextCount() < kMaxColumns) m_texts.push_back(current);
            current.Empty();
            if (*p == 0) break;
            continue;
        }
        current += *p;
    }
    m_sText = GetColumnText(0);
    Repaint();
}

void CListTextElementUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"texts")) {
        SetTexts(value);
        return;
    }
    CListLabelElementUI::ApplyAttribute(name, value);
}

void CListTextElementUI::DrawLabelText(HDC dc) {
    if (m_row.owner == nullptr) return;
    const int columns = m_row.owner->GetColumnCount();
    if (columns == 0) {
        CListLabelElementUI::DrawLabelText(dc);
        return;
    }
    const TListItemLooks& looks = m_row.owner->GetItemLooks();
    const int state = m_row.State(this);
    const int count = GetColumnTextCount() < columns ? GetColumnTextCount() : columns;
    for (int c = 0; c < count; ++c) {
        const POINT span = m_row.owner->GetColumnSpan(c);
        if (span.y <= m_rcPaint.left || span.x >= m_rcPaint.right || span.y <= span.x) continue;
        const RECT cell = {span.x, m_rcItem.top, span.y, m_rcItem.bottom};
        CUIClip clip(dc, cell);
        ListPaint::Text(dc, this, looks, state, cell, m_texts[static_cast<size_t>(c)]);
    }
}

// ---- controls in the columns ----

const wchar_t* CListContainerElementUI::GetClass() const { return L"ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, kListRowInterface) == 0) return static_cast<IListRowUI*>(this);
    if (name != nullptr && ::_wcsicmp(name, L"ListContainerElement") == 0)
        return static_cast<CListContainerElementUI*>(this);
    return CHorizontalLayoutUI::GetInterface(name);
}

bool CListContainerElementUI::Activate() { return CControlUI::Activate() && ActivateRow(m_row); }

void CListContainerElementUI::SetFocus() {
    if (m_row.owner != nullptr) {
        m_row.owner->SetFocus();
    } else {
        CHorizontalLayoutUI::SetFocus();
    }
}

void CListContainerElementUI::HandleEvent(TUIEvent& event) {
    if (m_row.Handle(this, event)) return;
    CHorizontalLayoutUI::HandleEvent(event);
}

SIZE CListContainerElementUI::MeasureDesired(SIZE /*available*/) { return SIZE{0, GetFixedHeight()}; }

CUIString CListContainerElementUI::GetRowText() const {
    for (int i = 0; i < GetCount(); ++i) {
        const CUIString text = GetItemAt(i)->GetText();
        if (!text.IsEmpty()) return text;
    }
    return GetText();
}

void CListContainerElementUI::PlaceAt(CUIRect rc, bool invalidate) {
    const int columns = m_row.owner != nullptr ? m_row.owner->GetColumnCount() : 0;
    if (columns == 0) {
        CHorizontalLayoutUI::PlaceAt(rc, invalidate);
        return;
    }
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call): the columns place the children
    const CUIRect content = GetClientPos();
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            PlaceFloatChild(i);
            continue;
        }
        // Children past the last column get no room.
        const POINT span = i < columns ? m_row.owner->GetColumnSpan(i) : POINT{content.right, content.right};
        const CUIRect pad = child->GetPadding();
        CUIRect cell(span.x + pad.left, content.top + pad.top, span.y - pad.right, content.bottom - pad.bottom);
        if (cell.right < cell.left) cell.right = cell.left;
        if (cell.bottom < cell.top) cell.bottom = cell.top;
        child->PlaceAt(cell, false);
    }
}

void CListContainerElementUI::DrawBackColor(HDC dc) {
    CHorizontalLayoutUI::DrawBackColor(dc);
    m_row.PaintBackground(dc, this);
}

void CListContainerElementUI::DrawBackImage(HDC dc) { CHorizontalLayoutUI::DrawBackImage(dc); }

void CListContainerElementUI::DrawBorder(HDC dc) {
    CHorizontalLayoutUI::DrawBorder(dc);
    if (m_row.owner != nullptr) ListPaint::Line(dc, this, m_row.owner->GetItemLooks());
}

}  // namespace SkinUI
