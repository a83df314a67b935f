// CCheckBoxUI: an option that toggles, the framework's check box.
//
// A click, Space while it has the focus, or a screen reader's default action
// checks or clears it; "selectchanged" reports each change. It takes the
// option's attributes: "selected" is the checked state from markup, and the
// "selected..." images and colours draw the checked box. A check box is a tab
// stop of its own and leaves the arrow keys alone; given a "group", checking it
// clears the others of that group.
#pragma once

#include "ui/widgets/input/option.h"

namespace SkinUI {

class CCheckBoxUI : public COptionUI {
public:
    CCheckBoxUI();

    const wchar_t* GetClass() const override;          // "CheckBoxUI"
    void* GetInterface(const wchar_t* name) override;  // "CheckBox", and the option's

    bool IsChecked() const { return IsSelected(); }
    void SetCheck(bool checked, bool notify = true) { Selected(checked, notify); }
};

}  // namespace SkinUI
