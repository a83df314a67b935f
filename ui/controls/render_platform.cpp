// Run-time look-up of AlphaBlend and GradientFill in msimg32.dll.
#include "ui/controls/render_platform.h"

#include "ui/controls/render.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

struct TPlatformRoutines {
    AlphaBlendFn alphaBlend = nullptr;
    GradientFillFn gradientFill = nullptr;

    TPlatformRoutines() {
        // msimg32 stays loaded for the life of the process (the framework
        // loads it at start-up too); the handle is never freed on purpose.
        HMODULE module = LoadSystemLibrary(L"msimg32.dll");
        if (module == nullptr) return;
        alphaBlend = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(module, "AlphaBlend")));
        gradientFill =
            reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(::GetProcAddress(module, "GradientFill")));
    }
};

const TPlatformRoutines& Routines() {
    static const TPlatformRoutines routines;
    return routines;
}

bool g_forceSoftware = false;

}  // namespace

AlphaBlendFn PlatformAlphaBlend() { return g_forceSoftware ? nullptr : Routines().alphaBlend; }

GradientFillFn PlatformGradientFill() { return g_forceSoftware ? nullptr : Routines().gradientFill; }

void CUIRender::ForceSoftwareFallbacks(bool force) { g_forceSoftware = force; }

}  // namespace SkinUI
