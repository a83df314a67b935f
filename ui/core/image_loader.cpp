#include "ui/core/image_loader.h"

#include <cstring>

#include "stb_image.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/resource_settings.h"
#include "ui/core/ui_buffer.h"
#include "ui/core/ui_handles.h"

namespace SkinUI {

namespace {

struct StbPixels {
    unsigned char* p = nullptr;
    ~StbPixels() {
        if (p) stbi_image_free(p);
    }
};

TExtraImageDecoder g_extraDecoder = nullptr;

}  // namespace

void SetExtraImageDecoder(TExtraImageDecoder decoder) { g_extraDecoder = decoder; }

TUIImage* DecodeSkinImage(const unsigned char* data, size_t size, DWORD mask) {
    if (!data || size == 0 || size > 0x7FFFFFFF) return nullptr;
    // Look at the header first: refuse what is not an image or is too large
    // before the decoder allocates anything for the pixels.
    int w = 0, h = 0, comp = 0;
    if (!stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &comp)) {
        return g_extraDecoder ? g_extraDecoder(data, size, mask) : nullptr;
    }
    if (w <= 0 || h <= 0 || w > kMaxImageDimension || h > kMaxImageDimension) return nullptr;
    if (static_cast<unsigned long long>(w) * static_cast<unsigned long long>(h) > kMaxImagePixels) return nullptr;

    StbPixels pixels;
    int dw = 0, dh = 0, dcomp = 0;
    pixels.p = stbi_load_from_memory(data, static_cast<int>(size), &dw, &dh, &dcomp, 4);
    if (!pixels.p || dw != w || dh != h) return nullptr;

    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4u;
    void* bits = nullptr;
    CUIScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits) return nullptr;

    bool hasAlpha = false;
    const unsigned char* src = pixels.p;
    BYTE* dst = static_cast<BYTE*>(bits);
    const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    for (size_t i = 0; i < count; ++i, src += 4, dst += 4) {
        const unsigned a = src[3];
        dst[3] = static_cast<BYTE>(a);
        if (a == 255) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        } else {
            dst[0] = static_cast<BYTE>(src[2] * a / 255);
            dst[1] = static_cast<BYTE>(src[1] * a / 255);
            dst[2] = static_cast<BYTE>(src[0] * a / 255);
            hasAlpha = true;
        }
        const DWORD value = (static_cast<DWORD>(dst[3]) << 24) | (static_cast<DWORD>(dst[2]) << 16) |
                            (static_cast<DWORD>(dst[1]) << 8) | dst[0];
        if (mask != 0 && value == mask) {
            dst[0] = dst[1] = dst[2] = dst[3] = 0;
            hasAlpha = true;
        }
    }

    TUIImage* image = new TUIImage;
    image->hBitmap = bitmap.Release();
    image->pBits = static_cast<BYTE*>(bits);
    image->nWidth = w;
    image->nHeight = h;
    image->bAlpha = hasAlpha;
    image->dwMask = mask;
    return image;
}

bool ReadModuleResource(HINSTANCE instance, const wchar_t* nameOrId, const wchar_t* type, CUIBuffer& out) {
    out.Free();
    if (!nameOrId || !type) return false;
    HMODULE module = instance ? instance : CUIResourceSettings::GetInstance();
    HRSRC res = FindResourceW(module, nameOrId, type);
    if (!res) return false;
    HGLOBAL loaded = LoadResource(module, res);
    if (!loaded) return false;
    const DWORD size = SizeofResource(module, res);
    const void* bytes = LockResource(loaded);
    if (!bytes || size == 0) return false;
    if (!out.Allocate(size, 2)) return false;
    memcpy(out.Data(), bytes, size);
    return true;
}

TUIImage* LoadSkinImage(const wchar_t* nameOrId, const wchar_t* type, DWORD mask, HINSTANCE instance) {
    if (!nameOrId) return nullptr;
    CUIBuffer bytes;
    if (type && *type) {
        if (!ReadModuleResource(instance, nameOrId, type, bytes)) return nullptr;
    } else {
        if (IS_INTRESOURCE(nameOrId)) return nullptr;
        const wchar_t* name = nameOrId;
        const wchar_t* mapped = CUIResourceCatalog::Instance().GetImagePath(name);
        if (mapped) name = mapped;
        if (!CUIResourceSettings::ReadResourceFile(name, bytes)) return nullptr;
    }
    TUIImage* image = DecodeSkinImage(bytes.Data(), bytes.Size(), mask);
    return image;
}

}  // namespace SkinUI
