// What a screen reader sees of the colour palette (a client element whose value is
// the colour, "#RRGGBB") and of the file icon (a graphic named by its file).
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules; what they leave open is asked of `next`
// (may be null). Set once, at registration.
const TAccessibleRules* GraphicAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
