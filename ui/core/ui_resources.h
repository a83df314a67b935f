// Records of decoded images and fonts, and the four named resource tables that
// every paint manager keeps (and that exist once more, shared, per process).
#pragma once

#include <windows.h>

#include "ui/core/ui_string.h"
#include "ui/core/ui_string_map.h"

namespace SkinUI {

// Drawings of an image kept at their destination sizes (owned by the image record).
struct TUIImageComposites;
void FreeImageComposites(TUIImageComposites* composites);

// One decoded image: a 32-bit top-down DIB section holding premultiplied BGRA.
// Owned by the table it is registered in; freed with FreeSkinImage.
struct TUIImage {
    HBITMAP hBitmap = nullptr;
    BYTE* pBits = nullptr;      // the DIB section's pixels (width * height * 4 bytes)
    int nWidth = 0;
    int nHeight = 0;
    bool bAlpha = false;        // some pixel is not opaque, or was cleared by the mask
    CUIString sResType;         // resource type given at registration (empty for files)
    DWORD dwMask = 0;           // 0xAARRGGBB value made transparent (0: none)
    mutable TUIImageComposites* pComposites = nullptr;  // drawings composed from it, made when drawn
};

// One font. Owned by its table; the HFONT is owned by the record.
struct TUIFont {
    HFONT hFont = nullptr;
    CUIString sFontName;        // face name
    int iSize = 0;              // size as written in the skin, before DPI scaling
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICW tm = {};        // tmHeight 0: not measured yet
};

// The named tables of one paint manager (or the shared ones). Values:
//   fonts:          TUIFont*, key = font id in decimal
//   images:         TUIImage*, key = image name
//   attributeLists: CUIString* (attribute text), key = element name
//   styles:         CUIString* (attribute text), key = style name
struct TUIResourceTables {
    CUIStringMap fonts;
    CUIStringMap images;
    CUIStringMap attributeLists;
    CUIStringMap styles;

    // Frees every value and empties the maps.
    void FreeAll();
    void FreeFonts();
    void FreeImages();
    void FreeAttributeLists();
    void FreeStyles();
};

void FreeSkinImage(TUIImage* image);
void FreeSkinFont(TUIFont* font);

}  // namespace SkinUI
