#include "lint_findings.h"

namespace skinview {

std::wstring FormatFinding(const Finding& finding) {
    std::wstring text = finding.file;
    if (finding.line > 0) text += L":" + std::to_wstring(finding.line);
    switch (finding.severity) {
        case Severity::kNote: text += L": note: "; break;
        case Severity::kWarning: text += L": warning: "; break;
        case Severity::kError: text += L": error: "; break;
    }
    return text + finding.message;
}

int LintExitCode(const std::vector<Finding>& findings) {
    int code = 0;
    for (const Finding& f : findings) {
        if (f.severity == Severity::kError) return 2;
        if (f.severity == Severity::kWarning) code = 1;
    }
    return code;
}

}  // namespace skinview
