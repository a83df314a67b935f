#include "ui/widgets/motion/motion_accessible.h"

#include <oleacc.h>

#include "ui/widgets/motion/gif_anim.h"
#include "ui/widgets/motion/ring.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

// The clock of a ring or a GIF, or null for any other control.
const CMotionClock* ClockOf(CControlUI* control) {
    if (auto* ring = static_cast<CRingUI*>(control->GetInterface(L"Ring"))) return &ring->GetClock();
    if (auto* gif = static_cast<CGifAnimUI*>(control->GetInterface(L"GifAnim"))) return &gif->GetClock();
    return nullptr;
}

LONG Role(CControlUI* control) {
    if (ClockOf(control) != nullptr) return ROLE_SYSTEM_ANIMATION;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (const CMotionClock* clock = ClockOf(control)) {
        info.state |= STATE_SYSTEM_READONLY;
        if (clock->IsTicking()) info.state |= STATE_SYSTEM_ANIMATED;
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_ANIMATION) return L"animation";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* MotionAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
