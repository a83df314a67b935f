// Reading a window's accessibility tree the way a screen reader does: through
// AccessibleObjectFromWindow and AccessibleChildren, in this or another process.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace a11y {

extern const IID kIIDAccessible;

// The client-area object of a window, or null.
IAccessible* ClientOf(HWND window);

std::wstring Name(IAccessible* acc, LONG child = CHILDID_SELF);
std::wstring Value(IAccessible* acc, LONG child = CHILDID_SELF);
LONG Role(IAccessible* acc, LONG child = CHILDID_SELF);
LONG State(IAccessible* acc, LONG child = CHILDID_SELF);
RECT Location(IAccessible* acc, LONG child = CHILDID_SELF);

std::wstring RoleText(LONG role);
// Space-separated words for the state bits a skinned window reports.
std::wstring StateText(LONG state);

// One line per element, depth-first from `acc`, indented by two spaces a level:
//   push button "关闭" state=focusable @270,0,30,30
// The location (screen pixels: left, top, width, height) is left out unless asked for.
std::wstring DumpTree(IAccessible* acc, bool withLocation = false);

// The first element (depth-first) of this role and name; the caller releases it.
IAccessible* Find(IAccessible* root, LONG role, const std::wstring& name);

std::string Utf8(const std::wstring& text);

}  // namespace a11y
