// A GIF named wherever a skin names an image: its first frame, as a still image.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/core/ui_resources.h"

namespace SkinUI {

// The image loader's further decoder (SetExtraImageDecoder): the first frame of a GIF
// within the GIF decoder's default bounds, with pixels of the 0xAARRGGBB value `mask` (non-zero)
// made transparent; null for anything else.
TUIImage* DecodeGifSkinImage(const unsigned char* data, size_t size, DWORD mask);

}  // namespace SkinUI
