// Drawings of an image at a destination size, composed once and kept: a nine-grid (or a
// stretched or tiled image) drawn again at the same size becomes one unscaled blit of a
// ready premultiplied bitmap, and its memory DC is set up once.
#pragma once

#include <windows.h>

#include "ui/core/ui_resources.h"

namespace SkinUI {

// How an image is drawn into a destination of a given size.
struct TCompositeKey {
    RECT source;
    RECT corners;
    int width;
    int height;
    bool alpha;
    bool hole;
    bool xTiled;
    bool yTiled;
};

// Draws `image` as PaintNineGrid would, from a composed bitmap when this drawing was
// made before; false when the drawing is not one to compose (it is then not drawn).
// Only the part of `dest` inside `paint` is copied.
bool PaintComposite(HDC dc, const TUIImage& image, const RECT& dest, const RECT& paint, const TCompositeKey& key,
                    BYTE fade);

}  // namespace SkinUI
