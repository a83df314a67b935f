#pragma once
// Asks the framework's own attribute code what it takes: the names a control
// class, the Window element or an image description compares against, and the
// readers an applied value goes through. Nothing here keeps a list of its own.

#include <string>
#include <vector>

#include "ui/controls/attribute_values.h"

namespace skinview {

struct KnownName {
    std::wstring name;
    bool caseSensitive = false;
};

// One value reader called while applying: the attribute it belongs to (the
// name last matched) and the text it read.
struct ValueRead {
    std::wstring attribute;
    SkinUI::attr::EValueKind kind;
    std::wstring value;
};

struct ApplyResult {
    bool known = false;           // some branch took the attribute
    std::vector<ValueRead> reads;
};

// Names a registered control class ("CButtonUI") applies, its bases' included.
std::vector<KnownName> ControlAttributeNames(const wchar_t* className);
std::vector<KnownName> WindowAttributeNames();
std::vector<KnownName> ImageKeyNames();
// Whether a fresh control of the class answers GetInterface(name): true for the
// class's own element name and those of every class it is built on.
bool ControlIsA(const wchar_t* className, const wchar_t* elementName);

// Applies one attribute to a fresh control of the class (no window, no
// manager) and reports what happened.
ApplyResult ApplyToControl(const wchar_t* className, const wchar_t* name, const wchar_t* value);
// Applies an attribute list (a style or default list) to a fresh control of
// the class: `unknownNames` gets the names no branch took.
ApplyResult ApplyListToControl(const wchar_t* className, const wchar_t* list, std::vector<std::wstring>& unknownNames);
// Applies one attribute of the Window element to a scratch paint manager.
ApplyResult ApplyToWindow(const wchar_t* name, const wchar_t* value);
// Parses an image description: `unknownKeys` gets the keys no branch took.
ApplyResult ParseImage(const wchar_t* description, std::vector<std::wstring>& unknownKeys, std::wstring& file,
                       std::wstring& resType);

}  // namespace skinview
