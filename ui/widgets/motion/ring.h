// CRingUI: a busy indicator that turns at a steady rate for as long as it can
// be seen: the "image" (an image description; its file is turned about its
// centre, scaled to fit the control's smaller side) or, without one, a drawn
// ring whose arc fades towards its tail, in "ringcolor" and "thickness"
// (pixels at 100 %, scaled by DPI).
//
// "speed" is in degrees per second, clockwise (default 360: a turn a second);
// 0 or less holds it still, with no timer.
#pragma once

#include "ui/controls/control.h"
#include "ui/widgets/motion/motion_bitmap.h"
#include "ui/widgets/motion/motion_control.h"

namespace SkinUI {

class CRingUI : public TMotionControl<CControlUI> {
public:
    CRingUI();

    const wchar_t* GetClass() const override;          // "RingUI"
    void* GetInterface(const wchar_t* name) override;  // "Ring"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;

    const CUIString& GetImage() const { return m_sImage; }
    void SetImage(const wchar_t* description);
    int GetSpeed() const { return m_speed; }
    void SetSpeed(int degreesPerSecond);
    DWORD GetRingColor() const { return m_dwRingColor; }
    void SetRingColor(DWORD color);
    int GetThickness() const;  // scaled
    void SetThickness(int thickness);
    // The angle turned, 0 to 360 degrees.
    double GetAngle() const { return m_angle; }

protected:
    void OnMotionTick(DWORD elapsedMs) override;

private:
    // Fills the bitmap with the picture at the current angle, when it is not so already.
    void Render(int side);

    CUIString m_sImage;
    int m_speed = 360;
    DWORD m_dwRingColor = 0xFF2E86DE;
    int m_thickness = 0;  // 0: an eighth of the smaller side
    double m_angle = 0.0;
    double m_renderedAngle = -1.0;
    CMotionBitmap m_bitmap;
};

}  // namespace SkinUI
