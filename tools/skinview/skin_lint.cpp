#include "skin_lint.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>
#include <set>

#include "attribute_probe.h"
#include "font_faces.h"
#include "skinview_io.h"
#include "value_check.h"
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/control_factory.h"
#include "ui/core/image_scale.h"
#include "ui/core/resource_settings.h"
#include "ui/core/skin_builder.h"
#include "ui/core/xml_document.h"

namespace skinview {

namespace {

using SkinUI::CXmlElement;
using SkinUI::attr::EValueKind;

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool Is(const wchar_t* name, const wchar_t* expected) { return name != nullptr && ::_wcsicmp(name, expected) == 0; }

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

// Attributes of the resource elements and Include, as the builder reads them.
struct ResourceAttr {
    const wchar_t* name;
    bool checked;  // its value has a kind below
    EValueKind kind;
};
const ResourceAttr kImageAttrs[] = {{L"name", false, SkinUI::attr::kValueImage},
                                    {L"restype", false, SkinUI::attr::kValueImage},
                                    {L"mask", true, SkinUI::attr::kValueColor},
                                    {L"shared", true, SkinUI::attr::kValueBool}};
const ResourceAttr kFontAttrs[] = {{L"id", true, SkinUI::attr::kValueInt},         {L"name", false, SkinUI::attr::kValueInt},
                                   {L"size", true, SkinUI::attr::kValueInt},       {L"bold", true, SkinUI::attr::kValueBool},
                                   {L"underline", true, SkinUI::attr::kValueBool}, {L"italic", true, SkinUI::attr::kValueBool},
                                   {L"default", true, SkinUI::attr::kValueBool},   {L"shared", true, SkinUI::attr::kValueBool}};
const ResourceAttr kListAttrs[] = {{L"name", false, SkinUI::attr::kValueInt},
                                   {L"value", false, SkinUI::attr::kValueInt},
                                   {L"shared", true, SkinUI::attr::kValueBool}};
const ResourceAttr kImportAttrs[] = {{L"fontfile", false, SkinUI::attr::kValueInt}};
const ResourceAttr kIncludeAttrs[] = {{L"source", false, SkinUI::attr::kValueInt},
                                      {L"count", true, SkinUI::attr::kValueInt}};

const wchar_t* const kResourceElements[] = {L"Image", L"Font", L"Default", L"Style", L"Import"};

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

class Linter {
public:
    explicit Linter(const LintSettings& settings) : m_settings(settings) {
        for (const std::wstring& cls : SkinUI::CControlFactory::Instance().ClassNames()) {
            if (cls.size() > 3 && cls[0] == L'C' && cls.compare(cls.size() - 2, 2, L"UI") == 0)
                m_elementNames.push_back(cls.substr(1, cls.size() - 3));
        }
        for (const wchar_t* r : kResourceElements) m_elementNames.push_back(r);
        m_elementNames.push_back(L"Include");
        m_windowNames = NamesOf(WindowAttributeNames());
        m_imageKeys = NamesOf(ImageKeyNames());
    }

    std::vector<Finding> Run(const std::wstring& skin) {
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

private:
    Source* Load(const std::wstring& name) {
        std::unique_ptr<Source>& slot = m_sources[name];
        if (!slot) {
            slot.reset(new Source);
            slot->name = name;
            Read(*slot);
        }
        return slot.get();
    }

    int ParseErrorLine(const Source& src) const {
        const wchar_t* place = src.doc.LastErrorPlace();
        if (place == nullptr || place[0] == 0) return 0;
        const size_t at = src.text.find(place);
        return at == std::wstring::npos ? 0 : LineAt(src, at);
    }

    static int LineAt(const Source& src, size_t offset) {
        return static_cast<int>(std::upper_bound(src.lineStarts.begin(), src.lineStarts.end(), offset) -
                                src.lineStarts.begin());
    }

    Place At(const Source& src, const wchar_t* p) const {
        const long offset = src.doc.OffsetOf(p);
        return Place{&src, offset < 0 ? 0 : LineAt(src, static_cast<size_t>(offset))};
    }

    void Add(const Place& at, Severity severity, const std::wstring& message) {
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

    const ClassInfo* ClassFor(const wchar_t* element) {
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

    void LintFile(const Source& src, const ClassInfo* parent, int depth) {
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

    void CheckResourceAttrs(const Source& src, const CXmlElement& node, const ResourceAttr* table, size_t count) {
        std::vector<std::wstring> names;
        for (size_t k = 0; k < count; ++k) names.push_back(table[k].name);
        for (int i = 0; i < node.AttrCount(); ++i) {
            const wchar_t* name = node.AttrName(i);
            const Place at = At(src, name);
            const ResourceAttr* found = nullptr;
            for (size_t k = 0; k < count; ++k) {
                if (Is(name, table[k].name)) found = &table[k];
            }
            if (found == nullptr) {
                Add(at, Severity::kWarning, std::wstring(node.Name()) + L" has no attribute \"" + name + L"\"" +
                                                DidYouMean(name, names));
            } else if (found->checked) {
                const std::wstring why = CheckValue(found->kind, node.AttrValue(i));
                if (!why.empty()) Add(at, Severity::kError, ValueText(name, node.AttrValue(i)) + L": " + why);
            }
        }
    }

    static std::wstring ValueText(const std::wstring& name, const std::wstring& value) {
        return name + L"=\"" + value + L"\"";
    }

    void LintResources(const Source& src, const CXmlElement& root) {
        for (CXmlElement node = root.FirstChild(); !node.IsNull(); node = node.NextSibling()) {
            const wchar_t* name = node.Name();
            const Place at = At(src, name);
            if (Is(name, L"Image")) {
                CheckResourceAttrs(src, node, kImageAttrs, 4);
                const wchar_t* file = node.FindAttrValue(L"name");
                const wchar_t* type = node.FindAttrValue(L"restype");
                if (file == nullptr) {
                    Add(at, Severity::kWarning, L"Image without name is ignored");
                } else if (type == nullptr || *type == 0) {
                    CheckImageFile(at, L"name", file);
                }
            } else if (Is(name, L"Font")) {
                CheckResourceAttrs(src, node, kFontAttrs, 8);
                const wchar_t* id = node.FindAttrValue(L"id");
                if (id == nullptr || std::wcstol(id, nullptr, 10) < 0) {
                    Add(at, Severity::kWarning, L"Font without an id of 0 or more is ignored, \"default\" included");
                    continue;
                }
                m_fontIds.insert(std::wcstol(id, nullptr, 10));
                const wchar_t* face = node.FindAttrValue(L"name");
                if (face != nullptr && *face != 0 && !FontInstalled(face)) {
                    Add(At(src, face), Severity::kWarning,
                        L"font face \"" + std::wstring(face) + L"\" is not installed on this machine");
                }
            } else if (Is(name, L"Default") || Is(name, L"Style")) {
                CheckResourceAttrs(src, node, kListAttrs, 3);
                const wchar_t* key = node.FindAttrValue(L"name");
                const wchar_t* value = node.FindAttrValue(L"value");
                if (key == nullptr) {
                    Add(at, Severity::kWarning, std::wstring(name) + L" without name is ignored");
                    continue;
                }
                ListDef def{at, key, value != nullptr ? value : L""};
                if (Is(name, L"Default")) {
                    LintDefault(def);
                } else if (m_styles.count(key) != 0) {
                    const ListDef& first = m_styles[key];
                    Add(at, Severity::kWarning,
                        L"style \"" + std::wstring(key) + L"\" is defined again; the first definition (" +
                            first.at.src->name + L":" + std::to_wstring(first.at.line) + L") is kept");
                } else {
                    m_styles[key] = def;
                }
            } else if (Is(name, L"Import")) {
                CheckResourceAttrs(src, node, kImportAttrs, 1);
                const wchar_t* file = node.FindAttrValue(L"fontfile");
                SkinUI::CUIBuffer bytes;
                if (file != nullptr && *file != 0 && !SkinUI::CUIResourceSettings::ReadResourceFile(file, bytes))
                    Add(at, Severity::kError, L"font file \"" + std::wstring(file) + L"\" not found");
            }
        }
    }

    void LintDefault(const ListDef& def) {
        const ClassInfo* info = ClassFor(def.name.c_str());
        if (info == nullptr) {
            Add(def.at, Severity::kWarning,
                L"Default for \"" + def.name + L"\", which is no element" + DidYouMean(def.name, m_elementNames));
            return;
        }
        LintList(def.at, L"Default \"" + def.name + L"\"", *info, def.value);
    }

    void LintList(const Place& at, const std::wstring& what, const ClassInfo& info, const std::wstring& list) {
        std::vector<std::wstring> unknown;
        const ApplyResult r = ApplyListToControl(info.className.c_str(), list.c_str(), unknown);
        for (const std::wstring& name : unknown) {
            Add(at, Severity::kWarning, what + L": " + info.element + L" has no attribute \"" + name + L"\"" +
                                            DidYouMean(name, info.names));
        }
        CheckReads(at, r.reads, info.className);
    }

    void LintChildren(const Source& src, const CXmlElement& element, const ClassInfo* parent, int depth) {
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

    void LintControl(const Source& src, const CXmlElement& node, const ClassInfo& info) {
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
                                                    std::to_wstring(seen->second.line) + L"); lookups find the first");
                }
            }
        }
    }

    void LintInclude(const Source& src, const CXmlElement& node, const ClassInfo* parent, int depth) {
        const Place at = At(src, node.Name());
        CheckResourceAttrs(src, node, kIncludeAttrs, 2);
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

    void CheckReads(const Place& at, const std::vector<ValueRead>& reads, const std::wstring& className) {
        for (const ValueRead& read : reads) {
            const std::wstring why = CheckValue(read.kind, read.value);
            if (!why.empty()) {
                Add(at, Severity::kError, ValueText(read.attribute, read.value) + L": " + why);
                continue;
            }
            if (read.kind == SkinUI::attr::kValueImage) {
                CheckImage(at, read.attribute, read.value);
            } else if (read.kind == SkinUI::attr::kValueFont) {
                m_fontRefs.push_back(Reference{at, read.attribute, read.value, className});
            } else if (read.kind == SkinUI::attr::kValueStyle) {
                m_styleRefs.push_back(Reference{at, read.attribute, read.value, className});
            }
        }
    }

    void CheckImage(const Place& at, const std::wstring& attribute, const std::wstring& description) {
        if (!SkinUI::TUIImageSpec::IsWellFormed(description.c_str())) {
            Add(at, Severity::kError, ValueText(attribute, description) +
                                          L": not a well-formed image description (key='value' pairs, one space apart)");
        }
        std::vector<std::wstring> unknownKeys;
        std::wstring file, resType;
        const ApplyResult r = ParseImage(description.c_str(), unknownKeys, file, resType);
        for (const std::wstring& key : unknownKeys) {
            Add(at, Severity::kWarning, attribute + L": image descriptions have no key \"" + key + L"\"" +
                                            DidYouMean(key, m_imageKeys));
        }
        for (const ValueRead& read : r.reads) {
            const std::wstring why = CheckValue(read.kind, read.value);
            if (!why.empty()) {
                Add(at, Severity::kError, attribute + L": " + read.attribute + L"='" + read.value + L"': " + why);
            }
        }
        if (resType.empty()) CheckImageFile(at, attribute, file);
    }

    static bool ImageExists(const std::wstring& name) {
        SkinUI::CUIBuffer bytes;
        return SkinUI::CUIResourceSettings::ReadResourceFile(name.c_str(), bytes);
    }

    // The file drawn at `percent`: the name with "@<percent>" before each '.'.
    static std::wstring ScaledName(const std::wstring& name, int percent) {
        std::wstring out;
        for (wchar_t c : name) {
            if (c == L'.') out += L"@" + std::to_wstring(percent);
            out += c;
        }
        return out;
    }

    void CheckImageFile(const Place& at, const std::wstring& attribute, const std::wstring& file) {
        if (file.empty()) return;
        if (!ImageExists(file)) {
            Add(at, Severity::kError, attribute + L": image \"" + file + L"\" not found");
            return;
        }
        if (!m_scaleChecked.insert(file).second) return;
        // The scales with pictures of their own, among those the image loader looks for.
        std::vector<int> present;
        for (int i = 0; i < SkinUI::kImageScaleCount; ++i) {
            if (ImageExists(ScaledName(file, SkinUI::kImageScales[i]))) present.push_back(SkinUI::kImageScales[i]);
        }
        // Scales without a picture of their own, grouped by the file they use instead.
        std::vector<std::pair<std::wstring, std::wstring>> uses;  // file, scales
        for (int s : m_settings.scales) {
            if (std::find(present.begin(), present.end(), s) != present.end()) continue;
            int use = 100;
            for (int p : present) {
                if (p > s && (use == 100 || p < use)) use = p;
            }
            const std::wstring used = use == 100 ? file : ScaledName(file, use);
            auto group = std::find_if(uses.begin(), uses.end(), [&](const std::pair<std::wstring, std::wstring>& u) {
                return u.first == used;
            });
            if (group == uses.end()) {
                uses.emplace_back(used, std::to_wstring(s));
            } else {
                group->second += L", " + std::to_wstring(s);
            }
        }
        std::wstring text;
        for (const auto& u : uses) text += (text.empty() ? L"" : L"; ") + u.second + L" % draw " + u.first;
        if (!text.empty()) Add(at, Severity::kNote, L"image \"" + file + L"\" has no picture of its own at every scale: " + text);
    }

    bool FontInstalled(const std::wstring& face) {
        return m_settings.isFontInstalled != nullptr ? m_settings.isFontInstalled(face) : IsFontFaceInstalled(face);
    }

    std::vector<std::wstring> StyleNames() const {
        std::vector<std::wstring> names;
        for (const auto& s : m_styles) names.push_back(s.first);
        return names;
    }

    // The styles a style's list names: the whole list as a style name, or style="..." inside.
    std::vector<std::wstring> StyleEdges(const ListDef& def) {
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

    void CheckStyleCycles() {
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

    void Finish() {
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
    long m_units = 0;
    bool m_boundReported = false;
    std::vector<Finding> m_findings;
};

}  // namespace

std::vector<Finding> LintSkin(const std::wstring& skinName, const LintSettings& settings) {
    Linter linter(settings);
    return linter.Run(skinName);
}

}  // namespace skinview
