#include "accessible_dump.h"

#include <oleacc.h>

#include <vector>

#include "ui/controls/control.h"
#include "ui/core/accessible_model.h"
#include "ui/core/paint_manager.h"

namespace skinview {

namespace {

void DumpLine(const SkinUI::TUIAccessibleInfo& info, int depth, std::wstring& out) {
    out.append(static_cast<size_t>(depth) * 2, L' ');
    out += SkinUI::Accessible::RoleText(info.role).GetData();
    out += L" \"";
    out += info.name.GetData();
    out += L"\"";
    if (!info.value.IsEmpty()) out += std::wstring(L" value=") + info.value.GetData();
    out += std::wstring(L" state=") + SkinUI::Accessible::StateText(info.state).GetData();
    const RECT& rc = info.location;
    out += L" rect=" + std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) +
           L"," + std::to_wstring(rc.bottom) + L"\n";
}

void DumpChildren(SkinUI::CPaintManagerUI& manager, SkinUI::CControlUI* parent, int depth, std::wstring& out) {
    std::vector<SkinUI::CControlUI*> children;
    SkinUI::Accessible::ChildrenOf(&manager, parent, children);
    for (SkinUI::CControlUI* child : children) {
        DumpLine(SkinUI::Accessible::Describe(child), depth, out);
        DumpChildren(manager, child, depth + 1, out);
    }
}

}  // namespace

std::wstring DumpAccessibleTree(SkinUI::CPaintManagerUI& manager) {
    HWND window = manager.GetPaintWindow();
    SkinUI::TUIAccessibleInfo client;
    client.role = ROLE_SYSTEM_CLIENT;
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    client.name = title;
    client.state = STATE_SYSTEM_FOCUSABLE;
    ::GetClientRect(window, &client.location);
    std::wstring out;
    DumpLine(client, 0, out);
    DumpChildren(manager, nullptr, 1, out);
    return out;
}

}  // namespace skinview
