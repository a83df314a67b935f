#include "tree_dump.h"

#include "ui/controls/container.h"
#include "ui/controls/control.h"

namespace skinview {

namespace {

void DumpControl(SkinUI::CControlUI* control, int depth, std::wstring& out) {
    const SkinUI::CUIRect& rc = control->GetPos();
    out.append(static_cast<size_t>(depth) * 2, L' ');
    out += control->GetClass();
    out += L" name=\"";
    out += control->GetName().GetData();
    out += L"\" visible=";
    out += control->IsVisible() ? L"1" : L"0";
    out += L" rect=" + std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," +
           std::to_wstring(rc.right) + L"," + std::to_wstring(rc.bottom) + L"\n";
    auto* container = static_cast<SkinUI::IContainerUI*>(control->GetInterface(L"IContainer"));
    if (container == nullptr) return;
    for (int i = 0; i < container->GetCount(); ++i) DumpControl(container->GetItemAt(i), depth + 1, out);
}

}  // namespace

std::wstring DumpTree(SkinUI::CControlUI* root) {
    std::wstring out;
    if (root != nullptr) DumpControl(root, 0, out);
    return out;
}

}  // namespace skinview
