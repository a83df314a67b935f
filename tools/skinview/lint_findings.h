#pragma once
// What the skin checker found, one finding per line:
//   msg_fix_tips.xml:12: warning: Label takes no attribute "bkimgae" (did you mean "bkimage"?)

#include <string>
#include <vector>

namespace skinview {

enum class Severity { kNote, kWarning, kError };

struct Finding {
    std::wstring file;
    int line = 0;  // 0: not known
    Severity severity = Severity::kError;
    std::wstring message;
};

// "file:line: severity: message" (without ":line" when the line is unknown).
std::wstring FormatFinding(const Finding& finding);

// 0 clean (notes do not count), 1 warnings only, 2 errors.
int LintExitCode(const std::vector<Finding>& findings);

}  // namespace skinview
