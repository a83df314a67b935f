// The process-wide colour adjustment that controls with "colorhsl" apply to
// their colours (CControlUI::ApplyHsl). Neutral until a program sets it.
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {
bool g_useHsl = false;
short g_hue = 180;
short g_saturation = 100;
short g_lightness = 100;
}  // namespace

void CPaintManagerUI::SetHSL(bool use, short hue, short saturation, short lightness) {
    g_useHsl = use;
    g_hue = use ? hue : 180;
    g_saturation = use ? saturation : 100;
    g_lightness = use ? lightness : 100;
}

void CPaintManagerUI::GetHSL(short* hue, short* saturation, short* lightness) {
    if (hue != nullptr) *hue = g_useHsl ? g_hue : 180;
    if (saturation != nullptr) *saturation = g_useHsl ? g_saturation : 100;
    if (lightness != nullptr) *lightness = g_useHsl ? g_lightness : 100;
}

}  // namespace SkinUI
