#include "ui/widgets/motion/motion_bitmap.h"

#include <cstring>

#include "ui/controls/render.h"
#include "ui/core/dib32.h"

namespace SkinUI {

bool CMotionBitmap::Ensure(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (m_bitmap != nullptr && width == m_width && height == m_height) return true;
    Reset();
    BYTE* bits = nullptr;
    m_bitmap = CreateDib32(nullptr, width, height, &bits);
    if (m_bitmap == nullptr || bits == nullptr) {
        Reset();
        return false;
    }
    m_bits = reinterpret_cast<uint32_t*>(bits);
    m_width = width;
    m_height = height;
    std::memset(m_bits, 0, size_t(width) * size_t(height) * 4);
    return true;
}

void CMotionBitmap::Reset() {
    if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

void CMotionBitmap::Draw(HDC dc, const RECT& dest, const RECT& paint) const {
    if (m_bitmap == nullptr) return;
    ::GdiFlush();
    const RECT source = {0, 0, m_width, m_height};
    const RECT corners = {0, 0, 0, 0};
    CUIRender::PaintNineGrid(dc, m_bitmap, dest, paint, source, corners, true);
}

}  // namespace SkinUI
