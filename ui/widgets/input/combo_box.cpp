#include "ui/widgets/input/combo_box.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/button.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

CComboBoxUI::CComboBoxUI() : m_nArrowWidth(0) {}

const wchar_t* CComboBoxUI::GetClass() const { return L"ComboBoxUI"; }

void* CComboBoxUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ComboBox") == 0) return static_cast<CComboBoxUI*>(this);
    return CComboUI::GetInterface(name);
}

void CComboBoxUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"arrowimage")) m_sArrowImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"arrowhotimage")) m_sArrowHotImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"arrowpushedimage")) m_sArrowPushedImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"arrowdisabledimage")) m_sArrowDisabledImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"arrowwidth")) m_nArrowWidth = attr::ToCoord(value) < 0 ? 0 : attr::ToCoord(value);
    else {
        CComboUI::ApplyAttribute(name, value);
        return;
    }
    Repaint();
}

CUIRect CComboBoxUI::ArrowRect() const {
    CUIRect rc = m_rcItem;
    LONG width = m_nArrowWidth > 0 ? Scale(m_nArrowWidth) : rc.GetHeight();
    if (width > rc.GetWidth()) width = rc.GetWidth();
    if (width < 0) width = 0;
    rc.left = rc.right - width;
    return rc;
}

CUIRect CComboBoxUI::TextRect() const {
    CUIRect rc = CComboUI::TextRect();
    const LONG arrowLeft = ArrowRect().left;
    if (rc.right > arrowLeft) rc.right = arrowLeft;
    return rc;
}

void CComboBoxUI::DrawStateImage(HDC dc) {
    CComboUI::DrawStateImage(dc);
    const CUIString* image = &m_sArrowImage;
    if (!IsEnabled())
        image = &m_sArrowDisabledImage;
    else if (IsDropped())
        image = &m_sArrowPushedImage;
    else if ((m_uState & UISTATE_HOT) != 0)
        image = &m_sArrowHotImage;
    if (image->IsEmpty()) image = &m_sArrowImage;
    if (image->IsEmpty()) return;
    // The destination is relative to the item and unscaled: the description is scaled when drawn.
    CUIRect box = ArrowRect();
    box.Offset(-m_rcItem.left, -m_rcItem.top);
    const int percent = m_pManager != nullptr ? m_pManager->GetDpiScale() : 100;
    CUIString modifier;
    modifier.Format(L"dest='%d,%d,%d,%d'", ::MulDiv(box.left, 100, percent), ::MulDiv(box.top, 100, percent),
                    ::MulDiv(box.right, 100, percent), ::MulDiv(box.bottom, 100, percent));
    m_sLastArrow = *image;
    m_sLastArrow += L" ";
    m_sLastArrow += modifier;
    DrawImageSpec(dc, *image, modifier);
}

}  // namespace SkinUI
