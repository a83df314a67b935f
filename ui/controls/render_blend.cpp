// Alpha blending: the platform routine when present, else a software blend
// over two 32-bit DIB sections.
#include "ui/controls/gdi_guards.h"
#include "ui/controls/render.h"
#include "ui/controls/render_platform.h"

namespace SkinUI {

namespace {

inline unsigned Mul255(unsigned a, unsigned b) { return (a * b + 127) / 255; }
// A source that is not truly premultiplied can overflow a channel; saturate.
inline BYTE Sat(unsigned v) { return static_cast<BYTE>(v > 255u ? 255u : v); }

}  // namespace

bool CUIRender::BlendFallback(HDC dcDest, int xDest, int yDest, int cxDest, int cyDest, HDC dcSrc, int xSrc,
                              int ySrc, int cxSrc, int cySrc, BYTE constantAlpha, bool perPixelAlpha) {
    if (dcDest == nullptr || dcSrc == nullptr || cxDest <= 0 || cyDest <= 0 || cxSrc <= 0 || cySrc <= 0) {
        return false;
    }
    CMemoryDC srcDC(dcDest);
    CMemoryDC dstDC(dcDest);
    CDibSection srcBits(dcDest, cxDest, cyDest);
    CDibSection dstBits(dcDest, cxDest, cyDest);
    if (!srcDC || !dstDC || !srcBits || !dstBits) return false;
    CSelectGuard selSrc(srcDC.Get(), srcBits.Get());
    CSelectGuard selDst(dstDC.Get(), dstBits.Get());

    // Pixel-exact stretch so the alpha bytes survive.
    int oldMode = ::SetStretchBltMode(srcDC.Get(), COLORONCOLOR);
    ::StretchBlt(srcDC.Get(), 0, 0, cxDest, cyDest, dcSrc, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
    ::SetStretchBltMode(srcDC.Get(), oldMode);
    ::BitBlt(dstDC.Get(), 0, 0, cxDest, cyDest, dcDest, xDest, yDest, SRCCOPY);
    ::GdiFlush();

    // The source is premultiplied: out = src * c + dst * (1 - srcAlpha * c).
    const unsigned c = constantAlpha;
    BYTE* s = srcBits.Bits();
    BYTE* d = dstBits.Bits();
    const int count = cxDest * cyDest;
    for (int i = 0; i < count; ++i, s += 4, d += 4) {
        unsigned sa = perPixelAlpha ? s[3] : 255u;
        unsigned a = Mul255(sa, c);
        unsigned inv = 255u - a;
        d[0] = Sat(Mul255(s[0], c) + Mul255(d[0], inv));
        d[1] = Sat(Mul255(s[1], c) + Mul255(d[1], inv));
        d[2] = Sat(Mul255(s[2], c) + Mul255(d[2], inv));
        d[3] = Sat(a + Mul255(d[3], inv));
    }
    ::BitBlt(dcDest, xDest, yDest, cxDest, cyDest, dstDC.Get(), 0, 0, SRCCOPY);
    return true;
}

bool CUIRender::Blend(HDC dcDest, int xDest, int yDest, int cxDest, int cyDest, HDC dcSrc, int xSrc, int ySrc,
                      int cxSrc, int cySrc, BYTE constantAlpha, bool perPixelAlpha) {
    if (AlphaBlendFn fn = PlatformAlphaBlend()) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, constantAlpha, static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
        return fn(dcDest, xDest, yDest, cxDest, cyDest, dcSrc, xSrc, ySrc, cxSrc, cySrc, bf) != FALSE;
    }
    return BlendFallback(dcDest, xDest, yDest, cxDest, cyDest, dcSrc, xSrc, ySrc, cxSrc, cySrc, constantAlpha,
                         perPixelAlpha);
}

}  // namespace SkinUI
