#include "ui/widgets/graphic/graphic_accessible.h"

#include <oleacc.h>

#include "ui/widgets/graphic/color_palette.h"
#include "ui/widgets/graphic/file_icon.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

CColorPaletteUI* AsPalette(CControlUI* c) { return static_cast<CColorPaletteUI*>(c->GetInterface(L"ColorPalette")); }
CFileIconUI* AsFileIcon(CControlUI* c) { return static_cast<CFileIconUI*>(c->GetInterface(L"FileIcon")); }

LONG Role(CControlUI* control) {
    if (AsPalette(control) != nullptr) return ROLE_SYSTEM_CLIENT;
    if (AsFileIcon(control) != nullptr) return ROLE_SYSTEM_GRAPHIC;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CColorPaletteUI* palette = AsPalette(control)) info.value = palette->GetColorText();
    if (CFileIconUI* icon = AsFileIcon(control)) {
        if (info.name.IsEmpty()) info.name = icon->GetDisplayName();
        info.state |= STATE_SYSTEM_READONLY;
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) { return g_next != nullptr ? g_next->roleText(role) : nullptr; }

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* GraphicAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
