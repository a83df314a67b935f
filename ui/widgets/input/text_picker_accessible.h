// What a screen reader sees of rich edits, hot-key fields and date fields: an
// editable text whose value is its plain text (read-only when so), a hot-key field
// whose value is the combination as shown, and a drop-down whose value is the date
// as shown, collapsed or expanded.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules for Accessible::SetFurtherRules; what they leave open is asked of `next`
// (may be null). Set once, at registration.
const TAccessibleRules* TextPickerAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
