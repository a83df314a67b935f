// The msimg32 routines that the render engine looks up once per process, with
// a switch that makes them look missing (so the software paths can be tested).
#pragma once

#include <windows.h>

namespace SkinUI {

typedef BOOL(WINAPI* AlphaBlendFn)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
typedef BOOL(WINAPI* GradientFillFn)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// Null when the routine is missing or the software fallbacks are forced.
AlphaBlendFn PlatformAlphaBlend();
GradientFillFn PlatformGradientFill();

}  // namespace SkinUI
