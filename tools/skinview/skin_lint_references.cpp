// The skin checker: what can only be judged once the whole skin is read (style
// names and cycles, font ids), and the order of the findings.
#include "skin_linter.h"

#include <algorithm>

#include "value_check.h"

namespace skinview {
namespace lint {

std::vector<std::wstring> Linter::StyleNames() const {
    std::vector<std::wstring> names;
    for (const auto& s : m_styles) names.push_back(s.first);
    return names;
}

// The styles a style's list names: the whole list as a style name, or style="..." inside.
std::vector<std::wstring> Linter::StyleEdges(const ListDef& def) {
    std::vector<std::wstring> edges;
    if (m_styles.count(def.value) != 0) {
        edges.push_back(def.value);
        return edges;
    }
    std::vector<std::wstring> unknown;
    for (const ValueRead& read : ApplyListToControl(L"CControlUI", def.value.c_str(), unknown).reads) {
        if (read.kind == SkinUI::attr::kValueStyle) edges.push_back(read.value);
    }
    return edges;
}

void Linter::CheckStyleCycles() {
    for (const auto& entry : m_styles) {
        // Depth-first from this style, looking for a way back to it.
        std::vector<std::vector<std::wstring>> stack{{entry.first}};
        std::set<std::wstring> visited;
        while (!stack.empty()) {
            std::vector<std::wstring> path = stack.back();
            stack.pop_back();
            auto it = m_styles.find(path.back());
            if (it == m_styles.end() || !visited.insert(path.back()).second) continue;
            for (const std::wstring& next : StyleEdges(it->second)) {
                std::vector<std::wstring> longer = path;
                longer.push_back(next);
                if (next == entry.first) {
                    std::wstring chain;
                    for (const std::wstring& s : longer) chain += (chain.empty() ? L"" : L" -> ") + s;
                    Add(entry.second.at, Severity::kError, L"style cycle: " + chain);
                    stack.clear();
                    break;
                }
                stack.push_back(longer);
            }
        }
    }
}

void Linter::Finish() {
    CheckStyleCycles();
    std::set<std::wstring> linted;  // style + class pairs already checked
    for (size_t i = 0; i < m_styleRefs.size(); ++i) {
        const Reference ref = m_styleRefs[i];
        auto it = m_styles.find(ref.target);
        if (it == m_styles.end()) {
            Add(ref.at, Severity::kError, ValueText(ref.attribute, ref.target) + L": no such style" +
                                              DidYouMean(ref.target, StyleNames()));
            continue;
        }
        if (!linted.insert(ref.target + L"\n" + ref.className).second) continue;
        const wchar_t* element = ref.className.c_str() + 1;
        const ClassInfo* info = ClassFor(std::wstring(element, ref.className.size() - 3).c_str());
        if (info != nullptr && m_styles.count(it->second.value) == 0) {
            LintList(it->second.at, L"style \"" + ref.target + L"\"", *info, it->second.value);
        }
    }
    for (const Reference& ref : m_fontRefs) {
        const long id = std::wcstol(ref.target.c_str(), nullptr, 10);
        if (id >= 0 && m_fontIds.count(id) == 0) {
            Add(ref.at, Severity::kWarning,
                ValueText(ref.attribute, ref.target) + L": no Font with this id; the default font is used");
        }
    }
    // Files in the order they were first mentioned, lines in order within each.
    std::map<std::wstring, size_t> fileOrder;
    for (const Finding& f : m_findings) fileOrder.emplace(f.file, fileOrder.size());
    std::stable_sort(m_findings.begin(), m_findings.end(), [&](const Finding& a, const Finding& b) {
        if (a.file != b.file) return fileOrder[a.file] < fileOrder[b.file];
        return a.line < b.line;
    });
}

}  // namespace lint
}  // namespace skinview
