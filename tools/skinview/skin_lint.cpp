#include "skin_lint.h"

#include <windows.h>

#include <algorithm>

#include "skin_linter.h"
#include "skinview_io.h"
#include "ui/controls/control.h"
#include "ui/core/control_factory.h"
#include "ui/core/resource_settings.h"
#include "ui/core/skin_builder.h"
#include "value_check.h"

namespace skinview {
namespace lint {

void Read(Source& src) {
    SkinUI::CUIBuffer bytes;
    const SkinUI::ESkinFileRead result = SkinUI::CUIResourceSettings::ReadSkinFile(src.name.c_str(), bytes);
    if (result != SkinUI::kSkinReadOk) {
        src.error = SkinUI::CUIResourceSettings::SkinReadMessage(result);
        return;
    }
    src.readable = true;
    // The same conversion as the parser's UTF-8 reading.
    const char* data = reinterpret_cast<const char*>(bytes.Data());
    size_t size = bytes.Size();
    if (size > 2 && static_cast<unsigned char>(data[0]) == 0xEF && static_cast<unsigned char>(data[1]) == 0xBB &&
        static_cast<unsigned char>(data[2]) == 0xBF) {
        data += 3;
        size -= 3;
    }
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, data, static_cast<int>(size), nullptr, 0);
    src.text.assign(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, data, static_cast<int>(size), &src.text[0], n);
    src.lineStarts.push_back(0);
    for (size_t i = 0; i < src.text.size(); ++i) {
        if (src.text[i] == L'\n') src.lineStarts.push_back(i + 1);
    }
    src.parsed = src.doc.ParseText(src.text.c_str());
    if (!src.parsed) {
        src.error = src.doc.LastErrorMessage();
        if (src.doc.LastErrorPlace()[0] != 0) src.error += std::wstring(L" near \"") + src.doc.LastErrorPlace() + L"\"";
        src.error = OneLine(src.error);
    }
}


const wchar_t* const kResourceElements[5] = {L"Image", L"Font", L"Default", L"Style", L"Import"};

bool IsResourceElement(const wchar_t* name) {
    for (const wchar_t* r : kResourceElements) {
        if (Is(name, r)) return true;
    }
    return false;
}

std::wstring DidYouMean(const std::wstring& word, const std::vector<std::wstring>& candidates) {
    const std::wstring nearest = NearestName(word, candidates);
    return nearest.empty() ? L"" : L" (did you mean \"" + nearest + L"\"?)";
}

std::vector<std::wstring> NamesOf(const std::vector<KnownName>& known) {
    std::vector<std::wstring> names;
    for (const KnownName& k : known) names.push_back(k.name);
    return names;
}


Linter::Linter(const LintSettings& settings) : m_settings(settings) {
    for (const std::wstring& cls : SkinUI::CControlFactory::Instance().ClassNames()) {
        if (cls.size() > 3 && cls[0] == L'C' && cls.compare(cls.size() - 2, 2, L"UI") == 0)
            m_elementNames.push_back(cls.substr(1, cls.size() - 3));
    }
    for (const wchar_t* r : kResourceElements) m_elementNames.push_back(r);
    m_elementNames.push_back(L"Include");
    m_windowNames = NamesOf(WindowAttributeNames());
    m_imageKeys = NamesOf(ImageKeyNames());
}

std::vector<Finding> Linter::Run(const std::wstring& skin) {
    Source* top = Load(skin);
    if (!top->readable) {
        Add(Place{top, 0}, Severity::kError, L"cannot read the skin: " + top->error);
    } else if (!top->parsed) {
        Add(Place{top, ParseErrorLine(*top)}, Severity::kError, L"does not parse: " + top->error);
    } else {
        LintFile(*top, nullptr, 0);
        Finish();
    }
    return m_findings;
}

Source* Linter::Load(const std::wstring& name) {
    std::unique_ptr<Source>& slot = m_sources[name];
    if (!slot) {
        slot.reset(new Source);
        slot->name = name;
        Read(*slot);
    }
    return slot.get();
}

int Linter::ParseErrorLine(const Source& src) const {
    const wchar_t* place = src.doc.LastErrorPlace();
    if (place == nullptr || place[0] == 0) return 0;
    const size_t at = src.text.find(place);
    return at == std::wstring::npos ? 0 : LineAt(src, at);
}

int Linter::LineAt(const Source& src, size_t offset) {
    return static_cast<int>(std::upper_bound(src.lineStarts.begin(), src.lineStarts.end(), offset) -
                            src.lineStarts.begin());
}

Place Linter::At(const Source& src, const wchar_t* p) const {
    const long offset = src.doc.OffsetOf(p);
    return Place{&src, offset < 0 ? 0 : LineAt(src, static_cast<size_t>(offset))};
}

void Linter::Add(const Place& at, Severity severity, const std::wstring& message) {
    Finding f;
    f.file = at.src->name;
    f.line = at.line;
    f.severity = severity;
    f.message = message;
    for (const Finding& seen : m_findings) {
        if (seen.file == f.file && seen.line == f.line && seen.message == f.message) return;
    }
    m_findings.push_back(f);
}

const ClassInfo* Linter::ClassFor(const wchar_t* element) {
    const std::wstring key = Lower(element);
    auto it = m_classes.find(key);
    if (it != m_classes.end()) return it->second.get();
    std::unique_ptr<ClassInfo>& info = m_classes[key];
    const std::wstring className = L"C" + std::wstring(element) + L"UI";
    std::unique_ptr<SkinUI::CControlUI> probe(SkinUI::CControlFactory::Instance().CreateControl(className.c_str()));
    if (!probe) return nullptr;
    info.reset(new ClassInfo);
    info->className = className;
    info->element = className.substr(1, className.size() - 3);
    info->container = probe->GetInterface(L"IContainer") != nullptr;
    info->names = NamesOf(ControlAttributeNames(className.c_str()));
    return info.get();
}

void Linter::LintFile(const Source& src, const ClassInfo* parent, int depth) {
    const CXmlElement root = src.doc.RootElement();
    if (root.IsNull()) return;
    LintResources(src, root);
    if (Is(root.Name(), L"Window")) {
        for (int i = 0; i < root.AttrCount(); ++i) {
            const ApplyResult r = ApplyToWindow(root.AttrName(i), root.AttrValue(i));
            const Place at = At(src, root.AttrName(i));
            if (!r.known) {
                Add(at, Severity::kWarning, L"Window has no attribute \"" + std::wstring(root.AttrName(i)) + L"\"" +
                                                DidYouMean(root.AttrName(i), m_windowNames));
            }
            CheckReads(at, r.reads, L"CControlUI");
        }
    }
    LintChildren(src, root, parent, depth);
}

void Linter::LintChildren(const Source& src, const CXmlElement& element, const ClassInfo* parent, int depth) {
    const bool isRoot = element.Parent().IsNull();
    for (CXmlElement node = element.FirstChild(); !node.IsNull(); node = node.NextSibling()) {
        const wchar_t* name = node.Name();
        const Place at = At(src, name);
        if (IsResourceElement(name)) {
            if (!isRoot) {
                Add(at, Severity::kWarning,
                    std::wstring(name) + L" is read only directly under the root element; here it is ignored");
            }
            continue;
        }
        if (Is(name, L"Include")) {
            LintInclude(src, node, parent, depth);
            continue;
        }
        const ClassInfo* info = ClassFor(name);
        if (info == nullptr) {
            Add(at, Severity::kError, L"unknown element <" + std::wstring(name) + L">" +
                                          DidYouMean(name, m_elementNames) + L"; it is skipped with its children");
            continue;
        }
        if (parent != nullptr && !parent->container) {
            Add(at, Severity::kError, parent->element + L" holds no children: <" + std::wstring(name) +
                                          L"> and the rest of this level are not built");
            break;
        }
        ++m_units;
        LintControl(src, node, *info);
        if (node.HasChildElements()) LintChildren(src, node, info, depth);
    }
}

void Linter::LintControl(const Source& src, const CXmlElement& node, const ClassInfo& info) {
    for (int i = 0; i < node.AttrCount(); ++i) {
        const wchar_t* name = node.AttrName(i);
        const wchar_t* value = node.AttrValue(i);
        const Place at = At(src, name);
        const ApplyResult r = ApplyToControl(info.className.c_str(), name, value);
        if (!r.known) {
            Add(at, Severity::kWarning, info.element + L" has no attribute \"" + name + L"\"" +
                                            DidYouMean(name, info.names) + L"; it is only kept as user data");
        }
        CheckReads(at, r.reads, info.className);
        if (Is(name, L"name") && value[0] != 0) {
            auto seen = m_controlNames.find(value);
            if (seen == m_controlNames.end()) {
                m_controlNames[value] = at;
            } else if (seen->second.src != at.src || seen->second.line != at.line) {
                Add(at, Severity::kWarning, L"another control is named \"" + std::wstring(value) + L"\" (" +
                                                seen->second.src->name + L":" +
                                                std::to_wstring(seen->second.line) + L"); a lookup by name finds only the later one");
            }
        }
    }
}

void Linter::LintInclude(const Source& src, const CXmlElement& node, const ClassInfo* parent, int depth) {
    const Place at = At(src, node.Name());
    CheckResourceAttrs(src, node);
    const wchar_t* source = node.FindAttrValue(L"source");
    if (source == nullptr || *source == 0) {
        Add(at, Severity::kWarning, L"Include without source does nothing");
        return;
    }
    const wchar_t* countText = node.FindAttrValue(L"count");
    const long count = countText != nullptr ? std::wcstol(countText, nullptr, 10) : 1;
    if (depth + 1 > SkinUI::CSkinBuilder::kMaxIncludeDepth) {
        Add(at, Severity::kError, L"includes nest deeper than " +
                                      std::to_wstring(SkinUI::CSkinBuilder::kMaxIncludeDepth) +
                                      L" levels (does \"" + source + L"\" include itself?); the build fails");
        m_boundReported = true;
        return;
    }
    Source* included = Load(source);
    if (!included->readable) {
        Add(at, Severity::kError, L"Include source \"" + std::wstring(source) + L"\" not found (" +
                                      included->error + L")");
        return;
    }
    if (!included->parsed) {
        Add(at, Severity::kError, L"Include source \"" + std::wstring(source) + L"\" does not parse: " +
                                      included->error);
        return;
    }
    const long before = m_units;
    LintFile(*included, parent, depth + 1);
    const long once = m_units - before;
    m_units = before + std::max(0L, count) * (once + 1);
    if (!m_boundReported && m_units > SkinUI::CSkinBuilder::kMaxBuildUnits) {
        m_boundReported = true;
        Add(at, Severity::kError, L"with count=\"" + std::to_wstring(count) + L"\" the skin makes " +
                                      std::to_wstring(m_units) + L" controls and repetitions; the build stops at " +
                                      std::to_wstring(SkinUI::CSkinBuilder::kMaxBuildUnits) + L" and fails");
    }
}

}  // namespace lint

std::vector<Finding> LintSkin(const std::wstring& skinName, const LintSettings& settings) {
    lint::Linter linter(settings);
    return linter.Run(skinName);
}

}  // namespace skinview
