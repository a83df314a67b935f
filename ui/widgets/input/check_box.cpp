#include "ui/widgets/input/check_box.h"

#include <cwchar>

namespace SkinUI {

CCheckBoxUI::CCheckBoxUI() { m_bToggles = true; }

const wchar_t* CCheckBoxUI::GetClass() const { return L"CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"CheckBox") == 0) return static_cast<CCheckBoxUI*>(this);
    return COptionUI::GetInterface(name);
}

}  // namespace SkinUI
