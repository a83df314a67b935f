#include "ui/widgets/motion/ring.h"

#include <cmath>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/core/ui_resources.h"

namespace SkinUI {

namespace {

const double kPi = 3.14159265358979323846;
const int kMostSpeed = 360 * 1000;  // a thousand turns a second: faster reads as this
const int kMostSide = 512;  // larger rings are drawn at this size and stretched

inline double Clamp01(double v) { return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v; }

inline uint32_t Premultiplied(DWORD argb, double alpha) {
    const double a = Clamp01(alpha) * (argb >> 24) / 255.0;
    const auto part = [&](int shift) { return static_cast<uint32_t>(((argb >> shift) & 0xFF) * a + 0.5); };
    return (static_cast<uint32_t>(a * 255.0 + 0.5) << 24) | (part(16) << 16) | (part(8) << 8) | part(0);
}

// Bilinear sample of premultiplied pixels; outside the image is clear.
uint32_t Sample(const TUIImage& image, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const auto* pixels = reinterpret_cast<const uint32_t*>(image.pBits);
    double sum[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const int px = x0 + (k & 1), py = y0 + (k >> 1);
        if (px < 0 || py < 0 || px >= image.nWidth || py >= image.nHeight) continue;
        const double w = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
        const uint32_t p = pixels[size_t(py) * image.nWidth + px];
        for (int c = 0; c < 4; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
    }
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) out |= static_cast<uint32_t>(sum[c] + 0.5) << (8 * c);
    return out;
}

}  // namespace

CRingUI::CRingUI() : TMotionControl<CControlUI>(33) { m_clock.Play(); }

const wchar_t* CRingUI::GetClass() const { return L"RingUI"; }

void* CRingUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Ring") == 0) return static_cast<CRingUI*>(this);
    return CControlUI::GetInterface(name);
}

void CRingUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"image")) SetImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"speed")) SetSpeed(attr::ToInt(value));
    else if (attr::NameIs(name, L"ringcolor")) SetRingColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"thickness")) SetThickness(attr::ToCoord(value));
    else CControlUI::ApplyAttribute(name, value);
}

void CRingUI::SetImage(const wchar_t* description) {
    m_sImage = description != nullptr ? description : L"";
    m_renderedAngle = -1.0;
    Repaint();
}

void CRingUI::SetSpeed(int degreesPerSecond) {
    m_speed = degreesPerSecond > kMostSpeed ? kMostSpeed : degreesPerSecond;
    if (m_speed <= 0) {
        m_clock.Pause();
        return;
    }
    // About six degrees a tick, between 10 and 30 ticks a second.
    const int interval = 6000 / m_speed;
    m_clock.SetInterval(interval < 33 ? 33 : interval > 100 ? 100 : interval);
    m_clock.Play();
}

void CRingUI::SetRingColor(DWORD color) {
    m_dwRingColor = color;
    m_renderedAngle = -1.0;
    Repaint();
}

int CRingUI::GetThickness() const { return Scale(m_thickness); }

void CRingUI::SetThickness(int thickness) {
    m_thickness = thickness < 0 ? 0 : thickness;
    m_renderedAngle = -1.0;
    Repaint();
}

void CRingUI::OnMotionTick(DWORD elapsedMs) {
    if (m_speed <= 0) return;
    m_angle = std::fmod(m_angle + double(m_speed) * elapsedMs / 1000.0, 360.0);
    Repaint();
}

void CRingUI::Render(int side) {
    const int width = side, height = side;
    if (m_renderedAngle == m_angle && m_bitmap.Width() == side) return;
    if (!m_bitmap.Ensure(side, side)) return;
    m_renderedAngle = m_angle;
    uint32_t* out = m_bitmap.Pixels();
    const double cx = width / 2.0, cy = height / 2.0;
    const double radians = m_angle * kPi / 180.0;
    const double cosA = std::cos(radians), sinA = std::sin(radians);

    const TUIImage* image = nullptr;
    if (!m_sImage.IsEmpty() && m_pManager != nullptr) {
        TUIImageSpec spec;
        spec.ParseImageSpec(m_sImage, nullptr, m_pManager);
        image = m_pManager->GetImageEx(spec.sImageName, spec.sResType.IsEmpty() ? nullptr : spec.sResType.GetData(),
                                       spec.dwMask);
        if (image != nullptr && (image->pBits == nullptr || image->nWidth <= 0 || image->nHeight <= 0)) image = nullptr;
    }
    if (image != nullptr) {
        const int longest = image->nWidth > image->nHeight ? image->nWidth : image->nHeight;
        const double scale = double(side) / longest;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                // The source point that turns onto this one.
                const double sx = (cosA * dx + sinA * dy) / scale + image->nWidth / 2.0 - 0.5;
                const double sy = (-sinA * dx + cosA * dy) / scale + image->nHeight / 2.0 - 0.5;
                out[size_t(y) * width + x] = Sample(*image, sx, sy);
            }
        }
        return;
    }
    const double outer = side / 2.0 - 0.5;
    // The thickness is in the control's pixels; a ring drawn smaller than it is shown scales it.
    const int shown = m_rcItem.GetWidth() < m_rcItem.GetHeight() ? m_rcItem.GetWidth() : m_rcItem.GetHeight();
    double thickness = m_thickness > 0 ? double(GetThickness()) * side / (shown > side ? shown : side) : side / 8.0;
    if (thickness < 1.0) thickness = 1.0;
    const double inner = outer - thickness;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double edge = Clamp01((r < inner + thickness / 2 ? r - inner : outer - r) + 0.5);
            if (edge <= 0.0) {
                out[size_t(y) * width + x] = 0;
                continue;
            }
            // Clockwise from the head, the arc fades out over the turn behind it.
            double behind = m_angle - std::atan2(dy, dx) * 180.0 / kPi;
            behind = std::fmod(behind + 720.0, 360.0);
            out[size_t(y) * width + x] = Premultiplied(m_dwRingColor, edge * (1.0 - behind / 360.0));
        }
    }
}

void CRingUI::DrawForeImage(HDC dc) {
    CControlUI::DrawForeImage(dc);
    // A square of the smaller side, centred.
    const int side = m_rcItem.GetWidth() < m_rcItem.GetHeight() ? m_rcItem.GetWidth() : m_rcItem.GetHeight();
    if (side <= 0) return;
    Render(side > kMostSide ? kMostSide : side);
    RECT dest = {0, 0, side, side};
    ::OffsetRect(&dest, m_rcItem.left + (m_rcItem.GetWidth() - side) / 2, m_rcItem.top + (m_rcItem.GetHeight() - side) / 2);
    m_bitmap.Draw(dc, dest, m_rcPaint);
}

}  // namespace SkinUI
