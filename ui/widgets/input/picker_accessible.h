// What a screen reader sees of combos and sliders: a combo box with the selected
// text as its value, expanded or collapsed, whose items are list items (placed
// where the drop-down shows them while it is open); a slider with its value.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The pickers' rules, for Accessible::SetFurtherRules. Whatever they leave open is
// asked of `next` (the rules of other further controls; may be null). Set once, at
// registration.
const TAccessibleRules* PickerAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
