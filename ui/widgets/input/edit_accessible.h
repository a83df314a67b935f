// What a screen reader sees of the input fields: edits as editable text with their
// text as value (a password's withheld, the element protected), IP-address fields with
// their address as value.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The fields' rules, for Accessible::SetFurtherRules. Whatever they leave open is asked
// of `next` (the rules of other further controls; may be null). Set once, at registration.
const TAccessibleRules* EditAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
