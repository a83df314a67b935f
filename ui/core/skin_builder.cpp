#include "ui/core/skin_builder.h"

#include <cwchar>
#include <map>
#include <string>

#include "ui/controls/attribute_values.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/shadow.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

namespace {

const int kMaxIncludeSource = 500;  // characters of an Include's source, terminator included

bool Is(const wchar_t* name, const wchar_t* expected) { return name != nullptr && _wcsicmp(name, expected) == 0; }

bool IsResourceElement(const wchar_t* name) {
    return Is(name, L"Image") || Is(name, L"Font") || Is(name, L"Default") || Is(name, L"Style") ||
           Is(name, L"Import");
}

DWORD HexColor(const wchar_t* value) { return attr::ToColor(value, false); }

// Font sizes are clamped to +-512 pixels: glyphs of tens of thousands of pixels
// take seconds to draw, and no skin needs them.
int FontSize(const wchar_t* value) {
    const int v = attr::ToInt(value);
    return v < -512 ? -512 : v > 512 ? 512 : v;
}

// A byte-sized number: values outside 0..255 are clamped, never wrapped.
BYTE ByteValue(const wchar_t* value) {
    const int v = attr::ToInt(value);
    return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

void RegisterImage(const CXmlElement& node, CPaintManagerUI* manager) {
    const wchar_t* name = nullptr;
    const wchar_t* type = nullptr;
    DWORD mask = 0;
    bool shared = false;
    for (int i = 0; i < node.AttrCount(); ++i) {
        const wchar_t* key = node.AttrName(i);
        const wchar_t* value = node.AttrValue(i);
        if (Is(key, L"name"))
            name = value;
        else if (Is(key, L"restype"))
            type = value;
        else if (Is(key, L"mask"))
            mask = HexColor(value);
        else if (Is(key, L"shared"))
            shared = attr::IsTrue(value);
    }
    if (name != nullptr) manager->AddImage(name, (type != nullptr && *type != 0) ? type : nullptr, mask, false, shared);
}

void RegisterFont(const CXmlElement& node, CPaintManagerUI* manager) {
    int id = -1;
    const wchar_t* face = L"";
    int size = 12;
    bool bold = false, underline = false, italic = false, isDefault = false, shared = false;
    for (int i = 0; i < node.AttrCount(); ++i) {
        const wchar_t* key = node.AttrName(i);
        const wchar_t* value = node.AttrValue(i);
        if (Is(key, L"id"))
            id = attr::ToInt(value);
        else if (Is(key, L"name"))
            face = value;
        else if (Is(key, L"size"))
            size = FontSize(value);
        else if (Is(key, L"bold"))
            bold = attr::IsTrue(value);
        else if (Is(key, L"underline"))
            underline = attr::IsTrue(value);
        else if (Is(key, L"italic"))
            italic = attr::IsTrue(value);
        else if (Is(key, L"default"))
            isDefault = attr::IsTrue(value);
        else if (Is(key, L"shared"))
            shared = attr::IsTrue(value);
    }
    if (id < 0) return;  // no id: the element is ignored, "default" included
    manager->AddFont(id, face, size, bold, underline, italic, shared);
    if (isDefault) manager->SetDefaultFont(face, size, bold, underline, italic, shared);
}

// Default and Style elements: "name", "value", "shared".
void ReadNamedList(const CXmlElement& node, const wchar_t*& name, const wchar_t*& value, bool& shared) {
    name = nullptr;
    value = L"";
    shared = false;
    for (int i = 0; i < node.AttrCount(); ++i) {
        const wchar_t* key = node.AttrName(i);
        if (Is(key, L"name"))
            name = node.AttrValue(i);
        else if (Is(key, L"value"))
            value = node.AttrValue(i);
        else if (Is(key, L"shared"))
            shared = attr::IsTrue(node.AttrValue(i));
    }
}

}  // namespace

struct CSkinBuilder::TIncludeCache {
    // Keyed by the source as written (resource skins: its identifier); null for
    // a source that could not be loaded.
    std::map<std::wstring, std::unique_ptr<CSkinBuilder>> sources;
};

CSkinBuilder::CSkinBuilder() = default;
CSkinBuilder::~CSkinBuilder() = default;

bool CSkinBuilder::Load(const wchar_t* skin, const wchar_t* type) {
    if (skin == nullptr) return false;
    if (IS_INTRESOURCE(skin)) {
        HINSTANCE instance = m_instance != nullptr ? m_instance : CPaintManagerUI::GetInstance();
        if (type == nullptr) return false;
        HRSRC info = ::FindResourceW(instance, skin, type);
        if (info == nullptr) return false;
        HGLOBAL loaded = ::LoadResource(instance, info);
        if (loaded == nullptr) return false;
        const DWORD size = ::SizeofResource(instance, info);
        const void* bytes = ::LockResource(loaded);
        const bool parsed = bytes != nullptr && m_xml.ParseBytes(bytes, size, XmlEncodingUtf8);
        ::FreeResource(loaded);
        if (!parsed) return false;
        m_type = type;
        return true;
    }
    if (skin[0] == L'<') return m_xml.ParseText(skin);
    const wchar_t* path = CUIResourceCatalog::Instance().GetSkinPath(skin);
    return m_xml.ParseSkinFile(path != nullptr ? path : skin, XmlEncodingUtf8);
}

CControlUI* CSkinBuilder::Create(const wchar_t* skin, const wchar_t* type, IDialogBuilderCallback* callback,
                                 CPaintManagerUI* manager, CControlUI* parent) {
    if (!Load(skin, type)) return nullptr;
    return Create(callback, manager, parent);
}

CControlUI* CSkinBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent) {
    m_callback = callback;
    if (m_budget == &m_ownBudget) {
        // Each outermost build starts afresh, with its own Include sources.
        m_ownBudget = TBuildBudget();
        m_ownIncludes.reset(new TIncludeCache);
        m_includes = m_ownIncludes.get();
        m_resourcesRegistered = false;
        if (!TakeWork(m_budget->parsedChars, static_cast<long long>(m_xml.GetTextLength()), kMaxParsedChars)) {
            return nullptr;
        }
    }
    CXmlElement root = m_xml.RootElement();
    if (root.IsNull()) return nullptr;

    if (manager != nullptr && !m_resourcesRegistered) {
        m_resourcesRegistered = true;
        RegisterResources(root, manager);
        if (Is(root.Name(), L"Window") && manager->GetPaintWindow() != nullptr) {
            for (int i = 0; i < root.AttrCount(); ++i) ApplyWindowAttribute(manager, root.AttrName(i), root.AttrValue(i));
        }
    }

    CControlUI* first = BuildChildren(root, parent, manager);
    if (m_budget == &m_ownBudget && m_budget->exhausted) {
        // A build that ran into its bounds is a failed build. Without a parent
        // the first control is the only owner of what was made.
        if (parent == nullptr) delete first;
        return nullptr;
    }
    return first;
}

void CSkinBuilder::RegisterResources(const CXmlElement& root, CPaintManagerUI* manager) {
    for (CXmlElement node = root.FirstChild(); !node.IsNull(); node = node.NextSibling()) {
        const wchar_t* name = node.Name();
        if (Is(name, L"Image")) {
            RegisterImage(node, manager);
        } else if (Is(name, L"Font")) {
            RegisterFont(node, manager);
        } else if (Is(name, L"Default") || Is(name, L"Style")) {
            const wchar_t* key;
            const wchar_t* value;
            bool shared;
            ReadNamedList(node, key, value, shared);
            if (key == nullptr) continue;
            if (Is(name, L"Default"))
                manager->AddDefaultAttributeList(key, value, shared);
            else
                manager->AddStyle(key, value, shared);
        } else if (Is(name, L"Import")) {
            const wchar_t* file = node.FindAttrValue(L"fontfile");
            if (file != nullptr && *file != 0) manager->AddFontFile(file);
        }
    }
}

bool CSkinBuilder::TakeUnit() {
    if (m_budget->exhausted) return false;
    if (++m_budget->units > kMaxBuildUnits) {
        m_budget->exhausted = true;
        return false;
    }
    return true;
}

bool CSkinBuilder::TakeWork(long long& used, long long chars, long long limit) {
    if (m_budget->exhausted) return false;
    used += chars;
    if (used > limit) {
        m_budget->exhausted = true;
        return false;
    }
    return true;
}

CSkinBuilder* CSkinBuilder::IncludeSource(const wchar_t* source) {
    const std::wstring key = m_type != nullptr ? std::to_wstring(attr::ToInt(source) & 0xFFFF) : std::wstring(source);
    auto found = m_includes->sources.find(key);
    if (found != m_includes->sources.end()) return found->second.get();

    std::unique_ptr<CSkinBuilder> builder(new CSkinBuilder);
    builder->m_budget = m_budget;
    builder->m_includes = m_includes;
    bool loaded = false;
    if (m_type != nullptr) {
        const int id = attr::ToInt(source) & 0xFFFF;
        loaded = builder->Load(MAKEINTRESOURCEW(id), m_type);
    } else {
        loaded = builder->Load(source, nullptr);
    }
    if (loaded && !TakeWork(m_budget->parsedChars, static_cast<long long>(builder->m_xml.GetTextLength()),
                             kMaxParsedChars)) {
        loaded = false;
    }
    if (!loaded) builder.reset();
    CSkinBuilder* result = builder.get();
    m_includes->sources[key] = std::move(builder);
    return result;
}

void CSkinBuilder::BuildInclude(const CXmlElement& node, CControlUI* parent, CPaintManagerUI* manager) {
    if (!node.HasAttrs()) return;
    wchar_t source[kMaxIncludeSource] = {};
    int count = 1;
    if (const wchar_t* value = node.FindAttrValue(L"count")) count = attr::ToInt(value);
    if (!node.FindAttr(L"source", source, kMaxIncludeSource)) return;

    if (m_budget->includeDepth >= kMaxIncludeDepth) {
        m_budget->exhausted = true;
        return;
    }
    ++m_budget->includeDepth;
    for (int i = 0; i < count && TakeUnit(); ++i) {
        // Loaded once per build; every repetition builds from the same document.
        CSkinBuilder* builder = IncludeSource(source);
        if (builder == nullptr) break;
        CControlUI* made = builder->Create(m_callback, manager, parent);
        // Without a parent nothing else would own the included controls.
        if (parent == nullptr) delete made;
    }
    --m_budget->includeDepth;
}

CControlUI* CSkinBuilder::BuildChildren(const CXmlElement& element, CControlUI* parent, CPaintManagerUI* manager) {
    if (m_budget->exhausted) return nullptr;
    if (m_budget->nesting >= kMaxNesting) {
        m_budget->exhausted = true;
        return nullptr;
    }
    struct NestingGuard {
        int& depth;
        explicit NestingGuard(int& d) : depth(d) { ++depth; }
        ~NestingGuard() { --depth; }
    } guard(m_budget->nesting);

    IContainerUI* container = nullptr;
    CControlUI* first = nullptr;
    for (CXmlElement node = element.FirstChild(); !node.IsNull(); node = node.NextSibling()) {
        const wchar_t* name = node.Name();
        if (IsResourceElement(name)) continue;
        if (Is(name, L"Include")) {
            BuildInclude(node, parent, manager);
            if (m_budget->exhausted) break;
            continue;
        }
        if (!TakeUnit()) break;

        CUIString className(L"C");
        className += name;
        className += L"UI";
        CControlUI* control = CControlFactory::Instance().CreateControl(className);
        if (control == nullptr && m_callback != nullptr) control = m_callback->CreateControl(name);
        if (control == nullptr) continue;  // unknown element: skipped with its children

        if (node.HasChildElements()) BuildChildren(node, control, manager);

        if (parent != nullptr) {
            if (container == nullptr) {
                container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
                if (container == nullptr) {
                    // Not a container: this level ends here.
                    delete control;
                    return nullptr;
                }
            }
            if (!container->Add(control)) {
                delete control;
                continue;
            }
        }

        if (manager != nullptr) {
            control->SetManager(manager, nullptr, false);
            if (const wchar_t* defaults = manager->GetDefaultAttributeList(name)) control->ApplyAttributeString(defaults);
        }
        long long chars = 0;
        for (int i = 0; i < node.AttrCount(); ++i) {
            const wchar_t* value = node.AttrValue(i);
            chars += static_cast<long long>(std::wcslen(value));
            control->ApplyAttribute(node.AttrName(i), value);
        }
        if (manager != nullptr) control->SetManager(nullptr, nullptr, false);
        // What attribute lists (defaults and styles) applied counts too.
        TakeWork(m_budget->attributeChars, chars + control->GetAppliedListChars(), kMaxAttributeChars);
        TakeWork(m_budget->attributes, node.AttrCount() + control->GetAppliedListAttributes(), kMaxAttributes);

        if (first == nullptr) {
            first = control;
        } else if (parent == nullptr) {
            // Only the first parentless control is handed back; nothing would own the others.
            delete control;
        }
        if (m_budget->exhausted) break;
    }
    return first;
}

// ---------------------------------------------------------------- Window element

bool ApplyWindowAttribute(CPaintManagerUI* manager, const wchar_t* name, const wchar_t* value) {
    if (manager == nullptr || name == nullptr) return false;
    if (value == nullptr) value = L"";
    CShadowUI* shadow = manager->GetShadow();

    if (attr::NameIs(name, L"size")) {
        SIZE s = attr::ToSize(value);
        manager->SetInitSize(s.cx, s.cy);
    } else if (attr::NameIs(name, L"sizebox")) {
        manager->SetSizeBox(attr::ToRect(value));
    } else if (attr::NameIs(name, L"caption")) {
        manager->SetCaptionRect(attr::ToRect(value));
    } else if (attr::NameIs(name, L"roundcorner")) {
        SIZE s = attr::ToSize(value);
        manager->SetRoundCorner(s.cx, s.cy);
    } else if (attr::NameIs(name, L"mininfo")) {
        SIZE s = attr::ToSize(value);
        manager->SetMinInfo(s.cx, s.cy);
    } else if (attr::NameIs(name, L"maxinfo")) {
        SIZE s = attr::ToSize(value);
        manager->SetMaxInfo(s.cx, s.cy);
    } else if (attr::NameIs(name, L"showdirty")) {
        manager->SetShowUpdateRect(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"opacity") || attr::NameIs(name, L"alpha")) {
        manager->SetOpacity(ByteValue(value));
    } else if (attr::NameIsExactly(name, L"layeredopacity")) {
        manager->SetLayeredOpacity(ByteValue(value));
    } else if (attr::NameIsExactly(name, L"layered") || attr::NameIsExactly(name, L"bktrans")) {
        manager->SetLayered(attr::IsTrue(value));
    } else if (attr::NameIsExactly(name, L"layeredimage")) {
        manager->SetLayeredImage(attr::ImageDesc(value));
    } else if (attr::NameIsExactly(name, L"noactivate")) {
        manager->SetNoActivate(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"disabledfontcolor")) {
        manager->SetDefaultDisabledColor(HexColor(value));
    } else if (attr::NameIs(name, L"defaultfontcolor")) {
        manager->SetDefaultFontColor(HexColor(value));
    } else if (attr::NameIs(name, L"linkfontcolor")) {
        manager->SetDefaultLinkFontColor(HexColor(value));
    } else if (attr::NameIs(name, L"linkhoverfontcolor")) {
        manager->SetDefaultLinkHoverFontColor(HexColor(value));
    } else if (attr::NameIs(name, L"selectedcolor")) {
        manager->SetDefaultSelectedBkColor(HexColor(value));
    } else if (attr::NameIs(name, L"shadowsize")) {
        if (shadow != nullptr) shadow->SetSize(attr::ToInt(value));
    } else if (attr::NameIs(name, L"shadowsharpness")) {
        if (shadow != nullptr) shadow->SetSharpness(attr::ToInt(value));
    } else if (attr::NameIs(name, L"shadowdarkness")) {
        if (shadow != nullptr) shadow->SetDarkness(attr::ToInt(value));
    } else if (attr::NameIs(name, L"shadowposition")) {
        SIZE s = attr::ToSize(value);
        if (shadow != nullptr) shadow->SetPosition(s.cx, s.cy);
    } else if (attr::NameIs(name, L"shadowcolor")) {
        if (shadow != nullptr) shadow->SetColor(HexColor(value));
    } else if (attr::NameIs(name, L"shadowcorner")) {
        if (shadow != nullptr) shadow->SetShadowCorner(attr::ToRect(value));
    } else if (attr::NameIs(name, L"shadowimage")) {
        if (shadow != nullptr) shadow->SetImage(attr::ImageDesc(value));
    } else if (attr::NameIs(name, L"showshadow")) {
        if (shadow != nullptr) shadow->ShowShadow(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"gdiplustext")) {
        manager->SetUseGdiplusText(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"textrenderinghint")) {
        manager->SetGdiplusTextRenderingHint(attr::ToInt(value));
    } else if (attr::NameIs(name, L"tooltiphovertime")) {
        manager->SetHoverTime(static_cast<DWORD>(attr::ToInt(value)));
    } else {
        return false;
    }
    return true;
}

}  // namespace SkinUI
