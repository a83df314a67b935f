// Text: GDI DrawTextW, or GDI+ when the window paints layered or asks for it.
#include <cwchar>

#include "ui/controls/gdi_guards.h"
#include "ui/controls/gdiplus_flat.h"
#include "ui/controls/gdiplus_session.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

inline COLORREF ToColorRef(DWORD c) {
    return RGB(static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c));
}

}  // namespace

// False when GDI+ cannot start or cannot take the font (GDI+ handles TrueType
// and OpenType faces only); the caller then draws with GDI so the text is not lost.
bool PaintTextGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, int length, DWORD color,
                      HFONT font, UINT style) {
    if (!GdiplusReady()) return false;
    CSelectGuard selFont(dc, font);
    CGdipFont gpFont;
    if (gp::GdipCreateFontFromDC(dc, gpFont.Out()) != Gdiplus::Ok) return false;
    CGdipGraphics graphics;
    if (gp::GdipCreateFromHDC(dc, graphics.Out()) != Gdiplus::Ok) return false;
    gp::GdipSetTextRenderingHint(graphics.Get(),
                                 static_cast<Gdiplus::TextRenderingHint>(manager->GetGdiplusTextRenderingHint()));
    gp::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeHighQuality);
    gp::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic);

    Gdiplus::GpStringFormat* generic = nullptr;
    if (gp::GdipStringFormatGetGenericTypographic(&generic) != Gdiplus::Ok) return false;
    CGdipStringFormat format;
    if (gp::GdipCloneStringFormat(generic, format.Out()) != Gdiplus::Ok) return false;
    if (style & DT_END_ELLIPSIS) gp::GdipSetStringFormatTrimming(format.Get(), Gdiplus::StringTrimmingEllipsisCharacter);
    INT flags = 0;
    gp::GdipGetStringFormatFlags(format.Get(), &flags);
    if (style & DT_NOCLIP) flags |= Gdiplus::StringFormatFlagsNoClip;
    if (style & DT_SINGLELINE) flags |= Gdiplus::StringFormatFlagsNoWrap;
    gp::GdipSetStringFormatFlags(format.Get(), flags);
    Gdiplus::StringAlignment h = (style & DT_CENTER)  ? Gdiplus::StringAlignmentCenter
                                 : (style & DT_RIGHT) ? Gdiplus::StringAlignmentFar
                                                      : Gdiplus::StringAlignmentNear;
    Gdiplus::StringAlignment v = (style & DT_VCENTER)  ? Gdiplus::StringAlignmentCenter
                                 : (style & DT_BOTTOM) ? Gdiplus::StringAlignmentFar
                                                       : Gdiplus::StringAlignmentNear;
    gp::GdipSetStringFormatAlign(format.Get(), h);
    gp::GdipSetStringFormatLineAlign(format.Get(), v);

    Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rc.left), static_cast<Gdiplus::REAL>(rc.top),
                          static_cast<Gdiplus::REAL>(rc.right - rc.left),
                          static_cast<Gdiplus::REAL>(rc.bottom - rc.top));
    if (style & DT_CALCRECT) {
        Gdiplus::RectF bounds;
        gp::GdipMeasureString(graphics.Get(), text, length, gpFont.Get(), &layout, format.Get(), &bounds, nullptr,
                              nullptr);
        rc.right = rc.left + static_cast<LONG>(bounds.Width) + 1;
        rc.bottom = rc.top + static_cast<LONG>(bounds.Height) + 1;
        return true;
    }
    // Alpha 0xFE keeps the text from being taken for opaque background.
    CGdipBrush brush;
    const DWORD argb = (color & 0x00FFFFFFu) | 0xFE000000u;
    if (gp::GdipCreateSolidFill(argb, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Out())) != Gdiplus::Ok) {
        return true;
    }
    gp::GdipDrawString(graphics.Get(), text, length, gpFont.Get(), &layout, format.Get(), brush.Get());
    return true;
}

namespace {

void PaintTextGdi(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color, int font,
                  UINT style) {
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(dc, ToColorRef(color));
    {
        CSelectGuard selFont(dc, manager->GetFont(font));
        const wchar_t* entity = std::wcsstr(text, L"&#x");
        if (entity != nullptr) {
            // Only the character whose hexadecimal code follows "&#x" is drawn.
            CUIString code(entity + 3);
            code = code.Left(4);
            if (code.GetLength() > 0 && code[code.GetLength() - 1] == L' ') code = code.Left(code.GetLength() - 1);
            if (code.GetLength() > 0 && code[code.GetLength() - 1] == L';') code = code.Left(code.GetLength() - 1);
            // No hexadecimal digits (or code 0): nothing to draw.
            wchar_t* end = nullptr;
            const unsigned long value = std::wcstoul(code.GetData(), &end, 16);
            wchar_t glyph[2] = {static_cast<wchar_t>(value), 0};
            if (end != code.GetData() && glyph[0] != 0) ::DrawTextW(dc, glyph, 1, &rc, style);
        } else {
            ::DrawTextW(dc, text, -1, &rc, style);
        }
    }
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

}  // namespace

void CUIRender::PaintText(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color, int font,
                          UINT style) {
    if (dc == nullptr || manager == nullptr || text == nullptr || *text == 0) return;
    if ((manager->IsLayered() || manager->IsUseGdiplusText()) &&
        PaintTextGdiplus(dc, manager, rc, text, -1, color, manager->GetFont(font), style)) {
        return;
    }
    PaintTextGdi(dc, manager, rc, text, color, font, style);
}

SIZE CUIRender::MeasureText(HDC dc, CPaintManagerUI* manager, const wchar_t* text, int font) {
    SIZE size = {0, 0};
    if (dc == nullptr || manager == nullptr || text == nullptr || *text == 0) return size;
    CSelectGuard selFont(dc, manager->GetFont(font));
    ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    return size;
}

}  // namespace SkinUI
