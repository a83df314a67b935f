// What a screen reader sees of the layouts: a button bound to a tab layout
// ("bindtablayoutname") is a page tab, selected while its page shows, a
// container holding such buttons is a page tab list, and a group box is a
// grouping, titled or not. (A tab layout's hidden pages read as invisible, as
// every hidden control does.)
#pragma once

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules.
const TAccessibleRules* LayoutAccessibleRules();

}  // namespace SkinUI
