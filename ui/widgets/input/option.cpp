#include "ui/widgets/input/option.h"

#include <oleacc.h>

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// What a screen reader reads for the default action: "check" and "uncheck".
const wchar_t kCheckAction[] = L"\u9009\u4E2D";
const wchar_t kUncheckAction[] = L"\u53D6\u6D88\u9009\u4E2D";

COptionUI* AsOption(void* member) {
    auto* control = static_cast<CControlUI*>(member);
    return control != nullptr ? static_cast<COptionUI*>(control->GetInterface(L"Option")) : nullptr;
}

// True while the control is part of the tree its manager shows (not waiting for clean-up).
bool InShownTree(CControlUI* control) {
    CPaintManagerUI* manager = control->GetManager();
    CControlUI* root = manager != nullptr ? manager->GetRoot() : nullptr;
    for (CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (c == root) return true;
    }
    return false;
}

bool TakesKeyboard(CControlUI* control) {
    return control->IsVisible() && control->IsEnabled() && control->IsKeyboardEnabled() && InShownTree(control);
}

}  // namespace

COptionUI::COptionUI()
    : m_bToggles(false),
      m_bSelected(false),
      m_pGroupManager(nullptr),
      m_dwSelectedBkColor(0),
      m_dwSelectedTextColor(0),
      m_iSelectedFont(-1) {}

COptionUI::~COptionUI() { LeaveGroup(); }

const wchar_t* COptionUI::GetClass() const { return L"OptionUI"; }

void* COptionUI::GetInterface(const wchar_t* name) {
    if (name != nullptr) {
        if (::_wcsicmp(name, L"Option") == 0) return static_cast<COptionUI*>(this);
    }
    return CButtonUI::GetInterface(name);
}

UINT COptionUI::GetControlFlags() const {
    UINT flags = CButtonUI::GetControlFlags();
    // Tab enters a group of radio buttons at its selected one.
    if (!m_bToggles && !m_bSelected && SelectedPeer() != nullptr) flags &= ~UINT(UIFLAG_TABSTOP);
    return flags;
}

bool COptionUI::Activate() {
    if (!CControlUI::Activate()) return false;
    // The state changes before "click", so that a click handler reads the new one.
    Selected(m_bToggles || m_sGroupName.IsEmpty() ? !m_bSelected : true);
    return CButtonUI::Activate();
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    if (m_pManager != m_pGroupManager) JoinGroup();
}

void COptionUI::JoinGroup() {
    LeaveGroup();
    if (m_pManager == nullptr || m_sGroupName.IsEmpty()) return;
    m_pManager->AddOptionGroup(m_sGroupName, this);
    m_pGroupManager = m_pManager;
    if (!m_bSelected) return;
    // Joining selected: the later of two selected options wins, as a selection made now would.
    const CUIPtrArray* members = m_pManager->GetOptionGroup(m_sGroupName);
    const CUIPtrArray peers = members != nullptr ? *members : CUIPtrArray();
    for (int i = 0; i < peers.GetSize(); ++i) {
        COptionUI* peer = AsOption(peers[i]);
        if (peer != nullptr && peer != this) peer->Selected(false, false);
    }
}

void COptionUI::LeaveGroup() {
    if (m_pGroupManager == nullptr) return;
    m_pGroupManager->RemoveOptionGroup(m_sGroupName, this);
    m_pGroupManager = nullptr;
}

void COptionUI::SetGroup(const wchar_t* group) {
    if (group == nullptr) group = L"";
    if (m_sGroupName == group) return;
    LeaveGroup();
    m_sGroupName = group;
    JoinGroup();
    Repaint();
}

void COptionUI::Selected(bool selected, bool notify) {
    if (m_bSelected == selected) return;
    m_bSelected = selected;
    if (selected && m_pGroupManager != nullptr) {
        // A copy: a listener of the peers' notifications may change the group.
        const CUIPtrArray* members = m_pGroupManager->GetOptionGroup(m_sGroupName);
        const CUIPtrArray peers = members != nullptr ? *members : CUIPtrArray();
        for (int i = 0; i < peers.GetSize(); ++i) {
            COptionUI* peer = AsOption(peers[i]);
            if (peer != nullptr && peer != this) peer->Selected(false, notify);
        }
    }
    if (m_pManager != nullptr) {
        if (notify) m_pManager->SendNotify(this, L"selectchanged", selected ? 1 : 0);
        m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
    }
    Repaint();
}

COptionUI* COptionUI::SelectedPeer() const {
    const CUIPtrArray* members = m_pGroupManager != nullptr ? m_pGroupManager->GetOptionGroup(m_sGroupName) : nullptr;
    for (int i = 0; members != nullptr && i < members->GetSize(); ++i) {
        COptionUI* peer = AsOption((*members)[i]);
        if (peer != nullptr && peer != this && peer->IsSelected() && TakesKeyboard(peer)) return peer;
    }
    return nullptr;
}

bool COptionUI::MoveInGroup(int step) {
    const CUIPtrArray* members = m_pGroupManager != nullptr ? m_pGroupManager->GetOptionGroup(m_sGroupName) : nullptr;
    if (members == nullptr) return false;
    const int count = members->GetSize();
    const int self = members->Find(static_cast<CControlUI*>(this));
    if (self < 0) return false;
    for (int k = 1; k < count; ++k) {
        COptionUI* next = AsOption((*members)[((self + step * k) % count + count) % count]);
        if (next == nullptr || !TakesKeyboard(next)) continue;
        next->SetFocus();
        next->Activate();
        return true;
    }
    return false;
}

void COptionUI::HandleEvent(TUIEvent& event) {
    if (event.Type == UIEVENT_KEYDOWN && IsKeyboardEnabled()) {
        // Space is the key of radio buttons and check boxes; Enter is not a click.
        if (event.chKey == VK_RETURN) {
            CLabelUI::HandleEvent(event);
            return;
        }
        if (!m_bToggles) {
            int step = 0;
            if (event.chKey == VK_LEFT || event.chKey == VK_UP) step = -1;
            if (event.chKey == VK_RIGHT || event.chKey == VK_DOWN) step = 1;
            if (step != 0 && MoveInGroup(step)) return;
        }
    }
    CButtonUI::HandleEvent(event);
}

// ---- markup ----

void COptionUI::SetSelectedImage(const wchar_t* image) {
    m_sSelectedImage = image;
    Repaint();
}
void COptionUI::SetSelectedHotImage(const wchar_t* image) {
    m_sSelectedHotImage = image;
    Repaint();
}
void COptionUI::SetSelectedPushedImage(const wchar_t* image) {
    m_sSelectedPushedImage = image;
    Repaint();
}
void COptionUI::SetSelectedDisabledImage(const wchar_t* image) {
    m_sSelectedDisabledImage = image;
    Repaint();
}
void COptionUI::SetSelectedForeImage(const wchar_t* image) {
    m_sSelectedForeImage = image;
    Repaint();
}
void COptionUI::SetSelectedBkColor(DWORD color) {
    m_dwSelectedBkColor = color;
    Repaint();
}
void COptionUI::SetSelectedTextColor(DWORD color) {
    m_dwSelectedTextColor = color;
    Repaint();
}
void COptionUI::SetSelectedFont(int font) {
    m_iSelectedFont = font;
    Repaint();
}

void COptionUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"group")) SetGroup(value);
    else if (attr::NameIs(name, L"selected")) Selected(attr::IsTrue(value), false);
    else if (attr::NameIs(name, L"selectedimage")) SetSelectedImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"selectedhotimage")) SetSelectedHotImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"selectedpushedimage")) SetSelectedPushedImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"selecteddisabledimage")) SetSelectedDisabledImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"selectedforeimage")) SetSelectedForeImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"selectedbkcolor")) SetSelectedBkColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"selectedtextcolor")) SetSelectedTextColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"selectedfont")) SetSelectedFont(attr::ToFontId(value));
    else CButtonUI::ApplyAttribute(name, value);
}

// ---- painting: the selected looks, else the button's ----

void COptionUI::DrawBackColor(HDC dc) {
    if (m_bSelected && m_dwSelectedBkColor != 0) {
        CUIRender::FillSolid(dc, m_rcPaint, ApplyHsl(m_dwSelectedBkColor));
        return;
    }
    CButtonUI::DrawBackColor(dc);
}

void COptionUI::DrawStateImage(HDC dc) {
    if (m_bSelected) {
        SyncPaintState();
        const CUIString* chosen = nullptr;
        if ((m_uButtonState & UISTATE_DISABLED) != 0)
            chosen = &m_sSelectedDisabledImage;
        else if ((m_uButtonState & UISTATE_PUSHED) != 0)
            chosen = &m_sSelectedPushedImage;
        else if ((m_uButtonState & UISTATE_HOT) != 0)
            chosen = &m_sSelectedHotImage;
        if (chosen != nullptr && !chosen->IsEmpty() && DrawImageSpec(dc, *chosen)) return;
        if (!m_sSelectedImage.IsEmpty() && DrawImageSpec(dc, m_sSelectedImage)) return;
    }
    CButtonUI::DrawStateImage(dc);
}

void COptionUI::DrawForeImage(HDC dc) {
    if (m_bSelected && !m_sSelectedForeImage.IsEmpty() && DrawImageSpec(dc, m_sSelectedForeImage)) return;
    CButtonUI::DrawForeImage(dc);
}

void COptionUI::DrawLabelText(HDC dc) {
    if (!m_bSelected || !IsEnabled() || (m_dwSelectedTextColor == 0 && m_iSelectedFont == -1)) {
        CButtonUI::DrawLabelText(dc);
        return;
    }
    ResolveTextColors();
    DrawTextWith(dc, m_dwSelectedTextColor != 0 ? m_dwSelectedTextColor : m_dwTextColor,
                 m_iSelectedFont != -1 ? m_iSelectedFont : m_iFont);
}

// ---- accessibility ----

LONG COptionUI::AccessibleRole() const {
    if (!m_bToggles && !GetBindTabLayoutName().IsEmpty()) return 0;  // a page tab
    // An option that toggles reads as what it does: a check box.
    return m_bToggles || m_sGroupName.IsEmpty() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON;
}

void COptionUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    // Every option can take the focus, though Tab stops at a group's selected one only.
    if (IsVisible() && IsEnabled() && IsKeyboardEnabled()) info.state |= STATE_SYSTEM_FOCUSABLE;
    if (AccessibleRole() == 0) return;
    if (m_bSelected) info.state |= STATE_SYSTEM_CHECKED;
    info.defaultAction = m_bSelected && (m_bToggles || m_sGroupName.IsEmpty()) ? kUncheckAction : kCheckAction;
}

}  // namespace SkinUI
