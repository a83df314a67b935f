#include "ui/widgets/input/combo.h"

#include <oleacc.h>

#include <climits>
#include <cwchar>
#include <initializer_list>

#include "ui/controls/attribute_values.h"
#include "ui/controls/button.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/combo_list.h"

namespace SkinUI {

namespace {

// The drop-down's looks before the skin's "dropbox" attributes.
const wchar_t kListDefaults[] =
    L"vscrollbar=\"true\" bkcolor=\"#FFFFFFFF\" bordercolor=\"#FF7F7F7F\" bordersize=\"1\" inset=\"1,1,1,1\"";
// Unscaled bounds of the row height and of the drop-down height.
const int kMaxItemHeight = 4096;
const int kDefaultDropHeight = 150;

UINT Aligned(UINT style, const wchar_t* value) {
    style &= ~UINT(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (std::wcsstr(value, L"center") != nullptr) style |= DT_CENTER;
    if (std::wcsstr(value, L"right") != nullptr) style |= DT_RIGHT;
    return style;
}

int NonNegative(int v) { return v < 0 ? 0 : v; }

}  // namespace

CComboUI::CComboUI()
    : m_uState(0),
      m_iFont(-1),
      m_dwTextColor(0),
      m_dwDisabledTextColor(0),
      m_uTextStyle(DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX),
      m_rcTextPadding(4, 0, 4, 0),
      m_iCurSel(-1),
      m_iOpenSel(-1),
      m_szDropBox{0, kDefaultDropHeight},
      m_pPopup(nullptr),
      m_pList(nullptr),
      m_pFilterManager(nullptr) {}

CComboUI::~CComboUI() {
    if (m_pPopup != nullptr) {
        // Nothing is told: the combo is going. The popup's list must not reach back.
        m_pList->SetOwner(nullptr);
        CPopupWindow* popup = m_pPopup;
        m_pPopup = nullptr;
        m_pList = nullptr;
        popup->Abandon();
    }
    if (m_pFilterManager != nullptr) m_pFilterManager->RemoveMessageFilter(this);
}

const wchar_t* CComboUI::GetClass() const { return L"ComboUI"; }

void* CComboUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Combo") == 0) return static_cast<CComboUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CComboUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | (IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u);
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (IsDropped())
        CloseDropDown();
    else
        OpenDropDown();
    return true;
}

void CComboUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager) CloseDropDown();
    CContainerUI::SetManager(manager, parent, init);
    if (manager == m_pFilterManager) return;
    if (m_pFilterManager != nullptr) m_pFilterManager->RemoveMessageFilter(this);
    m_pFilterManager = manager;
    if (manager != nullptr) manager->AddMessageFilter(this);
}

// ---- the field stands for its items: they are neither placed, painted nor hit ----

void CComboUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call)
}

CControlUI* CComboUI::FindMatching(FindControlProc proc, void* data, UINT flags) {
    // Searches of what is shown (hit tests, tab stops) end at the field; others (names) see the items.
    if ((flags & (UIFIND_HITTEST | UIFIND_VISIBLE)) != 0) {
        return CControlUI::FindMatching(proc, data, flags);  // NOLINT(bugprone-parent-virtual-call)
    }
    return CContainerUI::FindMatching(proc, data, flags);
}

bool CComboUI::PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) {
    return CControlUI::PaintLayers(dc, paint, stop);  // NOLINT(bugprone-parent-virtual-call)
}

void CComboUI::SetVisible(bool visible) {
    if (!visible) CloseDropDown();
    CContainerUI::SetVisible(visible);
}

void CComboUI::SetInternVisible(bool visible) {
    if (!visible) CloseDropDown();
    CContainerUI::SetInternVisible(visible);
}

void CComboUI::SetEnabled(bool enable) {
    // The items keep their own states: a disabled item stays so.
    if (!enable) CloseDropDown();
    if (m_bEnabled == enable) return;
    m_bEnabled = enable;
    Repaint();
}

// ---- items ----

void CComboUI::ItemsChanged() {
    CloseDropDown();
    Repaint();
}

bool CComboUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (index < 0 || index > GetCount()) index = GetCount();
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_iCurSel >= index) ++m_iCurSel;
    ItemsChanged();
    return true;
}

bool CComboUI::Remove(CControlUI* control) {
    const int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index);
}

bool CComboUI::RemoveAt(int index) {
    if (GetItemAt(index) == nullptr) return false;
    ItemsChanged();
    if (!CContainerUI::RemoveAt(index)) return false;
    if (m_iCurSel == index) {
        m_iCurSel = -1;
        if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
    } else if (m_iCurSel > index) {
        --m_iCurSel;
    }
    return true;
}

void CComboUI::RemoveAll() {
    ItemsChanged();
    CContainerUI::RemoveAll();
    m_iCurSel = -1;
}

// ---- selection ----

bool CComboUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= GetCount()) return false;
    if (index >= 0 && !GetItemAt(index)->IsEnabled()) return false;
    if (index == m_iCurSel) return true;
    const int old = m_iCurSel;
    m_iCurSel = index;
    Repaint();
    if (m_pPopup != nullptr) {
        m_pList->ShowRow(index);
        m_pPopup->GetPaintManager().Invalidate();
    }
    if (m_pManager != nullptr) {
        m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
        if (notify) m_pManager->SendNotify(this, L"itemselect", static_cast<WPARAM>(index), static_cast<LPARAM>(old));
    }
    return true;
}

CUIString CComboUI::GetSelectedText() const {
    CControlUI* item = GetItemAt(m_iCurSel);
    return item != nullptr ? item->GetText() : CUIString();
}

int CComboUI::Selectable(int index, int step) const {
    for (; index >= 0 && index < GetCount(); index += step) {
        if (GetItemAt(index)->IsEnabled()) return index;
    }
    return -1;
}

bool CComboUI::MoveByKey(UINT key) {
    const int count = GetCount();
    const int cur = m_iCurSel;
    int page = GetItemHeight() > 0 ? Scale(NonNegative(m_szDropBox.cy)) / GetItemHeight() : 1;
    if (page < 1) page = 1;
    int to = -1;
    switch (key) {
        case VK_UP: case VK_LEFT: to = Selectable(cur - 1, -1); break;
        case VK_DOWN: case VK_RIGHT: to = Selectable(cur + 1, 1); break;
        case VK_HOME: to = Selectable(0, 1); break;
        case VK_END: to = Selectable(count - 1, -1); break;
        case VK_PRIOR:
            to = Selectable(cur - page < 0 ? 0 : cur - page, 1);
            if (to < 0 || (cur >= 0 && to >= cur)) to = Selectable(cur - 1, -1);
            break;
        case VK_NEXT:
            to = Selectable(cur + page >= count ? count - 1 : cur + page, -1);
            if (to <= cur) to = Selectable(cur + 1, 1);
            break;
        default: return false;
    }
    if (to >= 0) SelectItem(to);
    return true;
}

// ---- the drop-down ----

int CComboUI::GetItemHeight() const {
    if (m_item.height > 0) return Scale(m_item.height > kMaxItemHeight ? kMaxItemHeight : m_item.height);
    const int font = m_pManager != nullptr ? m_pManager->GetFontInfo(m_item.font)->tm.tmHeight : 14;
    return font + Scale(8);
}

bool CComboUI::OpenDropDown() {
    if (m_pPopup != nullptr || m_pManager == nullptr || !IsVisible() || !IsEnabled()) return false;
    HWND window = m_pManager->GetPaintWindow();
    CPopupWindow* popup = CPopupWindow::Create(m_pManager, nullptr, this);
    if (popup == nullptr) return false;
    CPaintManagerUI& pm = popup->GetPaintManager();
    // The bars of the list look like the window's.
    for (const wchar_t* element : {L"VScrollBar", L"HScrollBar"}) {
        if (const wchar_t* defaults = m_pManager->GetDefaultAttributeList(element))
            pm.AddDefaultAttributeList(element, defaults);
    }
    auto* list = new CComboListUI(this);
    pm.AttachRoot(list);
    list->ApplyAttributeString(kListDefaults);
    list->ApplyAttributeString(m_sDropBoxAttributes);
    m_pPopup = popup;
    m_pList = list;
    m_iOpenSel = m_iCurSel;

    const CUIRect inset = list->GetInset();
    const long long rows = GetCount() > 0 ? GetCount() : 1;
    long long height = rows * GetItemHeight() + inset.top + inset.bottom;
    const long long most = Scale(NonNegative(m_szDropBox.cy));
    if (height > most) height = most;
    const SIZE size = {m_szDropBox.cx > 0 ? Scale(m_szDropBox.cx) : m_rcItem.GetWidth(), static_cast<LONG>(height)};
    RECT anchor = m_rcItem;
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&anchor), 2);
    popup->SetPassThrough(anchor);
    popup->ShowAt(anchor, size, EPopupSide::kBelow);
    RECT client = {};
    ::GetClientRect(popup->GetHWND(), &client);
    list->PlaceAt(client, false);
    list->ShowRow(m_iCurSel);
    Repaint();
    m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
    m_pManager->SendNotify(this, L"dropdown");
    return true;
}

void CComboUI::CloseDropDown(bool restore) {
    if (m_pPopup == nullptr) return;
    if (restore && m_iOpenSel != m_iCurSel) SelectItem(m_iOpenSel);
    if (m_pPopup != nullptr) m_pPopup->Close(EPopupClose::kProgram);  // OnPopupClosed does the rest
}

void CComboUI::OnPopupClosed(CPopupWindow* popup, EPopupClose why) {
    if (popup != m_pPopup) return;
    m_pList->SetOwner(nullptr);
    m_pList = nullptr;
    m_pPopup = nullptr;
    m_uState &= ~UINT(UISTATE_PUSHED);
    if (why == EPopupClose::kOwnerGone || m_pManager == nullptr) return;  // the window is going
    Repaint();
    m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
    m_pManager->SendNotify(this, L"dropup", static_cast<WPARAM>(why));
}

void CComboUI::PickFromList(int index) {
    if (index < 0 || index >= GetCount() || !GetItemAt(index)->IsEnabled()) return;
    SelectItem(index);
    CloseDropDown();
}

LRESULT CComboUI::FilterMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    if (msg != WM_SYSKEYDOWN || (wParam != VK_DOWN && wParam != VK_UP)) return 0;
    if (m_pManager == nullptr || m_pManager->GetFocus() != this || !IsEnabled()) return 0;
    handled = true;
    Activate();
    return 0;
}

// ---- input ----

void CComboUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_KILLFOCUS:
            CloseDropDown();
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (IsEnabled()) Activate();
            return;
        case UIEVENT_BUTTONUP:
            return;
        case UIEVENT_MOUSEENTER:
            m_uState |= UISTATE_HOT;
            Repaint();
            return;
        case UIEVENT_MOUSELEAVE:
            m_uState &= ~UINT(UISTATE_HOT);
            Repaint();
            return;
        case UIEVENT_KEYDOWN:
            if (!IsEnabled() || !IsKeyboardEnabled()) break;
            if (event.chKey == VK_F4) {
                Activate();
                return;
            }
            if (event.chKey == VK_RETURN && IsDropped()) {
                CloseDropDown();
                return;
            }
            if (event.chKey == VK_ESCAPE && IsDropped()) {
                CloseDropDown(true);
                return;
            }
            if (MoveByKey(event.chKey)) return;
            break;
        default:
            break;
    }
    CControlUI::HandleEvent(event);  // NOLINT(bugprone-parent-virtual-call): no scrolling of its own
}

// ---- markup ----

void CComboUI::SetDropBoxSize(SIZE size) {
    m_szDropBox.cx = NonNegative(size.cx);
    m_szDropBox.cy = NonNegative(size.cy);
}

void CComboUI::SetDropBoxAttributes(const wchar_t* list) {
    if (list == nullptr) list = L"";
    const wchar_t* style = m_pManager != nullptr ? m_pManager->GetStyle(attr::StyleName(list)) : nullptr;
    m_sDropBoxAttributes = style != nullptr ? style : list;
}

bool CComboUI::ApplyItemAttribute(const wchar_t* name, const wchar_t* value) {
    TComboItemLooks& item = m_item;
    if (attr::NameIs(name, L"itemheight")) item.height = NonNegative(attr::ToInt(value));
    else if (attr::NameIs(name, L"itemfont")) item.font = attr::ToFontId(value);
    else if (attr::NameIs(name, L"itemalign")) item.textStyle = Aligned(item.textStyle, value);
    else if (attr::NameIs(name, L"itemtextpadding")) item.textPadding = attr::ToRect(value);
    else if (attr::NameIs(name, L"itemtextcolor")) item.textColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itembkcolor")) item.bkColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemimage")) item.image = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"itemhottextcolor")) item.hotTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemhotbkcolor")) item.hotBkColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemhotimage")) item.hotImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"itemselectedtextcolor")) item.selectedTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemselectedbkcolor")) item.selectedBkColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemselectedimage")) item.selectedImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"itemdisabledtextcolor")) item.disabledTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemlinecolor")) item.lineColor = attr::ToColor(value, false);
    else return false;
    return true;
}

void CComboUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (ApplyItemAttribute(name, value)) {
        ItemsChanged();
        return;
    }
    if (attr::NameIs(name, L"selectedid")) SelectItem(attr::ToInt(value), false);
    else if (attr::NameIs(name, L"dropboxsize")) SetDropBoxSize(attr::ToSize(value));
    else if (attr::NameIs(name, L"dropbox")) SetDropBoxAttributes(value);
    else if (attr::NameIs(name, L"normalimage")) m_sNormalImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"hotimage")) m_sHotImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"pushedimage")) m_sPushedImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"focusedimage")) m_sFocusedImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"disabledimage")) m_sDisabledImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"textpadding")) m_rcTextPadding = attr::ToRect(value);
    else if (attr::NameIs(name, L"font")) m_iFont = attr::ToFontId(value);
    else if (attr::NameIs(name, L"textcolor")) m_dwTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"disabledtextcolor")) m_dwDisabledTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"align")) m_uTextStyle = Aligned(m_uTextStyle, value);
    else {
        CContainerUI::ApplyAttribute(name, value);
        return;
    }
    Repaint();
}

// ---- painting ----

CUIRect CComboUI::TextRect() const {
    CUIRect rc = m_rcItem;
    rc.Deflate(ScaleRect(m_rcTextPadding));
    return rc;
}

void CComboUI::DrawStateImage(HDC dc) {
    const CUIString* image = &m_sNormalImage;
    if (!IsEnabled())
        image = &m_sDisabledImage;
    else if (IsDropped())
        image = &m_sPushedImage;
    else if ((m_uState & UISTATE_HOT) != 0)
        image = &m_sHotImage;
    else if (IsFocused())
        image = &m_sFocusedImage;
    if (!image->IsEmpty() && DrawImageSpec(dc, *image)) return;
    if (!m_sNormalImage.IsEmpty()) DrawImageSpec(dc, m_sNormalImage);
}

void CComboUI::DrawLabelText(HDC dc) {
    const CUIString text = GetSelectedText();
    if (text.IsEmpty() || m_pManager == nullptr) return;
    DWORD color = m_dwTextColor != 0 ? m_dwTextColor : m_pManager->GetDefaultFontColor();
    if (!IsEnabled()) color = m_dwDisabledTextColor != 0 ? m_dwDisabledTextColor : m_pManager->GetDefaultDisabledColor();
    CUIRect rc = TextRect();
    CUIRender::PaintText(dc, m_pManager, rc, text, ApplyHsl(color), m_iFont, m_uTextStyle);
}

}  // namespace SkinUI
