#pragma once
// Text dump of a window's accessibility tree, as a screen reader reads it: one
// line per element, indented by depth, with its role, name, value, state and
// rectangle in client pixels:
//   push button "关闭" state=focusable,focused rect=270,0,300,30

#include <windows.h>

#include <string>

namespace SkinUI {
class CPaintManagerUI;
}

namespace skinview {

std::wstring DumpAccessibleTree(SkinUI::CPaintManagerUI& manager);

}  // namespace skinview
