#include "attribute_probe.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <memory>

#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/widgets/widget_registry.h"

namespace skinview {

namespace {

using SkinUI::attr::EValueKind;

// A name no branch handles, so that every comparison of a chain is made.
const wchar_t kNoSuchName[] = L"?";

class NameLister final : public SkinUI::attr::IAttributeObserver {
public:
    bool OnName(const wchar_t*, const wchar_t* expected, bool caseSensitive) override {
        if (expected == nullptr) return false;
        const bool seen = std::any_of(m_names.begin(), m_names.end(),
                                      [&](const KnownName& n) { return n.name == expected; });
        if (!seen) m_names.push_back(KnownName{expected, caseSensitive});
        return false;
    }
    void OnValue(EValueKind, const wchar_t*) override {}
    std::vector<KnownName> Take() { return std::move(m_names); }

private:
    std::vector<KnownName> m_names;
};

// Lets the code run as usual and writes down what it matched and read.
class ApplyWatcher final : public SkinUI::attr::IAttributeObserver {
public:
    bool OnName(const wchar_t* name, const wchar_t* expected, bool caseSensitive) override {
        if (name == nullptr || expected == nullptr) return false;
        const bool match = caseSensitive ? std::wcscmp(name, expected) == 0 : ::_wcsicmp(name, expected) == 0;
        if (std::find(m_offered.begin(), m_offered.end(), name) == m_offered.end()) m_offered.push_back(name);
        if (match) {
            m_matched.push_back(name);
            m_current = expected;
        }
        return match;
    }
    void OnValue(EValueKind kind, const wchar_t* value) override {
        m_result.reads.push_back(ValueRead{m_current, kind, value});
    }
    bool Matched(const std::wstring& name) const {
        return std::find(m_matched.begin(), m_matched.end(), name) != m_matched.end();
    }
    const std::vector<std::wstring>& Offered() const { return m_offered; }
    ApplyResult& Result() { return m_result; }

private:
    std::vector<std::wstring> m_offered;
    std::vector<std::wstring> m_matched;
    std::wstring m_current;
    ApplyResult m_result;
};

// Whether the control keeps `name` for a further control that reads it
// (widget_registry.h): no branch of its own takes such a name.
bool IsWidgetExtraName(SkinUI::CControlUI* control, const wchar_t* name) {
    if (control == nullptr || name == nullptr) return false;
    int count = 0;
    const SkinUI::TWidgetExtraAttribute* extra = SkinUI::WidgetExtraAttributes(&count);
    for (int i = 0; i < count; ++i) {
        if (::_wcsicmp(name, extra[i].name) == 0 && control->GetInterface(extra[i].element) != nullptr) return true;
    }
    return false;
}

}  // namespace

std::vector<KnownName> ControlAttributeNames(const wchar_t* className) {
    std::unique_ptr<SkinUI::CControlUI> control(SkinUI::CControlFactory::Instance().CreateControl(className));
    if (!control) return {};
    NameLister lister;
    {
        SkinUI::attr::CObserverScope scope(&lister);
        control->ApplyAttribute(kNoSuchName, L"");
    }
    std::vector<KnownName> names = lister.Take();
    int count = 0;
    const SkinUI::TWidgetExtraAttribute* extra = SkinUI::WidgetExtraAttributes(&count);
    for (int i = 0; i < count; ++i) {
        if (IsWidgetExtraName(control.get(), extra[i].name)) names.push_back(KnownName{extra[i].name, false});
    }
    return names;
}

bool ControlIsA(const wchar_t* className, const wchar_t* elementName) {
    std::unique_ptr<SkinUI::CControlUI> control(SkinUI::CControlFactory::Instance().CreateControl(className));
    return control && control->GetInterface(elementName) != nullptr;
}

std::vector<KnownName> WindowAttributeNames() {
    SkinUI::CPaintManagerUI manager;
    NameLister lister;
    {
        SkinUI::attr::CObserverScope scope(&lister);
        SkinUI::ApplyWindowAttribute(&manager, kNoSuchName, L"");
    }
    return lister.Take();
}

std::vector<KnownName> ImageKeyNames() {
    NameLister lister;
    {
        SkinUI::attr::CObserverScope scope(&lister);
        SkinUI::TUIImageSpec spec;
        spec.ParseImageSpec(L"?='x'", nullptr, nullptr);
    }
    return lister.Take();
}

ApplyResult ApplyToControl(const wchar_t* className, const wchar_t* name, const wchar_t* value) {
    std::unique_ptr<SkinUI::CControlUI> control(SkinUI::CControlFactory::Instance().CreateControl(className));
    ApplyWatcher watcher;
    if (control) {
        SkinUI::attr::CObserverScope scope(&watcher);
        control->ApplyAttribute(name, value);
    }
    watcher.Result().known = watcher.Matched(name) || IsWidgetExtraName(control.get(), name);
    return watcher.Result();
}

ApplyResult ApplyListToControl(const wchar_t* className, const wchar_t* list, std::vector<std::wstring>& unknownNames) {
    std::unique_ptr<SkinUI::CControlUI> control(SkinUI::CControlFactory::Instance().CreateControl(className));
    ApplyWatcher watcher;
    if (control) {
        SkinUI::attr::CObserverScope scope(&watcher);
        control->ApplyAttributeString(list);
    }
    unknownNames.clear();
    for (const std::wstring& name : watcher.Offered()) {
        if (!watcher.Matched(name) && !IsWidgetExtraName(control.get(), name.c_str())) unknownNames.push_back(name);
    }
    watcher.Result().known = true;
    return watcher.Result();
}

ApplyResult ApplyToWindow(const wchar_t* name, const wchar_t* value) {
    SkinUI::CPaintManagerUI manager;
    ApplyWatcher watcher;
    bool known = false;
    {
        SkinUI::attr::CObserverScope scope(&watcher);
        known = SkinUI::ApplyWindowAttribute(&manager, name, value);
    }
    watcher.Result().known = known;
    return watcher.Result();
}

ApplyResult ParseImage(const wchar_t* description, std::vector<std::wstring>& unknownKeys, std::wstring& file,
                       std::wstring& resType) {
    ApplyWatcher watcher;
    SkinUI::TUIImageSpec spec;
    {
        SkinUI::attr::CObserverScope scope(&watcher);
        spec.ParseImageSpec(description, nullptr, nullptr);
    }
    unknownKeys.clear();
    for (const std::wstring& key : watcher.Offered()) {
        if (!watcher.Matched(key)) unknownKeys.push_back(key);
    }
    file = spec.sImageName.GetData();
    resType = spec.sResType.GetData();
    watcher.Result().known = true;
    return watcher.Result();
}

}  // namespace skinview
