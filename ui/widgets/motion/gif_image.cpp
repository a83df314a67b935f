#include "ui/widgets/motion/gif_image.h"

#include "ui/core/dib32.h"
#include "ui/widgets/motion/gif_decoder.h"

namespace SkinUI {

TUIImage* DecodeGifSkinImage(const unsigned char* data, size_t size, DWORD mask) {
    // The GIF bounds, tighter than the loader's own: a few bytes of GIF can claim a whole
    // screen, where a PNG must carry its pixels' data.
    TGifLimits limits;
    limits.maxFrames = 1;
    TGifAnimation gif;
    if (!DecodeGif(data, size, gif, limits)) return nullptr;

    BYTE* bits = nullptr;
    const HBITMAP bitmap = CreateDib32(nullptr, gif.width, gif.height, &bits);
    if (!bitmap) return nullptr;
    uint32_t* out = reinterpret_cast<uint32_t*>(bits);
    bool hasAlpha = false;
    for (uint32_t pixel : gif.frames[0].pixels) {
        if (mask != 0 && pixel == mask) pixel = 0;
        hasAlpha = hasAlpha || (pixel >> 24) != 0xFF;
        *out++ = pixel;
    }
    TUIImage* image = new TUIImage;
    image->hBitmap = bitmap;
    image->pBits = bits;
    image->nWidth = gif.width;
    image->nHeight = gif.height;
    image->bAlpha = hasAlpha;
    image->dwMask = mask;
    return image;
}

}  // namespace SkinUI
