#include "ui/widgets/graphic/color_palette.h"

#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const int kGap = 6;               // unscaled, between the field and the bar
const int kDefaultBarWidth = 16;  // unscaled
const int kMostPixels = 1 << 22;  // a field larger than this is drawn in one colour

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
int Wrap360(int v) { return ((v % 360) + 360) % 360; }

// Where `v` in [lo, hi) falls on 0..range, the ends included.
int Along(int v, int lo, int hi, int range) {
    if (hi - lo <= 1) return 0;
    return static_cast<int>((static_cast<long long>(Clamp(v, lo, hi - 1) - lo) * range + (hi - lo - 1) / 2) /
                            (hi - lo - 1));
}

// The coordinate of `value` in 0..range along [lo, hi).
int At(int value, int range, int lo, int hi) {
    if (range <= 0 || hi - lo <= 1) return lo;
    return lo + static_cast<int>(static_cast<long long>(value) * (hi - lo - 1) / range);
}

class CGdiObject {
public:
    CGdiObject(HDC dc, HGDIOBJ object, bool owned)
        : m_dc(dc), m_object(object), m_owned(owned), m_old(::SelectObject(dc, object)) {}
    ~CGdiObject() {
        ::SelectObject(m_dc, m_old);
        if (m_owned) ::DeleteObject(m_object);
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    bool m_owned;
    HGDIOBJ m_old;
};

// A square ring in black and white, seen on any colour.
void DrawMarker(HDC dc, POINT at, int radius) {
    CGdiObject hollow(dc, ::GetStockObject(HOLLOW_BRUSH), false);
    for (int i = 0; i < 2; ++i) {
        CGdiObject pen(dc, ::CreatePen(PS_SOLID, 1, i == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255)), true);
        const int r = radius - i;
        ::Rectangle(dc, at.x - r, at.y - r, at.x + r + 1, at.y + r + 1);
    }
}

}  // namespace

CColorPaletteUI::CColorPaletteUI()
    : m_dwColor(0xFFFF0000), m_nBarWidth(kDefaultBarWidth), m_drag(kNone), m_szField{0, 0} {
    m_hsl = RgbToHsl(m_dwColor);
}

const wchar_t* CColorPaletteUI::GetClass() const { return L"ColorPaletteUI"; }

void* CColorPaletteUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ColorPalette") == 0) return static_cast<CColorPaletteUI*>(this);
    return CControlUI::GetInterface(name);
}

UINT CColorPaletteUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | (IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u);
}

// ---- the model ----

DWORD CColorPaletteUI::HslToRgb(TColorHsl hsl) {
    // Pure red is hue 0, saturation 100 %, lightness 50 %: the model's adjustment from there.
    const short hue = static_cast<short>(180 + Wrap360(hsl.hue));
    const short saturation = static_cast<short>(Clamp(hsl.saturation, 0, 100));
    const short lightness = static_cast<short>(2 * Clamp(hsl.lightness, 0, 100));
    return CUIRender::TintHsl(0xFFFF0000, hue, saturation, lightness);
}

TColorHsl CColorPaletteUI::RgbToHsl(DWORD argb) {
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    const int mx = std::max(r, std::max(g, b));
    const int mn = std::min(r, std::min(g, b));
    TColorHsl hsl;
    hsl.lightness = (mx + mn) * 100 / 510 + ((mx + mn) * 100 % 510 >= 255 ? 1 : 0);
    if (mx == mn) return hsl;
    const double d = mx - mn;
    const double l = (mx + mn) / 510.0;
    const double s = l > 0.5 ? d / (510.0 - mx - mn) : d / (mx + mn);
    double h = 0;
    if (mx == r) {
        h = (g - b) / d + (g < b ? 6 : 0);
    } else if (mx == g) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    hsl.hue = Wrap360(static_cast<int>(std::lround(h * 60)));
    hsl.saturation = Clamp(static_cast<int>(std::lround(s * 100)), 0, 100);
    return hsl;
}

void CColorPaletteUI::SetColor(DWORD argb) {
    m_dwColor = argb;
    const TColorHsl hsl = RgbToHsl(argb);
    m_hsl.saturation = hsl.saturation;
    m_hsl.lightness = hsl.lightness;
    if (hsl.saturation > 0 && hsl.lightness > 0 && hsl.lightness < 100) m_hsl.hue = hsl.hue;
    Repaint();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
}

void CColorPaletteUI::SetHsl(TColorHsl hsl) {
    hsl.hue = Wrap360(hsl.hue);
    hsl.saturation = Clamp(hsl.saturation, 0, 100);
    hsl.lightness = Clamp(hsl.lightness, 0, 100);
    m_hsl = hsl;
    m_dwColor = (m_dwColor & 0xFF000000u) | (HslToRgb(hsl) & 0x00FFFFFFu);
    Repaint();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
}

CUIString CColorPaletteUI::GetColorText() const {
    CUIString text;
    text.Format(L"#%06X", static_cast<unsigned>(m_dwColor & 0xFFFFFF));
    return text;
}

bool CColorPaletteUI::Change(TColorHsl hsl) {
    const TColorHsl old = m_hsl;
    const DWORD color = m_dwColor;
    SetHsl(hsl);
    if (old.hue == m_hsl.hue && old.saturation == m_hsl.saturation && old.lightness == m_hsl.lightness &&
        color == m_dwColor) {
        return false;
    }
    if (m_pManager != nullptr) m_pManager->SendNotify(this, L"colorchanged", m_dwColor);
    return true;
}

// ---- geometry ----

CUIRect CColorPaletteUI::GetBarRect() const {
    CUIRect rc = m_rcItem;
    const int bar = std::min(Scale(m_nBarWidth), rc.GetWidth() / 2);
    rc.left = rc.right - bar;
    return rc;
}

CUIRect CColorPaletteUI::GetFieldRect() const {
    CUIRect rc = m_rcItem;
    rc.right = GetBarRect().left - Scale(kGap);
    if (rc.right < rc.left) rc.right = rc.left;
    return rc;
}

bool CColorPaletteUI::PickAt(POINT pt, EDrag part) {
    TColorHsl hsl = m_hsl;
    if (part == kField) {
        const CUIRect rc = GetFieldRect();
        hsl.hue = Clamp(Along(pt.x, rc.left, rc.right, 360), 0, 359);
        hsl.saturation = 100 - Along(pt.y, rc.top, rc.bottom, 100);
    } else {
        const CUIRect rc = GetBarRect();
        hsl.lightness = 100 - Along(pt.y, rc.top, rc.bottom, 100);
    }
    return Change(hsl);
}

// ---- input ----

void CColorPaletteUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEnabled()) return;
            if (IsKeyboardEnabled()) SetFocus();
            if (GetFieldRect().PtInRect(event.ptMouse)) {
                m_drag = kField;
            } else if (GetBarRect().PtInRect(event.ptMouse)) {
                m_drag = kBar;
            } else {
                return;
            }
            PickAt(event.ptMouse, m_drag);
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_drag != kNone) PickAt(event.ptMouse, m_drag);
            return;
        case UIEVENT_BUTTONUP:
        case UIEVENT_KILLFOCUS:
            m_drag = kNone;
            break;
        case UIEVENT_KEYDOWN: {
            if (!IsEnabled() || !IsKeyboardEnabled()) break;
            const bool shift = (event.wKeyState & MK_SHIFT) != 0 || ::GetKeyState(VK_SHIFT) < 0;
            const bool ctrl = (event.wKeyState & MK_CONTROL) != 0 || ::GetKeyState(VK_CONTROL) < 0;
            TColorHsl hsl = m_hsl;
            switch (event.chKey) {
                case VK_LEFT: hsl.hue -= ctrl ? 10 : 1; break;
                case VK_RIGHT: hsl.hue += ctrl ? 10 : 1; break;
                case VK_UP: (shift ? hsl.lightness : hsl.saturation) += 1; break;
                case VK_DOWN: (shift ? hsl.lightness : hsl.saturation) -= 1; break;
                case VK_PRIOR: hsl.lightness += 5; break;
                case VK_NEXT: hsl.lightness -= 5; break;
                default: CControlUI::HandleEvent(event); return;
            }
            Change(hsl);
            return;
        }
        default:
            break;
    }
    CControlUI::HandleEvent(event);
}

void CColorPaletteUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"color")) {
        SetColor(attr::ToColor(value, false));
    } else if (attr::NameIs(name, L"barwidth")) {
        m_nBarWidth = Clamp(attr::ToCoord(value), 0, attr::kMaxCoordinate);
        Repaint();
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

// ---- painting ----

void CColorPaletteUI::DrawField(HDC dc, const CUIRect& rc) {
    const int cx = rc.GetWidth(), cy = rc.GetHeight();
    if (cx <= 0 || cy <= 0) return;
    if (static_cast<long long>(cx) * cy > kMostPixels) {
        CUIRender::FillSolid(dc, rc, HslToRgb(TColorHsl{m_hsl.hue, m_hsl.saturation, 50}));
        return;
    }
    if (m_szField.cx != cx || m_szField.cy != cy) {
        // The field holds at most 360 x 101 colours: each is converted once, however many
        // pixels show it, so a tall or wide field costs lookups rather than conversions.
        std::vector<DWORD> colours(360 * 101, 0);
        std::vector<int> hues(static_cast<size_t>(cx));
        for (int x = 0; x < cx; ++x) {
            hues[static_cast<size_t>(x)] = Clamp(Along(rc.left + x, rc.left, rc.right, 360), 0, 359);
        }
        m_field.assign(static_cast<size_t>(cx) * cy, 0);
        DWORD* pixel = m_field.data();
        for (int y = 0; y < cy; ++y) {
            const int saturation = 100 - Along(rc.top + y, rc.top, rc.bottom, 100);
            for (int x = 0; x < cx; ++x, ++pixel) {
                const int hue = hues[static_cast<size_t>(x)];
                DWORD& colour = colours[static_cast<size_t>(hue) * 101 + static_cast<size_t>(saturation)];
                if (colour == 0) colour = 0xFF000000u | HslToRgb(TColorHsl{hue, saturation, 50});
                *pixel = colour & 0xFFFFFF;
            }
        }
        m_szField = SIZE{cx, cy};
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    ::SetDIBitsToDevice(dc, rc.left, rc.top, cx, cy, 0, 0, 0, cy, m_field.data(), &bi, DIB_RGB_COLORS);
    DrawMarker(dc, POINT{At(m_hsl.hue, 359, rc.left, rc.right), At(100 - m_hsl.saturation, 100, rc.top, rc.bottom)},
               Scale(5));
}

void CColorPaletteUI::DrawBar(HDC dc, const CUIRect& rc) {
    if (rc.GetWidth() <= 0 || rc.GetHeight() <= 0) return;
    // One fill per band of rows that share a lightness: at most 101, however tall the bar.
    for (int y = rc.top; y < rc.bottom;) {
        const int lightness = 100 - Along(y, rc.top, rc.bottom, 100);
        int end = y + 1;
        while (end < rc.bottom && 100 - Along(end, rc.top, rc.bottom, 100) == lightness) ++end;
        CUIRender::FillSolid(dc, CUIRect(rc.left, y, rc.right, end),
                             HslToRgb(TColorHsl{m_hsl.hue, m_hsl.saturation, lightness}));
        y = end;
    }
    const int y = At(100 - m_hsl.lightness, 100, rc.top, rc.bottom);
    CUIRender::FillSolid(dc, CUIRect(rc.left, y - 1, rc.right, y + 2), 0xFF000000);
    CUIRender::FillSolid(dc, CUIRect(rc.left + 1, y, rc.right - 1, y + 1), 0xFFFFFFFF);
}

void CColorPaletteUI::DrawForeImage(HDC dc) {
    DrawField(dc, GetFieldRect());
    DrawBar(dc, GetBarRect());
    CControlUI::DrawForeImage(dc);
}

}  // namespace SkinUI
