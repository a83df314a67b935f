#include "ui/widgets/layout/child_layout.h"

#include <vector>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"

namespace SkinUI {

namespace {

// The chain of child layouts being built on this thread: a build's child joins
// the window (and its own child layouts build) before the build returns.
struct TBuildChain {
    std::vector<const wchar_t*> files;  // outermost first
    int controls = 0;                   // built by the whole chain so far
};

TBuildChain& Chain() {
    static thread_local TBuildChain chain;
    return chain;
}

int CountTree(CControlUI* control) {
    int count = 1;
    if (auto* container = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"))) {
        for (int i = 0; i < container->GetCount(); ++i) {
            if (CControlUI* child = container->GetItemAt(i)) count += CountTree(child);
        }
    }
    return count;
}

}  // namespace

CChildLayoutUI::CChildLayoutUI() = default;

const wchar_t* CChildLayoutUI::GetClass() const { return L"ChildLayoutUI"; }

void* CChildLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ChildLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

void CChildLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"xmlfile")) {
        SetChildLayoutXML(value);
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

void CChildLayoutUI::InitializeSelf() {
    m_bInitialized = true;
    Build();
}

void CChildLayoutUI::SetChildLayoutXML(const wchar_t* file) {
    m_sXmlFile = file != nullptr ? file : L"";
    if (m_bInitialized) Build();
}

void CChildLayoutUI::Build() {
    if (m_pManager == nullptr || m_sXmlFile == m_sBuilt) return;
    m_sBuilt = m_sXmlFile;
    RemoveAll();
    if (m_sXmlFile.IsEmpty()) return;

    TBuildChain& chain = Chain();
    if (chain.files.empty()) chain.controls = 0;  // a chain of its own
    if (static_cast<int>(chain.files.size()) >= kMaxDepth || chain.controls >= kMaxControls) return;
    for (const wchar_t* file : chain.files) {
        if (::_wcsicmp(file, m_sXmlFile) == 0) return;  // it is being built further up
    }

    // The name stays alive on the chain: this layout is not destroyed while it builds.
    const CUIString file = m_sXmlFile;
    chain.files.push_back(file);
    CSkinBuilder builder;
    CControlUI* child = builder.Create(file, nullptr, nullptr, m_pManager, nullptr);
    if (child != nullptr) {
        chain.controls += CountTree(child);
        Add(child);  // its own child layouts build here, further down the chain
    }
    chain.files.pop_back();
}

}  // namespace SkinUI
