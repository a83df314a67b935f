#pragma once
// skinview --reference: the skin reference in Markdown, made from what the
// framework applies (the names and value readers the attribute code uses, every
// class the control factory knows) and the descriptions of reference_descriptions.cpp.

#include <string>
#include <vector>

namespace skinview {

// The reference text; `undescribed` gets "Element.attribute" (or "Element") for
// every applied name and registered element the table does not describe.
std::wstring MakeSkinReference(std::vector<std::wstring>& undescribed);

}  // namespace skinview
