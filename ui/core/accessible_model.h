// What a screen reader sees of a control tree: which controls are elements of the
// accessibility tree, and the role, name, value, state and place of each.
//
// The tree mirrors the visible controls. Buttons and progress bars are always
// elements; labels and other controls are elements when they have a name;
// containers are groupings when they have a name and are otherwise left out,
// their children lifted up to the nearest element above them.
//
// A control's name is its "accname" attribute, else its text, else its tooltip.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/core/ui_string.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

// The skin attribute that gives a control its accessible name.
inline constexpr wchar_t kAccessibleNameAttribute[] = L"accname";

struct TUIAccessibleInfo {
    LONG role = 0;        // ROLE_SYSTEM_*
    CUIString name;
    CUIString value;      // empty when the element has none
    CUIString description;
    CUIString defaultAction;
    DWORD state = 0;      // STATE_SYSTEM_*
    RECT location = {};   // client pixels
};

// Rules that come with the further controls for controls of the framework's own
// classes (a button bound to a tab layout is a page tab, and what holds such
// buttons their list). Their registration sets them; the launcher, which never
// registers them, carries none of their code.
struct TAccessibleRules {
    // ROLE_SYSTEM_* of the control, or 0 to leave it to the rules here.
    LONG (*role)(CControlUI* control);
    // Completes a description, after the control's own source.
    void (*describe)(CControlUI* control, TUIAccessibleInfo& info);
    // Diagnostic words for a role the rules here do not name; null when unknown.
    const wchar_t* (*roleText)(LONG role);
};

// Elements below a control that are not its container children (a text's links):
// appended to `out` before them. Set by the further controls' registration.
typedef void (*AccessibleChildrenProc)(CControlUI* control, std::vector<CControlUI*>& out);

namespace Accessible {

// Installs the further rules (null removes them).
void SetFurtherRules(const TAccessibleRules* rules);
// The further rules installed (null: none).
const TAccessibleRules* FurtherRules();
// Installs the source of further children (null removes it).
void SetFurtherChildren(AccessibleChildrenProc children);
CUIString NameOf(CControlUI* control);
// ROLE_SYSTEM_* of an element; 0 for a control that is left out of the tree.
LONG RoleOf(CControlUI* control);
bool IsElement(CControlUI* control);
// The elements directly below `parent` (the tree's root when null), in tree order.
void ChildrenOf(CPaintManagerUI* manager, CControlUI* parent, std::vector<CControlUI*>& out);
// The nearest element above `control`; null for the window itself.
CControlUI* ParentOf(CControlUI* control);
// True when `control` is an element of the tree `manager` holds now.
bool IsInTree(CPaintManagerUI* manager, CControlUI* control);
bool IsDescendant(CControlUI* ancestor, CControlUI* control);
TUIAccessibleInfo Describe(CControlUI* control);
// Buttons, and controls whose rules name an action: visible, enabled and activated like
// a mouse click would.
bool HasDefaultAction(CControlUI* control);
// Short English words for diagnostics: "push button"; "focusable,focused" ("normal" for none).
CUIString RoleText(LONG role);
CUIString StateText(DWORD state);

}  // namespace Accessible
}  // namespace SkinUI
