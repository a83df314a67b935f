#include "ui/core/ui_resources.h"

namespace SkinUI {

void FreeSkinImage(TUIImage* image) {
    if (!image) return;
    FreeImageComposites(image->pComposites);
    if (image->hBitmap) DeleteObject(image->hBitmap);
    delete image;
}

void FreeSkinFont(TUIFont* font) {
    if (!font) return;
    if (font->hFont) DeleteObject(font->hFont);
    delete font;
}

namespace {

template <typename T, typename Free>
void FreeValues(CUIStringMap& map, Free free) {
    for (int i = 0; i < map.GetSize(); ++i) {
        const wchar_t* key = map.GetAt(i);
        if (key) free(static_cast<T*>(map.Find(key, false)));
    }
    map.RemoveAll();
}

void DeleteText(CUIString* text) { delete text; }

}  // namespace

void TUIResourceTables::FreeFonts() { FreeValues<TUIFont>(fonts, FreeSkinFont); }
void TUIResourceTables::FreeImages() { FreeValues<TUIImage>(images, FreeSkinImage); }
void TUIResourceTables::FreeAttributeLists() { FreeValues<CUIString>(attributeLists, DeleteText); }
void TUIResourceTables::FreeStyles() { FreeValues<CUIString>(styles, DeleteText); }

void TUIResourceTables::FreeAll() {
    FreeFonts();
    FreeImages();
    FreeAttributeLists();
    FreeStyles();
}

}  // namespace SkinUI
