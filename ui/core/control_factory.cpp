#include "ui/core/control_factory.h"

#include <cwctype>
#include <mutex>

#include "ui/controls/button.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/vertical_layout.h"

namespace SkinUI {

namespace {

std::mutex g_factoryLock;
CControlFactory* g_factory = nullptr;

template <class T>
CControlUI* Make() {
    return new T;
}

}  // namespace

CControlFactory& CControlFactory::Instance() {
    std::lock_guard<std::mutex> lock(g_factoryLock);
    if (g_factory == nullptr) g_factory = new CControlFactory;
    return *g_factory;
}

void CControlFactory::Release() {
    std::lock_guard<std::mutex> lock(g_factoryLock);
    delete g_factory;
    g_factory = nullptr;
}

// The classes a skin can name. The framework's other controls (lists, trees,
// edits, menus, ...) are not part of this build, so their names create nothing.
CControlFactory::CControlFactory() {
    RegisterControl(L"CControlUI", &Make<CControlUI>);
    RegisterControl(L"CContainerUI", &Make<CContainerUI>);
    RegisterControl(L"CButtonUI", &Make<CButtonUI>);
    RegisterControl(L"CLabelUI", &Make<CLabelUI>);
    RegisterControl(L"CProgressUI", &Make<CProgressUI>);
    RegisterControl(L"CHorizontalLayoutUI", &Make<CHorizontalLayoutUI>);
    RegisterControl(L"CVerticalLayoutUI", &Make<CVerticalLayoutUI>);
}

std::wstring CControlFactory::Key(const wchar_t* className) {
    std::wstring key(className != nullptr ? className : L"");
    for (wchar_t& ch : key) ch = static_cast<wchar_t>(std::towlower(ch));
    return key;
}

CControlUI* CControlFactory::CreateControl(const wchar_t* className) const {
    auto it = m_classes.find(Key(className));
    return it != m_classes.end() ? it->second.create() : nullptr;
}

void CControlFactory::RegisterControl(const wchar_t* className, CreateControlFn create) {
    if (create != nullptr) m_classes[Key(className)] = TEntry{create, className != nullptr ? className : L""};
}

std::vector<std::wstring> CControlFactory::ClassNames() const {
    std::vector<std::wstring> names;
    for (const auto& entry : m_classes) names.push_back(entry.second.name);
    return names;
}

}  // namespace SkinUI
