#include "ui/widgets/list/list_accessible.h"

#include <oleacc.h>

#include "ui/controls/button.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list.h"
#include "ui/widgets/list/list_body.h"
#include "ui/widgets/list/list_header.h"

namespace SkinUI {

namespace {

// What a screen reader reads for a row's default action ("double click") and a column's ("click").
const wchar_t kRowAction[] = L"\u53CC\u51FB";
const wchar_t kColumnAction[] = L"\u5355\u51FB";
// A list fed by data shows only the rows in view: it tells its row count ("N items in
// all"), and each row its place ("n / N").
const wchar_t kRowCount[] = L"\u5171 %d \u9879";
const wchar_t kRowPlace[] = L"%d / %d";

const TAccessibleRules* g_next = nullptr;

CListUI* AsList(CControlUI* control) { return static_cast<CListUI*>(control->GetInterface(L"List")); }
CListHeaderUI* AsHeader(CControlUI* control) {
    return static_cast<CListHeaderUI*>(control->GetInterface(L"ListHeader"));
}
IListRowUI* AsRow(CControlUI* control) {
    auto* row = static_cast<IListRowUI*>(control->GetInterface(kListRowInterface));
    return row != nullptr && row->GetOwner() != nullptr ? row : nullptr;
}

LONG Role(CControlUI* control) {
    if (AsList(control) != nullptr) return ROLE_SYSTEM_LIST;
    if (AsRow(control) != nullptr) return ROLE_SYSTEM_LISTITEM;
    if (control->GetInterface(L"ListHeaderItem") != nullptr) return ROLE_SYSTEM_COLUMNHEADER;
    // A header without columns is left out.
    if (CListHeaderUI* header = AsHeader(control)) return header->GetCount() > 0 ? ROLE_SYSTEM_GROUPING : 0;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void DescribeRow(CControlUI* control, IListRowUI* row, TUIAccessibleInfo& info) {
    CListUI* list = row->GetOwner();
    const int index = row->GetRowIndex();
    if (info.name.IsEmpty()) info.name = row->GetRowText();
    info.state &= ~DWORD(STATE_SYSTEM_FOCUSED);
    if (control->IsEnabled()) info.state |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (list->IsMultiSelect() && control->IsEnabled()) info.state |= STATE_SYSTEM_MULTISELECTABLE;
    if (list->IsItemSelected(index)) info.state |= STATE_SYSTEM_SELECTED;
    CPaintManagerUI* manager = list->GetManager();
    if (list->GetCaretRow() == index && manager != nullptr && manager->GetFocus() == list)
        info.state |= STATE_SYSTEM_FOCUSED;
    if (list->GetHotRow() == index) info.state |= STATE_SYSTEM_HOTTRACKED;
    RECT shown;
    const RECT view = list->GetBody()->GetClientPos();
    if (!::IntersectRect(&shown, &control->GetPos(), &view)) info.state |= STATE_SYSTEM_OFFSCREEN;
    info.defaultAction = kRowAction;
    if (list->GetDataSource() != nullptr && info.description.IsEmpty()) {
        wchar_t place[40];
        ::wsprintfW(place, kRowPlace, index + 1, list->GetRowCount());
        info.description = place;
    }
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CListUI* list = AsList(control)) {
        if (list->IsMultiSelect()) info.state |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
        if (list->GetDataSource() != nullptr && info.description.IsEmpty()) {
            wchar_t count[40];
            ::wsprintfW(count, kRowCount, list->GetRowCount());
            info.description = count;
        }
    } else if (IListRowUI* row = AsRow(control)) {
        DescribeRow(control, row, info);
    } else if (auto* column = static_cast<CListHeaderItemUI*>(control->GetInterface(L"ListHeaderItem"))) {
        info.state &= ~DWORD(STATE_SYSTEM_READONLY);
        if ((column->GetButtonState() & UISTATE_PUSHED) != 0) info.state |= STATE_SYSTEM_PRESSED;
        info.defaultAction = kColumnAction;
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_LIST) return L"list";
    if (role == ROLE_SYSTEM_LISTITEM) return L"list item";
    if (role == ROLE_SYSTEM_COLUMNHEADER) return L"column header";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* ListAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
