// What a screen reader sees of a text control: its words without the markup, and
// each link drawn as an element below it (role link, the target as value, the
// default action "jump", which follows the link).
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules; what they leave open is asked of `next`
// (may be null). Set once, at registration.
const TAccessibleRules* TextAccessibleRules(const TAccessibleRules* next);
// The links below a text, for Accessible::SetFurtherChildren.
void TextAccessibleChildren(CControlUI* control, std::vector<CControlUI*>& out);

}  // namespace SkinUI
