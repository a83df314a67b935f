#pragma once
// The skin checker: reads a skin (and what it includes) through the
// framework's resource settings, as the window would, and reports what the
// builder would silently ignore or get wrong. Control and Window attribute
// names, their value readers and the image description keys come from the
// framework's own attribute code (attribute_probe.h).

#include <string>
#include <vector>

#include "lint_findings.h"

namespace skinview {

struct LintSettings {
    // Display scales besides 100 % the skin is drawn at; an image without its
    // own picture at one of them falls back to the nearest larger scale, else
    // to the 100 % picture.
    std::vector<int> scales = {125, 150, 175, 200};
    bool (*isFontInstalled)(const std::wstring& face) = nullptr;  // null: ask the system
};

// Findings in the order of the files and lines they point at.
std::vector<Finding> LintSkin(const std::wstring& skinName, const LintSettings& settings = LintSettings());

}  // namespace skinview
