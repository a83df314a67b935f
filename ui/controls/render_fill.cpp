// Solid and gradient fills, lines and outlines, and the HSL colour adjustment.
#include <cmath>
#include <mutex>

#include "ui/controls/gdi_guards.h"
#include "ui/controls/gdiplus_flat.h"
#include "ui/controls/gdiplus_session.h"
#include "ui/controls/render.h"
#include "ui/controls/render_platform.h"

namespace SkinUI {

namespace {

inline BYTE A(DWORD c) { return static_cast<BYTE>(c >> 24); }
inline BYTE R(DWORD c) { return static_cast<BYTE>(c >> 16); }
inline BYTE G(DWORD c) { return static_cast<BYTE>(c >> 8); }
inline BYTE B(DWORD c) { return static_cast<BYTE>(c); }
// 0xAARRGGBB to the platform's 0x00BBGGRR.
inline COLORREF ToColorRef(DWORD c) { return RGB(R(c), G(c), B(c)); }

// Band count of the banded gradient for a step count.
int BandCount(int steps) {
    if (steps >= 64) return 64;
    if (steps >= 32) return 32;
    if (steps >= 16) return 16;
    if (steps >= 8) return 8;
    if (steps >= 4) return 4;
    return 2;
}

// Draws an opaque gradient over `rc` of `dc`.
void DrawGradient(HDC dc, const RECT& rc, DWORD c1, DWORD c2, bool vertical, int steps) {
    if (GradientFillFn fill = PlatformGradientFill()) {
        TRIVERTEX v[2] = {};
        v[0].x = rc.left;
        v[0].y = rc.top;
        v[0].Red = static_cast<COLOR16>(R(c1) << 8);
        v[0].Green = static_cast<COLOR16>(G(c1) << 8);
        v[0].Blue = static_cast<COLOR16>(B(c1) << 8);
        v[0].Alpha = 0xFF00;
        v[1].x = rc.right;
        v[1].y = rc.bottom;
        v[1].Red = static_cast<COLOR16>(R(c2) << 8);
        v[1].Green = static_cast<COLOR16>(G(c2) << 8);
        v[1].Blue = static_cast<COLOR16>(B(c2) << 8);
        v[1].Alpha = 0xFF00;
        GRADIENT_RECT gr = {0, 1};
        fill(dc, v, 2, &gr, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    // Bands counted from the bottom (or right) edge.
    const int n = BandCount(steps);
    const int len = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    for (int i = 0; i < n; ++i) {
        BYTE r = static_cast<BYTE>((R(c2) * (n - i) + R(c1) * i) / n);
        BYTE g = static_cast<BYTE>((G(c2) * (n - i) + G(c1) * i) / n);
        BYTE b = static_cast<BYTE>((B(c2) * (n - i) + B(c1) * i) / n);
        RECT band = rc;
        if (vertical) {
            band.bottom = rc.bottom - (i * len) / n;
            band.top = rc.bottom - ((i + 1) * len) / n;
        } else {
            band.right = rc.right - (i * len) / n;
            band.left = rc.right - ((i + 1) * len) / n;
        }
        if (band.right <= band.left || band.bottom <= band.top) continue;
        CGdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(r, g, b)));
        if (brush) ::FillRect(dc, &band, brush.Get());
    }
}

// One opaque 32-bit pixel in a memory DC, kept for the process: stretched over a
// rectangle it fills with that colour, alpha byte included, within the target's clip and
// mapping. Making a pattern brush for each fill would create a DIB section each time,
// which costs more than the fill itself.
class COnePixel {
public:
    COnePixel() {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = 1;
        bmi.bmiHeader.biHeight = 1;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_dc = ::CreateCompatibleDC(nullptr);
        if (m_bitmap != nullptr && m_dc != nullptr && bits != nullptr) {
            m_old = ::SelectObject(m_dc, m_bitmap);
            m_pixel = static_cast<DWORD*>(bits);
        }
    }
    ~COnePixel() {
        if (m_dc != nullptr) {
            if (m_old != nullptr) ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
        if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    }
    COnePixel(const COnePixel&) = delete;
    COnePixel& operator=(const COnePixel&) = delete;

    bool Fill(HDC dc, const RECT& rc, DWORD color) {
        if (m_pixel == nullptr) return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        *m_pixel = color;
        const int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
        const BOOL ok = ::StretchBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_dc, 0, 0, 1, 1,
                                     SRCCOPY);
        if (mode != 0) ::SetStretchBltMode(dc, mode);
        return ok != FALSE;
    }

private:
    std::mutex m_mutex;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_pixel = nullptr;
};

}  // namespace

void CUIRender::FillSolid(HDC dc, const RECT& rc, DWORD color) {
    if (dc == nullptr || A(color) == 0) return;
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    static COnePixel onePixel;
    if (A(color) == 0xFF && onePixel.Fill(dc, rc, color)) return;
    if (A(color) == 0xFF) {
        // An opaque fill blends nothing: a brush of one opaque 32-bit pixel
        // gives the same pixels as GDI+ (alpha byte included) at a fraction of
        // the cost, within the dc's clip and mapping.
        struct {
            BITMAPINFOHEADER header;
            DWORD pixel;
        } packed = {};
        packed.header.biSize = sizeof(BITMAPINFOHEADER);
        packed.header.biWidth = 1;
        packed.header.biHeight = 1;
        packed.header.biPlanes = 1;
        packed.header.biBitCount = 32;
        packed.header.biCompression = BI_RGB;
        packed.pixel = color;
        CGdiObject<HBRUSH> brush(::CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS));
        if (brush) {
            ::FillRect(dc, &rc, brush.Get());
            return;
        }
    }
    if (!GdiplusReady()) return;
    CGdipGraphics graphics;
    if (gp::GdipCreateFromHDC(dc, graphics.Out()) != Gdiplus::Ok) return;
    CGdipBrush brush;
    if (gp::GdipCreateSolidFill(color, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Out())) != Gdiplus::Ok) return;
    gp::GdipFillRectangleI(graphics.Get(), brush.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CUIRender::FillGradient(HDC dc, const RECT& rc, DWORD color1, DWORD color2, bool vertical, int steps) {
    if (dc == nullptr) return;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return;
    const BYTE alpha = static_cast<BYTE>((A(color1) + A(color2)) / 2);
    if (alpha == 0) return;
    if (alpha == 255) {
        DrawGradient(dc, rc, color1, color2, vertical, steps);
        return;
    }
    // Translucent: draw off-screen, then blend with the average alpha.
    CMemoryDC mem(dc);
    CDibSection bits(dc, width, height);
    if (!mem || !bits) return;
    CSelectGuard sel(mem.Get(), bits.Get());
    RECT local = {0, 0, width, height};
    DrawGradient(mem.Get(), local, color1, color2, vertical, steps);
    Blend(dc, rc.left, rc.top, width, height, mem.Get(), 0, 0, width, height, alpha, false);
}

void CUIRender::StrokeLine(HDC dc, const RECT& rc, int width, DWORD color, int penStyle) {
    if (dc == nullptr) return;
    CGdiObject<HPEN> pen(::CreatePen(penStyle, width, ToColorRef(color)));
    if (!pen) return;
    CSelectGuard sel(dc, pen.Get());
    POINT old;
    ::MoveToEx(dc, rc.left, rc.top, &old);
    ::LineTo(dc, rc.right, rc.bottom);
    ::MoveToEx(dc, old.x, old.y, nullptr);
}

void CUIRender::StrokeRect(HDC dc, const RECT& rc, int width, DWORD color) {
    if (dc == nullptr || !GdiplusReady()) return;
    CGdipGraphics graphics;
    if (gp::GdipCreateFromHDC(dc, graphics.Out()) != Gdiplus::Ok) return;
    CGdipPen pen;
    if (gp::GdipCreatePen1(color, static_cast<Gdiplus::REAL>(width), Gdiplus::UnitPixel, pen.Out()) != Gdiplus::Ok) {
        return;
    }
    gp::GdipSetPenMode(pen.Get(), Gdiplus::PenAlignmentInset);
    gp::GdipDrawRectangleI(graphics.Get(), pen.Get(), rc.left, rc.top, rc.right - rc.left - 1,
                           rc.bottom - rc.top - 1);
}

void CUIRender::StrokeRoundRect(HDC dc, const RECT& rc, int width, int cx, int /*cy*/, DWORD color) {
    if (dc == nullptr || !GdiplusReady()) return;
    CGdipGraphics graphics;
    if (gp::GdipCreateFromHDC(dc, graphics.Out()) != Gdiplus::Ok) return;
    gp::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeHighQuality);
    CGdipPen pen;
    if (gp::GdipCreatePen1(color, static_cast<Gdiplus::REAL>(width), Gdiplus::UnitPixel, pen.Out()) != Gdiplus::Ok) {
        return;
    }
    const int x = rc.left, y = rc.top, w = rc.right - rc.left - 1, h = rc.bottom - rc.top - 1;
    const int r = cx / 2;
    if (r <= 0) {
        gp::GdipDrawRectangleI(graphics.Get(), pen.Get(), x, y, w, h);
        return;
    }
    const int d = r * 2;
    CGdipPath path;
    if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Out()) != Gdiplus::Ok) return;
    gp::GdipAddPathArcI(path.Get(), x, y, d, d, 180, 90);
    gp::GdipAddPathLineI(path.Get(), x + r, y, x + w - r, y);
    gp::GdipAddPathArcI(path.Get(), x + w - d, y, d, d, 270, 90);
    gp::GdipAddPathLineI(path.Get(), x + w, y + r, x + w, y + h - r);
    gp::GdipAddPathArcI(path.Get(), x + w - d, y + h - d, d, d, 0, 90);
    gp::GdipAddPathLineI(path.Get(), x + w - r, y + h, x + r, y + h);
    gp::GdipAddPathArcI(path.Get(), x, y + h - d, d, d, 90, 90);
    gp::GdipAddPathLineI(path.Get(), x, y + h - r, x, y + r);
    gp::GdipClosePathFigure(path.Get());
    gp::GdipDrawPath(graphics.Get(), pen.Get(), path.Get());
}

// ---- HSL ----

namespace {

void RgbToHsl(DWORD c, float* h, float* s, float* l) {
    float r = R(c) / 255.0f, g = G(c) / 255.0f, b = B(c) / 255.0f;
    float mx = std::max(r, std::max(g, b));
    float mn = std::min(r, std::min(g, b));
    *l = (mx + mn) / 2.0f;
    if (mx == mn) {
        *h = 0.0f;
        *s = 0.0f;
        return;
    }
    float d = mx - mn;
    *s = (*l > 0.5f) ? d / (2.0f - mx - mn) : d / (mx + mn);
    float hh;
    if (mx == r) {
        hh = (g - b) / d + (g < b ? 6.0f : 0.0f);
    } else if (mx == g) {
        hh = (b - r) / d + 2.0f;
    } else {
        hh = (r - g) / d + 4.0f;
    }
    *h = hh * 60.0f;
}

float HueToChannel(float p, float q, float t) {
    if (t < 0.0f) t += 1.0f;
    if (t > 1.0f) t -= 1.0f;
    if (t < 1.0f / 6.0f) return p + (q - p) * 6.0f * t;
    if (t < 0.5f) return q;
    if (t < 2.0f / 3.0f) return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
    return p;
}

BYTE ToByte(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 1.0f) return 255;
    return static_cast<BYTE>(std::lround(v * 255.0f));
}

}  // namespace

DWORD CUIRender::TintHsl(DWORD color, short hue, short saturation, short lightness) {
    if (hue == 180 && saturation == 100 && lightness == 100) return color;
    float h, s, l;
    RgbToHsl(color, &h, &s, &l);
    h += static_cast<float>(hue - 180);
    if (h <= 0.0f) h += 360.0f;
    if (h > 360.0f) h = std::fmod(h, 360.0f);
    s = std::min(1.0f, s * saturation / 100.0f);
    l = std::min(1.0f, l * lightness / 100.0f);
    float r, g, b;
    if (s <= 0.0f) {
        r = g = b = l;
    } else {
        float q = (l < 0.5f) ? l * (1.0f + s) : l + s - l * s;
        float p = 2.0f * l - q;
        float hk = h / 360.0f;
        r = HueToChannel(p, q, hk + 1.0f / 3.0f);
        g = HueToChannel(p, q, hk);
        b = HueToChannel(p, q, hk - 1.0f / 3.0f);
    }
    return (color & 0xFF000000u) | (static_cast<DWORD>(ToByte(r)) << 16) | (static_cast<DWORD>(ToByte(g)) << 8) |
           ToByte(b);
}

}  // namespace SkinUI
