#include "client_capture.h"

#include <cstring>

#include "ui/core/dib32.h"
#include "ui/core/ui_handles.h"

namespace skinview {

bool CaptureClient(HWND hWnd, Picture& picture) {
    RECT rc = {};
    if (!::GetClientRect(hWnd, &rc)) return false;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return false;

    BYTE* bits = nullptr;
    SkinUI::CUIScopedGdiObject<HBITMAP> bitmap(SkinUI::CreateDib32(nullptr, width, height, &bits));
    SkinUI::CUIScopedMemDC dc(::CreateCompatibleDC(nullptr));
    if (bitmap.Get() == nullptr || dc.Get() == nullptr || bits == nullptr) return false;
    HGDIOBJ old = ::SelectObject(dc.Get(), bitmap.Get());
    std::memset(bits, 0xFF, static_cast<size_t>(width) * height * 4);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    ::GdiFlush();
    ::SelectObject(dc.Get(), old);

    // BGRA (alpha left undefined by GDI) to opaque RGBA.
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(static_cast<size_t>(width) * height * 4);
    const uint8_t* src = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        picture.rgba[i + 0] = src[i + 2];
        picture.rgba[i + 1] = src[i + 1];
        picture.rgba[i + 2] = src[i + 0];
        picture.rgba[i + 3] = 0xFF;
    }
    return true;
}

}  // namespace skinview
