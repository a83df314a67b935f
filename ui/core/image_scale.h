// Images for DPI scales that have no bitmap of their own: the naming rule of the
// scaled files and the resampling of a bitmap made for another scale.
#pragma once

#include <windows.h>

#include "ui/core/ui_resources.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

// The scales, in percent, that may have bitmaps of their own above 100 percent.
// A missing bitmap is looked for first at the nearest larger one of these that
// exists (drawn down), else at 100 percent (drawn up).
extern const int kImageScales[];
extern const int kImageScaleCount;

// The name of `name` (a name already carrying the "@percent." tag of `fromPercent`)
// at another scale: "btn@175.png" from 175 to 200 is "btn@200.png", to 100 "btn.png".
// False when the name carries no such tag.
bool RenameForScale(const CUIString& name, int fromPercent, int toPercent, CUIString* out);

// Resamples premultiplied 32-bit pixels (top-down rows, 4 bytes each) with a tent
// filter: bilinear when enlarging, an average over the covered pixels when reducing.
void ResamplePixels(const BYTE* src, int srcWidth, int srcHeight, BYTE* dst, int dstWidth, int dstHeight);

// A new image of the given size resampled from `src`; null when it cannot be made.
TUIImage* ResampleSkinImage(const TUIImage& src, int width, int height);

}  // namespace SkinUI
