// What a screen reader sees of options and check boxes: radio buttons and check
// buttons with their checked state and default action ("check", "uncheck").
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The choices' rules, for Accessible::SetFurtherRules. Whatever they leave open is
// asked of `next` (the rules of other further controls; may be null). Set once, at
// registration.
const TAccessibleRules* ChoiceAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
