#include "ui/widgets/layout/layout_accessible.h"

#include <oleacc.h>

#include "ui/controls/button.h"
#include "ui/controls/container.h"
#include "ui/controls/tab_select.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// "Switch": the verb a screen reader reads for a page tab's default action.
const wchar_t kSwitchAction[] = L"\u5207\u6362";

CButtonUI* AsPageTab(CControlUI* control) {
    auto* button = static_cast<CButtonUI*>(control->GetInterface(L"Button"));
    return button != nullptr && !button->GetBindTabLayoutName().IsEmpty() ? button : nullptr;
}

bool HoldsPageTabs(CControlUI* control) {
    auto* container = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"));
    for (int i = 0; container != nullptr && i < container->GetCount(); ++i) {
        CControlUI* child = container->GetItemAt(i);
        if (child != nullptr && AsPageTab(child) != nullptr) return true;
    }
    return false;
}

bool ShowsItsPage(CButtonUI* tab) {
    CPaintManagerUI* manager = tab->GetManager();
    CControlUI* layout = manager != nullptr ? manager->FindControlByName(tab->GetBindTabLayoutName()) : nullptr;
    auto* tabs = layout != nullptr ? static_cast<ITabSelectUI*>(layout->GetInterface(kTabSelectInterface)) : nullptr;
    return tabs != nullptr && tabs->GetCurSel() == tab->GetBindTabLayoutIndex();
}

LONG Role(CControlUI* control) {
    if (AsPageTab(control) != nullptr) return ROLE_SYSTEM_PAGETAB;
    if (HoldsPageTabs(control)) return ROLE_SYSTEM_PAGETABLIST;
    if (control->GetInterface(L"GroupBox") != nullptr) return ROLE_SYSTEM_GROUPING;
    return 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    CButtonUI* tab = AsPageTab(control);
    if (tab == nullptr) return;
    info.defaultAction = kSwitchAction;
    info.state |= STATE_SYSTEM_SELECTABLE;
    if (ShowsItsPage(tab)) info.state |= STATE_SYSTEM_SELECTED;
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_PAGETAB) return L"page tab";
    if (role == ROLE_SYSTEM_PAGETABLIST) return L"page tab list";
    return nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* LayoutAccessibleRules() { return &kRules; }

}  // namespace SkinUI
