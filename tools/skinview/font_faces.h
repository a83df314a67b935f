#pragma once
// Whether a font face is installed on this machine (Wine's font replacements
// count as installed: text in that face is drawn with the replacement).

#include <string>

namespace skinview {

bool IsFontFaceInstalled(const std::wstring& face);

}  // namespace skinview
