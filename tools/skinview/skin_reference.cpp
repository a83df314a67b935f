#include "skin_reference.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <utility>

#include "attribute_probe.h"
#include "reference_descriptions.h"
#include "skin_linter.h"
#include "ui/core/control_factory.h"

namespace skinview {

namespace {

using SkinUI::attr::EValueKind;

// What every probe applies: a number reads as every kind, so the readers that run are the
// attribute's own.
const wchar_t kProbeValue[] = L"1";

const wchar_t* KindName(EValueKind kind) {
    switch (kind) {
        case SkinUI::attr::kValueBool: return L"boolean";
        case SkinUI::attr::kValueInt: return L"number";
        case SkinUI::attr::kValuePair: return L"x,y";
        case SkinUI::attr::kValueRect: return L"left,top,right,bottom";
        case SkinUI::attr::kValueColor: return L"colour";
        case SkinUI::attr::kValueImage: return L"image";
        case SkinUI::attr::kValueFont: return L"font id";
        case SkinUI::attr::kValueStyle: return L"style name";
    }
    return L"text";
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// The kinds the readers of `attribute` took its value as, "text" when none ran.
std::wstring ProbedType(const std::vector<ValueRead>& reads, const std::wstring& attribute) {
    std::vector<EValueKind> kinds;
    for (const ValueRead& r : reads) {
        if (Lower(r.attribute) == Lower(attribute) && std::find(kinds.begin(), kinds.end(), r.kind) == kinds.end())
            kinds.push_back(r.kind);
    }
    std::wstring type;
    for (EValueKind k : kinds) type += (type.empty() ? L"" : L" or ") + std::wstring(KindName(k));
    return type.empty() ? L"text" : type;
}

std::wstring Cell(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* p = text != nullptr ? text : L""; *p != 0; ++p) {
        if (*p == L'|') out += L'\\';
        out += *p == L'\n' ? L' ' : *p;
    }
    return out;
}

struct Attribute {
    std::wstring name;
    bool nameCase = false;
    std::wstring type;  // as probed
};

class Writer {
public:
    explicit Writer(std::vector<std::wstring>& undescribed) : m_undescribed(undescribed) {
        size_t count = 0;
        const AttributeText* rows = AttributeTexts(count);
        for (size_t i = 0; i < count; ++i) m_attributes[{Lower(rows[i].element), Lower(rows[i].name)}] = &rows[i];
        const ElementText* elements = ElementTexts(count);
        for (size_t i = 0; i < count; ++i) m_elements[Lower(elements[i].element)] = &elements[i];
    }

    std::wstring& Out() { return m_out; }

    bool Describes(const std::wstring& element, const std::wstring& name) const {
        return m_attributes.count({Lower(element), Lower(name)}) != 0;
    }
    // The elements the attribute rows are written under.
    std::vector<std::wstring> DescribedElements() const {
        std::vector<std::wstring> out;
        for (const auto& row : m_attributes) {
            if (out.empty() || Lower(out.back()) != row.first.first) out.push_back(row.first.first);
        }
        return out;
    }

    // The heading and line of an element, and its notifications.
    void Element(const std::wstring& element, const std::wstring& heading, const std::wstring& className) {
        m_out += L"\n### " + heading + L"\n\n";
        const auto found = m_elements.find(Lower(element));
        if (found == m_elements.end()) {
            m_undescribed.push_back(element);
        } else {
            m_out += Cell(found->second->what);
            if (!className.empty()) m_out += L" Class `" + className + L"`.";
            m_out += L"\n";
        }
    }

    void Notifications(const std::wstring& element) {
        const auto found = m_elements.find(Lower(element));
        if (found == m_elements.end() || found->second->notifications == nullptr) return;
        m_out += L"\nNotifications it sends:\n\n";
        std::wstring line;
        for (const wchar_t* p = found->second->notifications;; ++p) {
            if (*p == L'\n' || *p == 0) {
                const size_t colon = line.find(L':');
                if (colon != std::wstring::npos)
                    m_out += L"- `" + line.substr(0, colon) + L"`" + line.substr(colon) + L"\n";
                line.clear();
                if (*p == 0) break;
            } else {
                line += *p;
            }
        }
    }

    // One table; `owners` names, for each attribute, the elements whose descriptions apply, in order.
    void Table(const std::vector<Attribute>& attributes, const std::vector<std::vector<std::wstring>>& owners) {
        if (attributes.empty()) return;
        m_out += L"\n| Attribute | Value | Default | DPI | Letter case | What it does |\n"
                 L"|---|---|---|---|---|---|\n";
        for (size_t i = 0; i < attributes.size(); ++i) {
            const Attribute& a = attributes[i];
            const AttributeText* text = nullptr;
            for (const std::wstring& owner : owners[i]) {
                const auto found = m_attributes.find({Lower(owner), Lower(a.name)});
                if (found != m_attributes.end()) {
                    text = found->second;
                    break;
                }
            }
            if (text == nullptr) m_undescribed.push_back(owners[i].front() + L"." + a.name);
            const bool valueCase = text != nullptr && (text->flags & kValueCase) != 0;
            const wchar_t* letterCase = a.nameCase ? (valueCase ? L"name and value exact" : L"name exact")
                                                   : (valueCase ? L"value exact" : L"ignored");
            m_out += L"| `" + a.name + L"` | " + Cell(text != nullptr && text->type != nullptr ? text->type : a.type.c_str()) +
                     L" | " + Cell(text != nullptr ? text->byDefault : L"") + L" | " +
                     ((text != nullptr && (text->flags & kScaled) != 0) ? L"scaled" : L"—") + L" | " + letterCase +
                     L" | " + Cell(text != nullptr ? text->what : L"(no description)") + L" |\n";
        }
    }

private:
    std::vector<std::wstring>& m_undescribed;
    std::map<std::pair<std::wstring, std::wstring>, const AttributeText*> m_attributes;
    std::map<std::wstring, const ElementText*> m_elements;
    std::wstring m_out;
};

std::vector<std::vector<std::wstring>> SameOwner(size_t count, const std::wstring& element) {
    return std::vector<std::vector<std::wstring>>(count, std::vector<std::wstring>{element});
}

void WriteWindow(Writer& w) {
    std::vector<Attribute> attributes;
    for (const KnownName& k : WindowAttributeNames()) {
        const ApplyResult r = ApplyToWindow(k.name.c_str(), kProbeValue);
        attributes.push_back(Attribute{k.name, k.caseSensitive, ProbedType(r.reads, k.name)});
    }
    w.Element(L"Window", L"Window", L"");
    w.Table(attributes, SameOwner(attributes.size(), L"Window"));
}

void WriteResources(Writer& w) {
    std::vector<const wchar_t*> elements(std::begin(lint::kResourceElements), std::end(lint::kResourceElements));
    elements.push_back(L"Include");
    for (const wchar_t* element : elements) {
        const lint::ResourceAttr* table = nullptr;
        const size_t count = lint::AttributesOf(element, table);
        std::vector<Attribute> attributes;
        for (size_t i = 0; i < count; ++i)
            attributes.push_back(Attribute{table[i].name, false, table[i].checked ? KindName(table[i].kind) : L"text"});
        w.Element(element, element, L"");
        w.Table(attributes, SameOwner(attributes.size(), element));
    }
}

void WriteImageKeys(Writer& w) {
    std::vector<Attribute> keys;
    for (const KnownName& k : ImageKeyNames()) {
        std::vector<std::wstring> unknown;
        std::wstring file, resType;
        const ApplyResult r = ParseImage((k.name + L"='" + kProbeValue + L"'").c_str(), unknown, file, resType);
        keys.push_back(Attribute{k.name, k.caseSensitive, ProbedType(r.reads, k.name)});
    }
    w.Element(L"imagedesc", L"Image descriptions", L"");
    w.Table(keys, SameOwner(keys.size(), L"imagedesc"));
}

struct ControlClass {
    std::wstring className;
    std::wstring element;
    std::vector<KnownName> names;
    int base = -1;                      // the registered class it is built on most nearly
    std::vector<std::wstring> lineage;  // the elements it is built on (registered or not), the nearest first
    bool Has(const std::wstring& name) const {
        return std::any_of(names.begin(), names.end(), [&](const KnownName& k) { return k.name == name; });
    }
};

// The real class hierarchy, as the controls report it: a control answers GetInterface for its
// own element name and for each of its bases'. A class's base is the registered class it
// answers for that itself answers for the most others. Its lineage also holds the described
// elements that are no registered class (a base only other classes are built on), ordered by
// how many of the class's registered ancestors answer for them.
void FindBases(std::vector<ControlClass>& classes, const std::vector<std::wstring>& describedElements) {
    const size_t n = classes.size();
    std::vector<std::vector<bool>> isA(n, std::vector<bool>(n, false));
    std::vector<size_t> depth(n, 0);
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            isA[i][j] = i != j && ControlIsA(classes[i].className.c_str(), classes[j].element.c_str());
            if (isA[i][j]) ++depth[i];
        }
    }
    for (size_t i = 0; i < n; ++i) {
        ControlClass& c = classes[i];
        std::vector<size_t> chain{i};  // the class and its registered ancestors
        for (size_t j = 0; j < n; ++j) {
            if (!isA[i][j]) continue;
            chain.push_back(j);
            if (c.base < 0 || depth[j] > depth[static_cast<size_t>(c.base)]) c.base = static_cast<int>(j);
        }
        std::vector<std::wstring> candidates;
        for (size_t j : chain) {
            if (j != i) candidates.push_back(classes[j].element);
        }
        for (const std::wstring& e : describedElements) {
            const bool registered = std::any_of(classes.begin(), classes.end(),
                                                [&](const ControlClass& k) { return Lower(k.element) == Lower(e); });
            if (!registered && ControlIsA(c.className.c_str(), e.c_str())) candidates.push_back(e);
        }
        std::vector<std::pair<size_t, std::wstring>> ranked;
        for (const std::wstring& e : candidates) {
            const size_t below = static_cast<size_t>(std::count_if(chain.begin(), chain.end(), [&](size_t j) {
                return ControlIsA(classes[j].className.c_str(), e.c_str());
            }));
            ranked.emplace_back(below, e);
        }
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& r : ranked) c.lineage.push_back(r.second);
    }
}

void WriteControls(Writer& w) {
    std::vector<ControlClass> classes;
    for (const std::wstring& cls : SkinUI::CControlFactory::Instance().ClassNames()) {
        ControlClass c;
        c.className = cls;
        c.element = cls.size() > 3 && cls[0] == L'C' && cls.compare(cls.size() - 2, 2, L"UI") == 0
                        ? cls.substr(1, cls.size() - 3) : cls;
        c.names = ControlAttributeNames(cls.c_str());
        classes.push_back(std::move(c));
    }
    FindBases(classes, w.DescribedElements());
    w.Out() += L"\n## Controls\n\nOne element per class the control factory knows (the element is the class name "
               L"without its `C` and `UI`). A class takes every attribute of the class it is built on, listed "
               L"there; its table holds the attributes it adds, and those it handles in its own way.\n";
    for (const ControlClass& c : classes) {
        w.Element(c.element, c.element, c.className);
        std::vector<Attribute> own;
        std::vector<std::vector<std::wstring>> owners;
        std::vector<std::wstring> lookup{c.element};
        lookup.insert(lookup.end(), c.lineage.begin(), c.lineage.end());
        for (const KnownName& k : c.names) {
            // Described under the base, unless the class describes its own handling.
            if (c.base >= 0 && classes[c.base].Has(k.name) && !w.Describes(c.element, k.name)) continue;
            const ApplyResult r = ApplyToControl(c.className.c_str(), k.name.c_str(), kProbeValue);
            own.push_back(Attribute{k.name, k.caseSensitive, ProbedType(r.reads, k.name)});
            owners.push_back(lookup);
        }
        if (c.base >= 0) {
            const ControlClass& b = classes[c.base];
            w.Out() += L"\nTakes every attribute of [" + b.element + L"](#" + Lower(b.element) + L")" +
                       (own.empty() ? L", and none of its own.\n" : L", and:\n");
        }
        w.Table(own, owners);
        w.Notifications(c.element);
    }
}

}  // namespace

std::wstring MakeSkinReference(std::vector<std::wstring>& undescribed) {
    undescribed.clear();
    Writer w(undescribed);
    w.Out() += L"# Skin reference\n\n";
    w.Out() += ReferenceIntro();
    w.Out() += L"\n## Values\n\n";
    w.Out() += ValueRules();
    w.Out() += L"\n## The window and its resource elements\n";
    WriteWindow(w);
    WriteResources(w);
    WriteImageKeys(w);
    WriteControls(w);
    return w.Out();
}

}  // namespace skinview
