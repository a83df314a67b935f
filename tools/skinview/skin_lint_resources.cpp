// The skin checker: the resource elements (Image, Font, Default, Style, Import),
// Include's own attributes, and attribute lists.
#include "skin_linter.h"

#include <cwchar>

#include "font_faces.h"
#include "ui/core/resource_settings.h"
#include "value_check.h"

namespace skinview {
namespace lint {

namespace {

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

template <size_t N>
size_t Pick(const ResourceAttr (&table)[N], const ResourceAttr*& out) {
    out = table;
    return N;
}

}  // namespace

size_t AttributesOf(const wchar_t* element, const ResourceAttr*& table) {
    if (Is(element, L"Image")) return Pick(kImageAttrs, table);
    if (Is(element, L"Font")) return Pick(kFontAttrs, table);
    if (Is(element, L"Default") || Is(element, L"Style")) return Pick(kListAttrs, table);
    if (Is(element, L"Import")) return Pick(kImportAttrs, table);
    if (Is(element, L"Include")) return Pick(kIncludeAttrs, table);
    table = nullptr;
    return 0;
}

void Linter::CheckResourceAttrs(const Source& src, const CXmlElement& node) {
    const ResourceAttr* table = nullptr;
    const size_t count = AttributesOf(node.Name(), table);
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

std::wstring Linter::ValueText(const std::wstring& name, const std::wstring& value) {
    return name + L"=\"" + value + L"\"";
}

void Linter::LintResources(const Source& src, const CXmlElement& root) {
    for (CXmlElement node = root.FirstChild(); !node.IsNull(); node = node.NextSibling()) {
        const wchar_t* name = node.Name();
        const Place at = At(src, name);
        if (Is(name, L"Image")) {
            CheckResourceAttrs(src, node);
            const wchar_t* file = node.FindAttrValue(L"name");
            const wchar_t* type = node.FindAttrValue(L"restype");
            if (file == nullptr) {
                Add(at, Severity::kWarning, L"Image without name is ignored");
            } else if (type == nullptr || *type == 0) {
                CheckImageFile(at, L"name", file);
            }
        } else if (Is(name, L"Font")) {
            CheckResourceAttrs(src, node);
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
            CheckResourceAttrs(src, node);
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
            CheckResourceAttrs(src, node);
            const wchar_t* file = node.FindAttrValue(L"fontfile");
            SkinUI::CUIBuffer bytes;
            if (file != nullptr && *file != 0 && !SkinUI::CUIResourceSettings::ReadResourceFile(file, bytes))
                Add(at, Severity::kError, L"font file \"" + std::wstring(file) + L"\" not found");
        }
    }
}

void Linter::LintDefault(const ListDef& def) {
    // Containers give their scroll bars the defaults of these two names.
    const bool bar = def.name == L"VScrollBar" || def.name == L"HScrollBar";
    const ClassInfo* info = ClassFor(bar ? L"ScrollBar" : def.name.c_str());
    if (info == nullptr) {
        Add(def.at, Severity::kWarning,
            L"Default for \"" + def.name + L"\", which is no element" + DidYouMean(def.name, m_elementNames));
        return;
    }
    LintList(def.at, L"Default \"" + def.name + L"\"", *info, def.value);
}

void Linter::LintList(const Place& at, const std::wstring& what, const ClassInfo& info, const std::wstring& list) {
    std::vector<std::wstring> unknown;
    const ApplyResult r = ApplyListToControl(info.className.c_str(), list.c_str(), unknown);
    for (const std::wstring& name : unknown) {
        Add(at, Severity::kWarning, what + L": " + info.element + L" has no attribute \"" + name + L"\"" +
                                        DidYouMean(name, info.names));
    }
    CheckReads(at, r.reads, info.className);
}

bool Linter::FontInstalled(const std::wstring& face) {
    return m_settings.isFontInstalled != nullptr ? m_settings.isFontInstalled(face) : IsFontFaceInstalled(face);
}

}  // namespace lint
}  // namespace skinview
