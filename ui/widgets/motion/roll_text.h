// CRollTextUI: a label whose text rolls through it, "direction" left (the
// default), right, up or down, at "speed" pixels a second (at 100 %, scaled by
// DPI; 0 or less holds it still where a label would draw it). The text comes in
// at one edge, goes out at the other and comes in again; it holds still while
// the pointer is over it. Up and down roll word-wrapped lines.
#pragma once

#include "ui/controls/label.h"
#include "ui/widgets/motion/motion_control.h"

namespace SkinUI {

class CRollTextUI : public TMotionControl<CLabelUI> {
public:
    enum EDirection { kLeft, kRight, kUp, kDown };

    CRollTextUI();

    const wchar_t* GetClass() const override;          // "RollTextUI"
    void* GetInterface(const wchar_t* name) override;  // "RollText"
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawLabelText(HDC dc) override;

    EDirection GetDirection() const { return m_direction; }
    void SetDirection(EDirection direction);
    int GetSpeed() const { return m_speed; }
    void SetSpeed(int pixelsPerSecond);
    // How far the text has rolled in, in pixels, 0 up to (not including) the
    // length of one round: the view's extent plus the text's. It starts with
    // the text where a label would draw it (at the left or top edge).
    double GetOffset() const { return m_offset; }
    int GetRoundLength();

protected:
    void OnMotionTick(DWORD elapsedMs) override;

private:
    bool IsVertical() const { return m_direction == kUp || m_direction == kDown; }
    CUIRect TextArea() const;
    // The text's extent along the direction of travel, measured in `dc`.
    int MeasureExtent(HDC dc, const CUIRect& area);
    // The length of a round, measured in `dc`; sets the starting offset of a fresh text.
    int RoundIn(HDC dc);
    void Resume();

    EDirection m_direction = kLeft;
    int m_speed = 40;
    double m_offset = 0.0;
    int m_extent = -1;  // the text's measured extent; -1 when not measured
    int m_extentFor = -1;  // the cross extent it was measured for
    bool m_bHover = false;
    bool m_bFresh = true;  // the offset is set where the text starts once it is measured
};

}  // namespace SkinUI
