#include "ui/widgets/text/text_accessible.h"

#include <oleacc.h>

#include "ui/core/paint_manager.h"
#include "ui/widgets/text/text.h"
#include "ui/widgets/text/text_link.h"

namespace SkinUI {

namespace {

// "Jump": the verb a screen reader reads for a link's default action.
const wchar_t kJumpAction[] = L"\u8DF3\u8F6C";

const TAccessibleRules* g_next = nullptr;

CTextUI* AsText(CControlUI* c) { return static_cast<CTextUI*>(c->GetInterface(L"Text")); }
CTextLinkUI* AsLink(CControlUI* c) { return static_cast<CTextLinkUI*>(c->GetInterface(L"TextLink")); }

LONG Role(CControlUI* control) {
    if (AsLink(control) != nullptr) return ROLE_SYSTEM_LINK;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CTextLinkUI* link = AsLink(control)) {
        CTextUI* text = link->GetOwner();
        info.value = link->GetTarget();
        info.defaultAction = kJumpAction;
        info.state |= STATE_SYSTEM_LINKED;
        if (text->GetControlFlags() & UIFLAG_TABSTOP) info.state |= STATE_SYSTEM_FOCUSABLE;
        CPaintManagerUI* manager = text->GetManager();
        if (manager != nullptr && manager->GetFocus() == text && text->GetFocusedLink() == link->GetLink()) {
            info.state |= STATE_SYSTEM_FOCUSED;
        }
        if (text->GetHotLink() == link->GetLink()) info.state |= STATE_SYSTEM_HOTTRACKED;
    } else if (CTextUI* text = AsText(control)) {
        const wchar_t* given = control->GetExtraAttribute(kAccessibleNameAttribute);
        if (given == nullptr || *given == 0) info.name = text->GetPlainText();
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_LINK) return L"link";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* TextAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

void TextAccessibleChildren(CControlUI* control, std::vector<CControlUI*>& out) {
    if (CTextUI* text = AsText(control)) text->GetLinkElements(out);
}

}  // namespace SkinUI
