#pragma once
// Text dump of a control tree: one line per control, indented by depth, with
// its class, name, visibility and item rectangle in client pixels:
//   VerticalLayoutUI name="" visible=1 rect=0,0,300,100

#include <string>

namespace SkinUI {
class CControlUI;
}

namespace skinview {

std::wstring DumpTree(SkinUI::CControlUI* root);

}  // namespace skinview
