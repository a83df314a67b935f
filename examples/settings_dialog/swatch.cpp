#include "swatch.h"

namespace {
SkinUI::CControlUI* MakeSwatch() { return new CSwatchUI; }

BYTE Mix(DWORD color, int shift, int percent) {
    const int c = static_cast<int>((color >> shift) & 0xFF);
    return static_cast<BYTE>(255 - (255 - c) * percent / 100);
}
}  // namespace

// [guide:own-control-apply]
void CSwatchUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (SkinUI::attr::NameIs(name, L"color")) {
        m_color = SkinUI::attr::ToColor(value, true);
        SetBkColor(m_color);
    } else {
        CControlUI::ApplyAttribute(name, value);  // everything a Control takes
    }
}

void RegisterSwatch() { SkinUI::CControlFactory::Instance().RegisterControl(L"CSwatchUI", &MakeSwatch); }
// [/guide:own-control-apply]

void CSwatchUI::SetLevel(int percent) {
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    SetBkColor(0xFF000000u | (DWORD(Mix(m_color, 16, percent)) << 16) | (DWORD(Mix(m_color, 8, percent)) << 8) |
               Mix(m_color, 0, percent));
}
