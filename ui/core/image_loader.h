// Decoding skin images (PNG, JPEG, and formats a program adds) into premultiplied 32-bit DIB sections.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/core/ui_buffer.h"
#include "ui/core/ui_resources.h"

namespace SkinUI {

// Images wider or higher than this, or with more pixels than kMaxImagePixels,
// are refused before any pixel memory is allocated.
const int kMaxImageDimension = 16384;
const unsigned long long kMaxImagePixels = 32ull * 1024ull * 1024ull;

// Decodes encoded image bytes. Every pixel becomes premultiplied BGRA; a pixel
// whose 0xAARRGGBB value equals `mask` (non-zero) becomes fully transparent.
// Null for bytes that are not a supported image or claim enormous dimensions.
TUIImage* DecodeSkinImage(const unsigned char* data, size_t size, DWORD mask);

// A decoder of further formats, given the bytes that are neither PNG nor JPEG: a new
// image made as DecodeSkinImage makes one, or null. The core knows none of its own;
// the further controls' registration sets one (null removes it).
typedef TUIImage* (*TExtraImageDecoder)(const unsigned char* data, size_t size, DWORD mask);
void SetExtraImageDecoder(TExtraImageDecoder decoder);

// Loads an image by name or resource identifier:
//  - with `type`: the resource `nameOrId` of that type from `instance` (or the
//    framework's module instance);
//  - without: the name (or the catalogue's path for an image id) read from the
//    file system or archive, then as a bare path.
// Null when nothing could be read or decoded.
TUIImage* LoadSkinImage(const wchar_t* nameOrId, const wchar_t* type, DWORD mask, HINSTANCE instance);

// Copies the bytes of a module resource; false when it is missing or empty.
bool ReadModuleResource(HINSTANCE instance, const wchar_t* nameOrId, const wchar_t* type,
                        CUIBuffer& out);

}  // namespace SkinUI
