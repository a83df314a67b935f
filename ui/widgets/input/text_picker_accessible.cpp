#include "ui/widgets/input/text_picker_accessible.h"

#include <oleacc.h>

#include "ui/widgets/input/date_time.h"
#include "ui/widgets/input/hot_key.h"
#include "ui/widgets/input/rich_edit.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

CRichEditUI* AsRichEdit(CControlUI* c) { return static_cast<CRichEditUI*>(c->GetInterface(L"RichEdit")); }
CHotKeyUI* AsHotKey(CControlUI* c) { return static_cast<CHotKeyUI*>(c->GetInterface(L"HotKey")); }
CDateTimeUI* AsDateTime(CControlUI* c) { return static_cast<CDateTimeUI*>(c->GetInterface(L"DateTime")); }

LONG Role(CControlUI* control) {
    if (AsRichEdit(control) != nullptr) return ROLE_SYSTEM_TEXT;
    if (AsHotKey(control) != nullptr) return ROLE_SYSTEM_HOTKEYFIELD;
    if (AsDateTime(control) != nullptr) return ROLE_SYSTEM_DROPLIST;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CRichEditUI* edit = AsRichEdit(control)) edit->DescribeAccessible(info);
    if (CHotKeyUI* field = AsHotKey(control)) field->DescribeAccessible(info);
    if (CDateTimeUI* field = AsDateTime(control)) field->DescribeAccessible(info);
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_TEXT) return L"editable text";
    if (role == ROLE_SYSTEM_HOTKEYFIELD) return L"hot key field";
    if (role == ROLE_SYSTEM_DROPLIST) return L"drop down";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* TextPickerAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
