// The system's drag image over a drop target's window (drag_image.h).
#include "ui/core/drag_image.h"

#include <shlobj.h>

namespace SkinUI {

namespace {

const CLSID kDragDropHelper = {0x4657278A, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};
const IID kDropTargetHelper = {0x4657278B, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};

}  // namespace

void CDragImageTarget::StartDragImage() noexcept {
    if (m_pImage == nullptr) {
        ::CoCreateInstance(kDragDropHelper, nullptr, CLSCTX_INPROC_SERVER, kDropTargetHelper,
                           reinterpret_cast<void**>(&m_pImage));
    }
}

void CDragImageTarget::StopDragImage() noexcept {
    IDropTargetHelper* image = m_pImage;
    m_pImage = nullptr;
    if (image != nullptr) image->Release();
}

void CDragImageTarget::PassDragImage(int step, HWND window, IDataObject* data, POINTL pt, DWORD effect) noexcept {
    IDropTargetHelper* image = m_pImage;
    POINT at = {pt.x, pt.y};
    if (image == nullptr) return;
    switch (step) {
        case kImageEnter:
            if (data != nullptr) image->DragEnter(window, data, &at, effect);
            break;
        case kImageOver:
            image->DragOver(&at, effect);
            break;
        case kImageLeave:
            image->DragLeave();
            break;
        default:
            if (data != nullptr) image->Drop(data, &at, effect);
            break;
    }
}

}  // namespace SkinUI
