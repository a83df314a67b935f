// CControlUI: painting in layers (colour, images, text, border).
#include <optional>

#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

bool CControlUI::PaintClipped(HDC dc, const RECT& paint, CControlUI* stop) {
    if (this == stop) return false;
    if (!::IntersectRect(&m_rcPaint, &paint, &m_rcItem)) return true;
    return PaintLayers(dc, paint, stop);
}

bool CControlUI::PaintLayers(HDC dc, const RECT& /*paint*/, CControlUI* /*stop*/) {
    const SIZE round = GetBorderRound();
    std::optional<CUIClip> clip;
    if (round.cx > 0 || round.cy > 0) clip.emplace(dc, m_rcPaint, m_rcItem, round.cx, round.cy);
    DrawBackColor(dc);
    DrawBackImage(dc);
    DrawStateImage(dc);
    DrawForeColor(dc);
    DrawForeImage(dc);
    DrawLabelText(dc);
    DrawBorder(dc);
    return true;
}

void CControlUI::DrawBackColor(HDC dc) {
    if (m_dwBackColor == 0) return;
    const bool vertical = m_sGradient.CompareNoCase(L"hor") != 0;
    if (m_dwBackColor2 == 0) {
        const DWORD color = ApplyHsl(m_dwBackColor);
        // An opaque colour only needs the damaged part; a translucent one is
        // laid over the whole item.
        if ((color >> 24) == 0xFF) {
            CUIRender::FillSolid(dc, m_rcPaint, color);
        } else {
            CUIRender::FillSolid(dc, m_rcItem, color);
        }
    } else if (m_dwBackColor3 == 0) {
        CUIRender::FillGradient(dc, m_rcItem, ApplyHsl(m_dwBackColor), ApplyHsl(m_dwBackColor2), vertical, 16);
    } else {
        const LONG middle = (m_rcItem.top + m_rcItem.bottom) / 2;
        RECT upper = m_rcItem;
        upper.bottom = middle;
        RECT lower = m_rcItem;
        lower.top = middle;
        CUIRender::FillGradient(dc, upper, ApplyHsl(m_dwBackColor), ApplyHsl(m_dwBackColor2), vertical, 8);
        CUIRender::FillGradient(dc, lower, ApplyHsl(m_dwBackColor2), ApplyHsl(m_dwBackColor3), vertical, 8);
    }
}

void CControlUI::DrawBackImage(HDC dc) {
    if (!m_sBkImage.IsEmpty()) DrawImageSpec(dc, m_sBkImage);
}

void CControlUI::DrawStateImage(HDC /*dc*/) {}

void CControlUI::DrawForeColor(HDC dc) { CUIRender::FillSolid(dc, m_rcItem, ApplyHsl(m_dwForeColor)); }

void CControlUI::DrawForeImage(HDC dc) {
    if (!m_sForeImage.IsEmpty()) DrawImageSpec(dc, m_sForeImage);
}

void CControlUI::DrawLabelText(HDC /*dc*/) {}

void CControlUI::DrawBorder(HDC dc) {
    if (m_dwBorderColor == 0 && m_dwFocusBorderColor == 0) return;
    const int size = GetBorderSize();
    const SIZE round = GetBorderRound();
    const CUIRect sides = GetBorderSizes();
    if (size >= 1 && (round.cx >= 1 || round.cy >= 1)) {
        const DWORD color = (IsFocused() && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
        CUIRender::StrokeRoundRect(dc, m_rcItem, size, round.cx, round.cy, ApplyHsl(color));
    } else if (IsFocused() && m_dwFocusBorderColor != 0 && size > 0) {
        CUIRender::StrokeRect(dc, m_rcItem, size, ApplyHsl(m_dwFocusBorderColor));
    } else if (sides.left > 0 || sides.top > 0 || sides.right > 0 || sides.bottom > 0) {
        const DWORD color = ApplyHsl(m_dwBorderColor);
        const CUIRect& rc = m_rcItem;
        if (sides.left > 0) {
            CUIRender::StrokeLine(dc, RECT{rc.left, rc.top, rc.left, rc.bottom}, sides.left, color, m_nBorderStyle);
        }
        if (sides.top > 0) {
            CUIRender::StrokeLine(dc, RECT{rc.left, rc.top, rc.right, rc.top}, sides.top, color, m_nBorderStyle);
        }
        if (sides.right > 0) {
            CUIRender::StrokeLine(dc, RECT{rc.right - 1, rc.top, rc.right - 1, rc.bottom}, sides.right, color,
                                  m_nBorderStyle);
        }
        if (sides.bottom > 0) {
            CUIRender::StrokeLine(dc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom - 1}, sides.bottom, color,
                                  m_nBorderStyle);
        }
    } else if (size >= 1) {
        CUIRender::StrokeRect(dc, m_rcItem, size, ApplyHsl(m_dwBorderColor));
    }
}

void CControlUI::DrawOverlay(HDC /*dc*/) {}

}  // namespace SkinUI
