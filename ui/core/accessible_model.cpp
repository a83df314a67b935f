#include "ui/core/accessible_model.h"

#include <oleacc.h>

#include "ui/controls/button.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/progress.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {
namespace Accessible {

namespace {

// "Press": the verb a screen reader reads for a button's default action.
const wchar_t kPressAction[] = L"\u6309\u4E0B";

bool IsButton(CControlUI* c) { return c->GetInterface(L"Button") != nullptr; }
bool IsProgress(CControlUI* c) { return c->GetInterface(L"Progress") != nullptr; }
bool IsLabel(CControlUI* c) { return c->GetInterface(L"Label") != nullptr; }
IContainerUI* AsContainer(CControlUI* c) { return static_cast<IContainerUI*>(c->GetInterface(L"IContainer")); }

const TAccessibleRules* g_furtherRules = nullptr;
AccessibleChildrenProc g_furtherChildren = nullptr;

CUIString PercentText(CProgressUI* progress) {
    const int lo = progress->GetMinValue();
    const int hi = progress->GetMaxValue();
    int percent = 0;
    if (hi > lo) {
        const int value = progress->GetValue() < lo ? lo : (progress->GetValue() > hi ? hi : progress->GetValue());
        percent = ::MulDiv(value - lo, 100, hi - lo);
    }
    wchar_t text[16] = {};
    wsprintfW(text, L"%d%%", percent);
    return CUIString(text);
}

void CollectChildren(CControlUI* parent, std::vector<CControlUI*>& out) {
    if (g_furtherChildren != nullptr) g_furtherChildren(parent, out);
    IContainerUI* container = AsContainer(parent);
    if (container == nullptr) return;
    for (int i = 0; i < container->GetCount(); ++i) {
        CControlUI* child = container->GetItemAt(i);
        if (child == nullptr) continue;
        if (IsElement(child)) {
            out.push_back(child);
        } else {
            CollectChildren(child, out);  // an unnamed container lifts its children up
        }
    }
    // A container's scroll bars come after its children.
    auto* box = static_cast<CContainerUI*>(parent->GetInterface(L"Container"));
    if (box == nullptr) return;
    for (CControlUI* bar : {static_cast<CControlUI*>(box->GetVerticalScrollBar()),
                            static_cast<CControlUI*>(box->GetHorizontalScrollBar())}) {
        if (bar != nullptr && IsElement(bar)) out.push_back(bar);
    }
}

}  // namespace

void SetFurtherRules(const TAccessibleRules* rules) { g_furtherRules = rules; }
const TAccessibleRules* FurtherRules() { return g_furtherRules; }
void SetFurtherChildren(AccessibleChildrenProc children) { g_furtherChildren = children; }

CUIString NameOf(CControlUI* control) {
    if (control == nullptr) return CUIString();
    const wchar_t* given = control->GetExtraAttribute(kAccessibleNameAttribute);
    if (given != nullptr && *given != 0) return CUIString(given);
    CUIString text = control->GetText();
    if (!text.IsEmpty()) return text;
    return control->GetToolTip();
}

LONG RoleOf(CControlUI* control) {
    if (control == nullptr) return 0;
    if (g_furtherRules != nullptr) {
        if (const LONG role = g_furtherRules->role(control)) return role;
    }
    if (IsButton(control)) return ROLE_SYSTEM_PUSHBUTTON;
    if (IsProgress(control)) return ROLE_SYSTEM_PROGRESSBAR;
    if (control->GetInterface(L"ScrollBar") != nullptr) return ROLE_SYSTEM_SCROLLBAR;
    const bool named = !NameOf(control).IsEmpty();
    if (AsContainer(control) != nullptr) return named ? ROLE_SYSTEM_GROUPING : 0;
    if (!named) return 0;
    return IsLabel(control) ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_GRAPHIC;
}

bool IsElement(CControlUI* control) { return RoleOf(control) != 0; }

void ChildrenOf(CPaintManagerUI* manager, CControlUI* parent, std::vector<CControlUI*>& out) {
    out.clear();
    if (parent == nullptr) {
        CControlUI* root = manager != nullptr ? manager->GetRoot() : nullptr;
        if (root == nullptr) return;
        if (IsElement(root)) {
            out.push_back(root);
        } else {
            CollectChildren(root, out);
        }
        return;
    }
    CollectChildren(parent, out);
}

CControlUI* ParentOf(CControlUI* control) {
    for (CControlUI* p = control != nullptr ? control->GetParent() : nullptr; p != nullptr; p = p->GetParent()) {
        if (IsElement(p)) return p;
    }
    return nullptr;
}

bool IsDescendant(CControlUI* ancestor, CControlUI* control) {
    for (CControlUI* p = control != nullptr ? control->GetParent() : nullptr; p != nullptr; p = p->GetParent()) {
        if (p == ancestor) return true;
    }
    return false;
}

bool IsInTree(CPaintManagerUI* manager, CControlUI* control) {
    if (manager == nullptr || control == nullptr || control->GetManager() != manager) return false;
    CControlUI* root = manager->GetRoot();
    if (root == nullptr) return false;
    return (control == root || IsDescendant(root, control)) && IsElement(control);
}

// Buttons, and any control whose rules name an action (a combo box opens, a tree node
// expands): the action is the control's Activate, as for a button.
bool HasDefaultAction(CControlUI* control) {
    return control != nullptr && (IsButton(control) || !Describe(control).defaultAction.IsEmpty());
}

CUIString RoleText(LONG role) {
    switch (role) {
    case ROLE_SYSTEM_CLIENT: return CUIString(L"client");
    case ROLE_SYSTEM_GROUPING: return CUIString(L"grouping");
    case ROLE_SYSTEM_STATICTEXT: return CUIString(L"static text");
    case ROLE_SYSTEM_PUSHBUTTON: return CUIString(L"push button");
    case ROLE_SYSTEM_PROGRESSBAR: return CUIString(L"progress bar");
    case ROLE_SYSTEM_GRAPHIC: return CUIString(L"graphic");
    case ROLE_SYSTEM_SCROLLBAR: return CUIString(L"scroll bar");
    default: break;
    }
    if (g_furtherRules != nullptr) {
        if (const wchar_t* words = g_furtherRules->roleText(role)) return CUIString(words);
    }
    CUIString text;
    text.Format(L"role %ld", role);
    return text;
}

CUIString StateText(DWORD state) {
    static const struct {
        DWORD bit;
        const wchar_t* word;
    } kWords[] = {
        {STATE_SYSTEM_INVISIBLE, L"invisible"}, {STATE_SYSTEM_UNAVAILABLE, L"unavailable"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"}, {STATE_SYSTEM_FOCUSED, L"focused"},
        {STATE_SYSTEM_PRESSED, L"pressed"},     {STATE_SYSTEM_HOTTRACKED, L"hot"},
        {STATE_SYSTEM_READONLY, L"readonly"},   {STATE_SYSTEM_CHECKED, L"checked"},
        {STATE_SYSTEM_SELECTED, L"selected"},
    };
    CUIString text;
    for (const auto& w : kWords) {
        if ((state & w.bit) == 0) continue;
        if (!text.IsEmpty()) text += L",";
        text += w.word;
    }
    return text.IsEmpty() ? CUIString(L"normal") : text;
}

TUIAccessibleInfo Describe(CControlUI* control) {
    TUIAccessibleInfo info;
    if (control == nullptr) return info;
    info.role = RoleOf(control);
    info.name = NameOf(control);
    info.location = control->GetPos();
    const CUIString tip = control->GetToolTip();
    if (!tip.IsEmpty() && tip != info.name) info.description = tip;
    if (!control->IsVisible()) info.state |= STATE_SYSTEM_INVISIBLE;
    if (!control->IsEnabled()) info.state |= STATE_SYSTEM_UNAVAILABLE;
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) != 0 && control->IsKeyboardEnabled() && control->IsEnabled() &&
        control->IsVisible()) {
        info.state |= STATE_SYSTEM_FOCUSABLE;
    }
    CPaintManagerUI* manager = control->GetManager();
    if (manager != nullptr && manager->GetFocus() == control) info.state |= STATE_SYSTEM_FOCUSED;
    if (auto* button = static_cast<CButtonUI*>(control->GetInterface(L"Button"))) {
        const UINT state = button->GetButtonState();
        if ((state & UISTATE_PUSHED) != 0) info.state |= STATE_SYSTEM_PRESSED;
        if ((state & UISTATE_HOT) != 0) info.state |= STATE_SYSTEM_HOTTRACKED;
        info.defaultAction = kPressAction;
    } else if (auto* progress = static_cast<CProgressUI*>(control->GetInterface(L"Progress"))) {
        info.value = PercentText(progress);
        info.state |= STATE_SYSTEM_READONLY;
    } else if (auto* bar = static_cast<CScrollBarUI*>(control->GetInterface(L"ScrollBar"))) {
        info.value.Format(L"%d", bar->GetScrollPos());
    } else if (info.role == ROLE_SYSTEM_STATICTEXT) {
        info.state |= STATE_SYSTEM_READONLY;
    }
    if (g_furtherRules != nullptr) g_furtherRules->describe(control, info);
    return info;
}

}  // namespace Accessible
}  // namespace SkinUI
