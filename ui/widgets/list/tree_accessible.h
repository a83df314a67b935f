// What a screen reader sees of trees and of the rows with check boxes: a tree is an
// outline of outline items, one per node in display order (a node under a collapsed
// one is invisible, as hidden controls are), that carry their expanded or collapsed
// state, their selected and focused states, a checked or mixed state when the tree
// has check boxes, and their level (0 for a top node) as value. Rows and header
// items with a check box (list_ex.h) carry its checked or mixed state.
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules, placed before the lists' rules (trees
// are lists to those). Whatever they leave open is asked of `next`.
const TAccessibleRules* TreeAccessibleRules(const TAccessibleRules* next);

}  // namespace SkinUI
