#include "ui/core/ui_dpi.h"

namespace SkinUI {

void CUIDpiScale::SetDpi(UINT dpi) {
    if (dpi == 0) return;
    m_percent = MulDiv(static_cast<int>(dpi), 100, 96);
}

UINT CUIDpiScale::GetDpi() const { return static_cast<UINT>(MulDiv(m_percent, 96, 100)); }

void CUIDpiScale::SetScale(int percent) {
    if (percent > 0) m_percent = percent;
}

int CUIDpiScale::Scale(int value) const { return m_percent == 100 ? value : MulDiv(value, m_percent, 100); }

int CUIDpiScale::ScaleBack(int value) const { return m_percent == 100 ? value : MulDiv(value, 100, m_percent); }

SIZE CUIDpiScale::Scale(SIZE size) const {
    SIZE r = {Scale(size.cx), Scale(size.cy)};
    return r;
}

POINT CUIDpiScale::Scale(POINT pt) const {
    POINT r = {Scale(pt.x), Scale(pt.y)};
    return r;
}

RECT CUIDpiScale::Scale(const RECT& rc) const {
    RECT r;
    r.left = Scale(rc.left);
    r.top = Scale(rc.top);
    r.right = r.left + Scale(rc.right - rc.left);
    r.bottom = r.top + Scale(rc.bottom - rc.top);
    return r;
}

void CUIDpiScale::ScaleRect(RECT* rc) const {
    if (rc) *rc = Scale(*rc);
}

}  // namespace SkinUI
