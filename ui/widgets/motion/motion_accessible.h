// What a screen reader sees of the moving controls: the ring and the GIF are
// animations (animated while they move). Rolling text is static text and the
// fading button a button, as their bases are.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules; what they leave open is asked of `next`
// (may be null). Set once, at registration.
const TAccessibleRules* MotionAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
