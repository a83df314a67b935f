#pragma once
// What the skin reference says about each element and attribute, in words. The
// names themselves come from the framework's attribute code (attribute_probe.h);
// this table only describes them, and skinview --reference reports every
// applied name it cannot find here.
//
// Adding a control class: one ElementText row for the element (its notifications
// included), then one AttributeText row for each attribute its ApplyAttribute
// takes that none of its bases takes. Attributes are looked up first under the
// element itself, then under its bases, the nearest first (the classes it answers
// GetInterface for; a base the factory does not register, such as "Field", may
// have rows too). A row for an attribute a base also takes puts it in the class's
// own table: write one where the class handles it in its own way or has another
// default.

#include <cstddef>

namespace skinview {

enum AttributeFlags : unsigned {
    kPlain = 0,
    kScaled = 1,     // a geometry the window's DPI percentage scales
    kValueCase = 2,  // the value's keywords compare with letter case
};

struct AttributeText {
    const wchar_t* element;    // "Label", "Window", "Font", "Include", "imagedesc" (description keys)
    const wchar_t* name;
    const wchar_t* type;       // null: as the framework reads it (probed)
    const wchar_t* byDefault;  // what applies without the attribute
    unsigned flags;
    const wchar_t* what;       // one line
};

struct ElementText {
    const wchar_t* element;
    const wchar_t* what;           // one line
    const wchar_t* notifications;  // "type: when" entries, one per line; null: none of its own
};

const AttributeText* AttributeTexts(size_t& count);
// The reference's opening paragraph and the rules for reading values (Markdown).
const wchar_t* ReferenceIntro();
const wchar_t* ValueRules();
const ElementText* ElementTexts(size_t& count);

}  // namespace skinview
