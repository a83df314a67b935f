// A control class of the program's own: a square of colour, <Swatch color="#FF2B5797" />.
#pragma once

#include "SkinUI/SkinUI.h"

// [guide:own-control]
class CSwatchUI : public SkinUI::CControlUI {
public:
    const wchar_t* GetClass() const override { return L"SwatchUI"; }
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void SetLevel(int percent);  // lightens the colour towards white as the level falls

private:
    DWORD m_color = 0xFF000000;
};

// Makes <Swatch> known to every skin built after it (call once, before the first window).
void RegisterSwatch();
// [/guide:own-control]
