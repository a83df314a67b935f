// CSliderUI: a progress bar with a thumb that the user moves.
//
// Dragging the thumb, a press on the rail (one step toward the pointer), the
// arrow keys (Right and Up increase), Home and End, and the wheel change the
// value by its step. Unlike SetValue, which ignores a value out of range, these
// stop at the minimum or the maximum: the value clamps. A drag snaps to whole
// steps from the minimum.
//
// Notifications: "movevaluechanged" while the thumb is dragged (wParam the
// value), "valuechanged" when a drag ends with a new value and after every other
// change by the user.
//
// Attributes: "step", "thumbsize" (width,height, unscaled), "thumbimage",
// "thumbhotimage" (pointer over the thumb), "thumbpushedimage" (while dragged),
// "thumbdisabledimage", and the progress bar's.
#pragma once

#include "ui/controls/progress.h"

namespace SkinUI {

class CSliderUI : public CProgressUI {
public:
    CSliderUI();

    const wchar_t* GetClass() const override;          // "SliderUI"
    void* GetInterface(const wchar_t* name) override;  // "Slider"
    UINT GetControlFlags() const override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;

    int GetStep() const { return m_nStep; }
    void SetStep(int step);  // below 1 counts as 1
    SIZE GetThumbSize() const { return m_szThumb; }  // unscaled
    void SetThumbSize(SIZE size);
    // The thumb's rectangle in window pixels.
    CUIRect GetThumbRect() const;
    bool IsDragging() const { return m_bDragging; }
    // Moves the value by `steps` steps, clamped to the range; true when it changed.
    bool StepBy(long long steps);

private:
    // Sets a value clamped to the range; true when it changed.
    bool MoveTo(long long value);
    // The value (snapped to steps) whose thumb sits at the pointer, the grab offset allowed for.
    long long ValueAt(POINT pt) const;
    void Changed(const wchar_t* notification);

    int m_nStep;
    SIZE m_szThumb;
    UINT m_uState;  // UISTATE_HOT (pointer over the thumb), UISTATE_PUSHED (dragging)
    bool m_bDragging;
    int m_nDragStartValue;
    POINT m_ptGrab;  // the pointer's offset from the thumb's centre at the press
    CUIString m_sThumbImage;
    CUIString m_sThumbHotImage;
    CUIString m_sThumbPushedImage;
    CUIString m_sThumbDisabledImage;
};

}  // namespace SkinUI
