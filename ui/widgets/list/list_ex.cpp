#include "ui/widgets/list/list_ex.h"

#include <oleacc.h>

#include "ui/controls/attribute_values.h"
#include "ui/controls/button.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list_header.h"

namespace SkinUI {

namespace {

CListTextExtElementUI* AsCheckRow(CControlUI* control) {
    return control != nullptr ? static_cast<CListTextExtElementUI*>(control->GetInterface(L"ListTextExtElement"))
                              : nullptr;
}

CListExUI* AsListEx(CListUI* list) {
    return list != nullptr ? static_cast<CListExUI*>(list->GetInterface(L"ListEx")) : nullptr;
}

const TListCheckLooks& LooksOf(CListUI* list) {
    static const TListCheckLooks kDrawn;
    CListExUI* ex = AsListEx(list);
    return ex != nullptr ? ex->GetCheckLooks() : kDrawn;
}

void SendCheck(CListUI* list, int row, bool checked) {
    if (list->GetManager() != nullptr)
        list->GetManager()->SendNotify(list, L"itemcheck", static_cast<WPARAM>(row), checked ? 1 : 0);
}

}  // namespace

// ---- the list ----

const wchar_t* CListExUI::GetClass() const { return L"ListExUI"; }

void* CListExUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ListEx") == 0) return static_cast<CListExUI*>(this);
    return CListUI::GetInterface(name);
}

int CListExUI::GetRowCheck(int row) const {
    CListTextExtElementUI* item = AsCheckRow(GetRowControl(row));
    return item != nullptr ? item->GetCheckBoxState() : -1;
}

bool CListExUI::SetRowChecked(int row, bool checked, bool notify) {
    CListTextExtElementUI* item = AsCheckRow(GetRowControl(row));
    if (item == nullptr || item->IsChecked() == checked) return false;
    item->SetChecked(checked);
    GetHeader()->Repaint();
    if (GetManager() != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_STATECHANGE, item);
    if (notify) SendCheck(this, row, checked);
    return true;
}

void CListExUI::CheckAll(bool checked, bool notify) {
    bool changed = false;
    for (int row = 0, count = GetRowCount(); row < count; ++row) changed = SetRowChecked(row, checked, false) || changed;
    if (changed && notify) SendCheck(this, -1, checked);
}

int CListExUI::GetCheckedCount() const {
    int checked = 0;
    for (int row = 0, count = GetRowCount(); row < count; ++row) checked += GetRowCheck(row) == kCheckOn;
    return checked;
}

int CListExUI::GetCheckAllState() const {
    bool on = false;
    bool off = false;
    for (int row = 0, count = GetRowCount(); row < count && !(on && off); ++row) {
        const int state = GetRowCheck(row);
        if (state == kCheckOn) on = true;
        if (state == kCheckOff) off = true;
    }
    return on && off ? kCheckMixed : on ? kCheckOn : kCheckOff;
}

void CListExUI::RowBoxPressed(int row) {
    const int state = GetRowCheck(row);
    if (state >= 0 && IsEnabled()) SetRowChecked(row, state != kCheckOn, true);
}

void CListExUI::HeaderBoxPressed() {
    if (IsEnabled()) CheckAll(GetCheckAllState() != kCheckOn, true);
}

void CListExUI::HandleEvent(TUIEvent& event) {
    if (event.Type == UIEVENT_KEYDOWN && event.chKey == VK_SPACE && IsEnabled() &&
        (event.wKeyState & UIKEYSTATE_CONTROL) == 0 && GetRowCheck(GetCaretRow()) >= 0) {
        RowBoxPressed(GetCaretRow());
        return;
    }
    CListUI::HandleEvent(event);
}

void CListExUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && m_checkLooks.Apply(name, value != nullptr ? value : L"")) {
        Repaint();
        return;
    }
    CListUI::ApplyAttribute(name, value);
}

// ---- a row with a box ----

const wchar_t* CListTextExtElementUI::GetClass() const { return L"ListTextExtElementUI"; }

void* CListTextExtElementUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, kListCheckInterface) == 0) return static_cast<IListCheckUI*>(this);
    if (name != nullptr && ::_wcsicmp(name, L"ListTextExtElement") == 0)
        return static_cast<CListTextExtElementUI*>(this);
    return CListTextElementUI::GetInterface(name);
}

void CListTextExtElementUI::SetChecked(bool checked) {
    if (m_bChecked == checked) return;
    m_bChecked = checked;
    Repaint();
}

CUIRect CListTextExtElementUI::GetCheckRect() const {
    const bool columns = m_row.owner != nullptr && m_row.owner->GetColumnCount() > 0;
    const LONG left = columns ? m_row.owner->GetColumnSpan(0).x : m_rcItem.left;
    return CUIRect(left, m_rcItem.top, left + Scale(TListCheckLooks::kCellWidth), m_rcItem.bottom);
}

void CListTextExtElementUI::HandleEvent(TUIEvent& event) {
    if (m_row.owner != nullptr && IsEnabled() && IsMouseEnabled() && GetCheckRect().PtInRect(event.ptMouse)) {
        if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK) {
            if (CListExUI* list = AsListEx(m_row.owner)) {
                list->RowBoxPressed(m_row.index);
            } else {
                SetChecked(!m_bChecked);
                SendCheck(m_row.owner, m_row.index, m_bChecked);
            }
            return;
        }
        if (event.Type == UIEVENT_BUTTONUP) return;  // no click on the row
    }
    CListTextElementUI::HandleEvent(event);
}

void CListTextExtElementUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"checked")) {
        SetChecked(attr::IsTrue(value));
        return;
    }
    CListTextElementUI::ApplyAttribute(name, value);
}

void CListTextExtElementUI::DrawStateImage(HDC dc) {
    CListTextElementUI::DrawStateImage(dc);
    if (m_row.owner == nullptr) return;
    const DWORD color = ListPaint::TextColor(this, m_row.owner->GetItemLooks(), m_row.State(this));
    ListCheck::PaintBox(dc, this, GetCheckRect(), GetCheckBoxState(), LooksOf(m_row.owner), color);
}

void CListTextExtElementUI::DrawLabelText(HDC dc) {
    if (m_row.owner == nullptr) return;
    const TListItemLooks& looks = m_row.owner->GetItemLooks();
    const int state = m_row.State(this);
    const int box = GetCheckRect().GetWidth();
    const int columns = m_row.owner->GetColumnCount();
    if (columns == 0) {
        RECT cell = m_rcItem;
        cell.left += box;
        ListPaint::Text(dc, this, looks, state, cell, GetColumnText(0));
        return;
    }
    const int count = GetColumnTextCount() < columns ? GetColumnTextCount() : columns;
    for (int c = 0; c < count; ++c) {
        POINT span = m_row.owner->GetColumnSpan(c);
        if (c == 0) span.x += box;
        if (span.y <= m_rcPaint.left || span.x >= m_rcPaint.right || span.y <= span.x) continue;
        const RECT cell = {span.x, m_rcItem.top, span.y, m_rcItem.bottom};
        CUIClip clip(dc, cell);
        ListPaint::Text(dc, this, looks, state, cell, GetColumnText(c));
    }
}

// ---- a header item that holds controls ----

CListContainerHeaderItemUI::CListContainerHeaderItemUI()
    : m_uState(0),
      m_iSepWidth(4),
      m_bResizable(true),
      m_bCheckBox(false) {
    m_cxyFixed.cx = kDefaultWidth;
}

const wchar_t* CListContainerHeaderItemUI::GetClass() const { return L"ListContainerHeaderItemUI"; }

void* CListContainerHeaderItemUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, kListCheckInterface) == 0) return static_cast<IListCheckUI*>(this);
    if (name != nullptr && ::_wcsicmp(name, L"ListContainerHeaderItem") == 0)
        return static_cast<CListContainerHeaderItemUI*>(this);
    return CHorizontalLayoutUI::GetInterface(name);
}

UINT CListContainerHeaderItemUI::GetControlFlags() const { return IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u; }

CListUI* CListContainerHeaderItemUI::OwnerList() const {
    auto* header = m_pParent != nullptr ? static_cast<CListHeaderUI*>(m_pParent->GetInterface(L"ListHeader")) : nullptr;
    return header != nullptr ? header->GetOwner() : nullptr;
}

int CListContainerHeaderItemUI::GetColumnIndex() const {
    auto* header = m_pParent != nullptr ? static_cast<CListHeaderUI*>(m_pParent->GetInterface(L"ListHeader")) : nullptr;
    return header != nullptr ? header->GetItemIndex(const_cast<CListContainerHeaderItemUI*>(this)) : -1;
}

int CListContainerHeaderItemUI::GetCheckBoxState() const {
    if (!m_bCheckBox) return -1;
    CListExUI* list = AsListEx(OwnerList());
    return list != nullptr ? list->GetCheckAllState() : kCheckOff;
}

CUIRect CListContainerHeaderItemUI::GetCheckRect() const {
    if (!m_bCheckBox) return CUIRect();
    int cell = Scale(TListCheckLooks::kCellWidth);
    if (cell > m_rcItem.GetWidth()) cell = m_rcItem.GetWidth();
    return CUIRect(m_rcItem.left, m_rcItem.top, m_rcItem.left + cell, m_rcItem.bottom);
}

CUIRect CListContainerHeaderItemUI::SepRect() const {
    if (!m_bResizable) return CUIRect();
    int sep = Scale(m_iSepWidth);
    if (sep > m_rcItem.GetWidth()) sep = m_rcItem.GetWidth();
    return CUIRect(m_rcItem.right - sep, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
}

CUIRect CListContainerHeaderItemUI::GetInset() const {
    CUIRect inset = CHorizontalLayoutUI::GetInset();
    if (m_bCheckBox) inset.left += Scale(TListCheckLooks::kCellWidth);
    return inset;
}

bool CListContainerHeaderItemUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (CListUI* list = OwnerList()) list->ColumnClicked(GetColumnIndex());
    return true;
}

bool CListContainerHeaderItemUI::SetColumnWidth(int width) { return CHeaderGrip::StoreWidth(m_cxyFixed.cx, width); }

void CListContainerHeaderItemUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        CHorizontalLayoutUI::HandleEvent(event);
        return;
    }
    // The check-all box takes a press beside the separator.
    if ((event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK) && IsEnabled() &&
        !SepRect().PtInRect(event.ptMouse) && GetCheckRect().PtInRect(event.ptMouse)) {
        if (CListExUI* list = AsListEx(OwnerList())) list->HeaderBoxPressed();
        Repaint();
        return;
    }
    if (m_grip.Handle(*this, *this, m_uState, event) || event.Type == UIEVENT_BUTTONUP) return;
    CHorizontalLayoutUI::HandleEvent(event);
}

void CListContainerHeaderItemUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (NameIs(name, L"checkbox")) {
        m_bCheckBox = IsTrue(value);
        MarkDirty();
    } else if (NameIs(name, L"sepwidth")) {
        const int v = ToCoord(value);
        m_iSepWidth = v < 0 ? 0 : v;
    } else if (NameIs(name, L"resizable")) {
        m_bResizable = IsTrue(value);
    } else {
        CHorizontalLayoutUI::ApplyAttribute(name, value);
    }
}

void CListContainerHeaderItemUI::DrawStateImage(HDC dc) {
    CHorizontalLayoutUI::DrawStateImage(dc);
    if (!m_bCheckBox || m_pManager == nullptr) return;
    ListCheck::PaintBox(dc, this, GetCheckRect(), GetCheckBoxState(), LooksOf(OwnerList()),
                        ApplyHsl(m_pManager->GetDefaultFontColor()));
}

void CListContainerHeaderItemUI::DrawLabelText(HDC dc) {
    if (GetCount() > 0 || m_sText.IsEmpty() || m_pManager == nullptr) return;
    RECT rc = GetClientPos();
    rc.left += Scale(4);
    rc.right -= Scale(4);
    if (rc.right <= rc.left) return;
    CUIRender::PaintText(dc, m_pManager, rc, m_sText, ApplyHsl(m_pManager->GetDefaultFontColor()), -1,
                         DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace SkinUI
