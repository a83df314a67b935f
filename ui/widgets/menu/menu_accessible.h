// What a screen reader sees of an open menu, as of the system's: each level a menu
// popup whose rows are menu items (separators: separators), with their checked,
// unavailable, has-popup and highlighted states; the default action chooses a row
// ("Execute") or opens its submenu ("Open").
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The menus' rules, for Accessible::SetFurtherRules; what they leave open is asked
// of `next` (may be null). Set once, at registration.
const TAccessibleRules* MenuAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
