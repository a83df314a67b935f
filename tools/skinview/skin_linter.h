#pragma once
// The skin checker's working parts (see skin_lint.h for what it checks). One
// Linter walks one skin and what it includes; its checks are spread over
// skin_lint*.cpp by subject: structure, resource elements, values and images,
// and the references resolved at the end (styles, fonts).

#include <cwctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "attribute_probe.h"
#include "lint_findings.h"
#include "skin_lint.h"
#include "ui/core/xml_document.h"

namespace skinview {
namespace lint {

using SkinUI::CXmlElement;
using SkinUI::attr::EValueKind;

inline std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

inline bool Is(const wchar_t* name, const wchar_t* expected) {
    return name != nullptr && ::_wcsicmp(name, expected) == 0;
}

// One skin file, kept as the text the parser saw so that lines can be told.
struct Source {
    std::wstring name;
    std::wstring text;
    SkinUI::CXmlDocument doc;
    std::vector<size_t> lineStarts;
    bool readable = false;
    bool parsed = false;
    std::wstring error;
};

// Reads and parses the file through the framework's resource settings.
void Read(Source& src);

struct ClassInfo {
    std::wstring className;  // "CButtonUI"
    std::wstring element;    // "Button"
    bool container = false;
    std::vector<std::wstring> names;
};

// A place in a skin: file and line.
struct Place {
    const Source* src = nullptr;
    int line = 0;
};

struct ListDef {
    Place at;
    std::wstring name;
    std::wstring value;
};

struct Reference {
    Place at;
    std::wstring attribute;
    std::wstring target;     // style name or font id
    std::wstring className;  // the class the reference was applied to
};

// An attribute of a resource element or Include, as the builder reads it.
struct ResourceAttr {
    const wchar_t* name;
    bool checked;  // its value has a kind below
    EValueKind kind;
};

// The elements the builder registers as resources (Image, Font, Default, Style, Import).
extern const wchar_t* const kResourceElements[5];
bool IsResourceElement(const wchar_t* name);
// The attributes the builder reads from a resource element or an Include (0 for another element).
size_t AttributesOf(const wchar_t* element, const ResourceAttr*& table);
// " (did you mean \"x\"?)" for the nearest candidate, or empty.
std::wstring DidYouMean(const std::wstring& word, const std::vector<std::wstring>& candidates);
std::vector<std::wstring> NamesOf(const std::vector<KnownName>& known);

class Linter {
public:
    explicit Linter(const LintSettings& settings);
    std::vector<Finding> Run(const std::wstring& skin);

private:
    Source* Load(const std::wstring& name);
    int ParseErrorLine(const Source& src) const;
    static int LineAt(const Source& src, size_t offset);
    Place At(const Source& src, const wchar_t* p) const;
    void Add(const Place& at, Severity severity, const std::wstring& message);
    const ClassInfo* ClassFor(const wchar_t* element);
    void LintFile(const Source& src, const ClassInfo* parent, int depth);
    // Unknown attributes and malformed values of a resource element or an Include.
    void CheckResourceAttrs(const Source& src, const CXmlElement& node);
    static std::wstring ValueText(const std::wstring& name, const std::wstring& value);
    void LintResources(const Source& src, const CXmlElement& root);
    void LintDefault(const ListDef& def);
    void LintList(const Place& at, const std::wstring& what, const ClassInfo& info, const std::wstring& list);
    void LintChildren(const Source& src, const CXmlElement& element, const ClassInfo* parent, int depth);
    void LintControl(const Source& src, const CXmlElement& node, const ClassInfo& info);
    void LintInclude(const Source& src, const CXmlElement& node, const ClassInfo* parent, int depth);
    void CheckReads(const Place& at, const std::vector<ValueRead>& reads, const std::wstring& className);
    void CheckImage(const Place& at, const std::wstring& attribute, const std::wstring& description);
    static bool ImageExists(const std::wstring& name);
    // The file drawn at `percent`: the name with "@<percent>" before each '.'.
    static std::wstring ScaledName(const std::wstring& name, int percent);
    void CheckImageFile(const Place& at, const std::wstring& attribute, const std::wstring& file);
    bool FontInstalled(const std::wstring& face);
    std::vector<std::wstring> StyleNames() const;
    // The styles a style's list names: the whole list as a style name, or style="..." inside.
    std::vector<std::wstring> StyleEdges(const ListDef& def);
    void CheckStyleCycles();
    void Finish();

    const LintSettings& m_settings;
    std::map<std::wstring, std::unique_ptr<Source>> m_sources;
    std::map<std::wstring, std::unique_ptr<ClassInfo>> m_classes;
    std::vector<std::wstring> m_elementNames;
    std::vector<std::wstring> m_windowNames;
    std::vector<std::wstring> m_imageKeys;
    std::map<std::wstring, ListDef> m_styles;
    std::vector<Reference> m_styleRefs;
    std::vector<Reference> m_fontRefs;
    std::set<long> m_fontIds;
    std::map<std::wstring, Place> m_controlNames;
    std::set<std::wstring> m_scaleChecked;
    // The work the builder would do, measured against its bounds.
    long long m_units = 0;  // controls and include repetitions
    long long m_attributes = 0;
    long long m_parsedChars = 0;
    std::set<std::wstring> m_parsedSources;
    bool m_boundReported = false;
    std::vector<Finding> m_findings;
};

}  // namespace lint
}  // namespace skinview
