#pragma once
// Strict readings of attribute values, for the skin checker: the framework's
// readers accept anything (malformed text reads as 0 or false); these say
// whether the text was meant the way it will be read.

#include <string>
#include <vector>

#include "ui/controls/attribute_values.h"

namespace skinview {

// Empty when `value` is a well-formed value of the kind; otherwise what is
// wrong with it ("not a number", "wants 4 numbers", ...). Image descriptions,
// font ids and style names are checked by the caller, beyond their syntax.
std::wstring CheckValue(SkinUI::attr::EValueKind kind, const std::wstring& value);

// The candidate closest to `word` (letter case ignored), or empty when none
// is near enough to be a likely typo.
std::wstring NearestName(const std::wstring& word, const std::vector<std::wstring>& candidates);

}  // namespace skinview
