// What a screen reader sees of lists: a list (multiple-selectable when it is) of
// list items that carry their selected and focused states, under a header of
// column headers.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The lists' rules, for Accessible::SetFurtherRules. Whatever they leave open is
// asked of `next` (may be null). Set once, at registration.
const TAccessibleRules* ListAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
