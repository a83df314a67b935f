#include "ui/widgets/list/list_header.h"

#include <climits>

#include "ui/controls/attribute_values.h"
#include "ui/controls/button.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list.h"

namespace SkinUI {

// ---- the header ----

CListHeaderUI::CListHeaderUI() : m_pOwner(nullptr) {}

const wchar_t* CListHeaderUI::GetClass() const { return L"ListHeaderUI"; }

void* CListHeaderUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ListHeader") == 0) return static_cast<CListHeaderUI*>(this);
    return CContainerUI::GetInterface(name);
}

int CListHeaderUI::GetHeaderHeight() const {
    const int fixed = GetFixedHeight();
    if (fixed > 0) return fixed;
    return (m_pManager != nullptr ? m_pManager->GetDefaultFontInfo()->tm.tmHeight : Scale(14)) + Scale(10);
}

SIZE CListHeaderUI::MeasureDesired(SIZE /*available*/) { return SIZE{GetColumnsWidth(), GetHeaderHeight()}; }

int CListHeaderUI::GetColumnsWidth() const {
    long long sum = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible() || item->IsFloat()) continue;
        auto* column = static_cast<CListHeaderItemUI*>(item->GetInterface(L"ListHeaderItem"));
        sum += column != nullptr ? column->GetColumnWidth() : (item->GetFixedWidth() > 0 ? item->GetFixedWidth() : 0);
    }
    return sum > INT_MAX / 4 ? INT_MAX / 4 : static_cast<int>(sum);
}

void CListHeaderUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call): columns are placed here
    const CUIRect content = GetClientPos();
    long long x = content.left;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            PlaceFloatChild(i);
            continue;
        }
        auto* column = static_cast<CListHeaderItemUI*>(item->GetInterface(L"ListHeaderItem"));
        int width = column != nullptr ? column->GetColumnWidth() : item->GetFixedWidth();
        if (width < 0) width = 0;
        const LONG left = x > INT_MAX / 2 ? INT_MAX / 2 : static_cast<LONG>(x);
        const LONG right = x + width > INT_MAX / 2 ? INT_MAX / 2 : static_cast<LONG>(x + width);
        item->PlaceAt(CUIRect(left, content.top, right, content.bottom), false);
        x += width;
    }
}

// ---- a column ----

CListHeaderItemUI::CListHeaderItemUI()
    : m_uState(0), m_iSepWidth(4), m_bResizable(true) {
    m_cxyFixed.cx = kDefaultWidth;
}

const wchar_t* CListHeaderItemUI::GetClass() const { return L"ListHeaderItemUI"; }

void* CListHeaderItemUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ListHeaderItem") == 0) return static_cast<CListHeaderItemUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CListHeaderItemUI::GetControlFlags() const { return IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u; }

int CListHeaderItemUI::GetColumnWidth() const {
    const int most = kMaxWidth;
    const int w = m_cxyFixed.cx < 0 ? 0 : m_cxyFixed.cx > most ? most : static_cast<int>(m_cxyFixed.cx);
    return Scale(w);
}

bool CListHeaderItemUI::SetColumnWidth(int width) { return CHeaderGrip::StoreWidth(m_cxyFixed.cx, width); }

int CListHeaderItemUI::GetSepWidth() const { return Scale(m_iSepWidth); }

int CListHeaderItemUI::GetColumnIndex() const {
    auto* header = m_pParent != nullptr ? static_cast<CListHeaderUI*>(m_pParent->GetInterface(L"ListHeader")) : nullptr;
    return header != nullptr ? header->GetItemIndex(const_cast<CListHeaderItemUI*>(this)) : -1;
}

CListUI* CListHeaderItemUI::OwnerList() const {
    auto* header = m_pParent != nullptr ? static_cast<CListHeaderUI*>(m_pParent->GetInterface(L"ListHeader")) : nullptr;
    return header != nullptr ? header->GetOwner() : nullptr;
}

CUIRect CListHeaderItemUI::SepRect() const {
    if (!m_bResizable) return CUIRect();
    int sep = GetSepWidth();
    if (sep > m_rcItem.GetWidth()) sep = m_rcItem.GetWidth();
    return CUIRect(m_rcItem.right - sep, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
}

bool CListHeaderItemUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (CListUI* list = OwnerList()) list->ColumnClicked(GetColumnIndex());
    return true;
}

void CListHeaderItemUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        CLabelUI::HandleEvent(event);
        return;
    }
    if (m_grip.Handle(*this, *this, m_uState, event)) return;
    if (event.Type == UIEVENT_MOUSEENTER || event.Type == UIEVENT_MOUSELEAVE) {
        m_uState = event.Type == UIEVENT_MOUSEENTER ? (m_uState | UISTATE_HOT) : (m_uState & ~UINT(UISTATE_HOT));
        Repaint();
        return;
    }
    CLabelUI::HandleEvent(event);
}

void CListHeaderItemUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (NameIs(name, L"normalimage")) m_sNormalImage = ImageDesc(value);
    else if (NameIs(name, L"hotimage")) m_sHotImage = ImageDesc(value);
    else if (NameIs(name, L"pushedimage")) m_sPushedImage = ImageDesc(value);
    else if (NameIs(name, L"sepimage")) m_sSepImage = ImageDesc(value);
    else if (NameIs(name, L"sepwidth")) {
        const int v = ToCoord(value);
        m_iSepWidth = v < 0 ? 0 : v;
    } else if (NameIs(name, L"resizable")) {
        m_bResizable = IsTrue(value);
    } else {
        CLabelUI::ApplyAttribute(name, value);
        return;
    }
    Repaint();
}

void CListHeaderItemUI::DrawStateImage(HDC dc) {
    const CUIString* image = &m_sNormalImage;
    if ((m_uState & UISTATE_PUSHED) != 0 && !m_sPushedImage.IsEmpty()) image = &m_sPushedImage;
    else if ((m_uState & UISTATE_HOT) != 0 && !m_sHotImage.IsEmpty()) image = &m_sHotImage;
    if (!image->IsEmpty()) DrawImageSpec(dc, *image);
    if (!m_sSepImage.IsEmpty()) {
        const CUIRect sep = SepRect();
        if (!sep.IsEmpty()) {
            // The modifier is scaled again when drawn: unscaled units.
            const int percent = m_pManager != nullptr ? m_pManager->GetDpiScale() : 100;
            CUIString modifier;
            modifier.Format(L"dest='%d,%d,%d,%d'", ::MulDiv(sep.left - m_rcItem.left, 100, percent), 0,
                            ::MulDiv(sep.right - m_rcItem.left, 100, percent),
                            ::MulDiv(sep.GetHeight(), 100, percent));
            DrawImageSpec(dc, m_sSepImage, modifier);
        }
    }
}

}  // namespace SkinUI
