// TMotionControl: a control class with a motion clock kept in step with the
// control's life: its visibility, its place in the tree and its painting
// (see motion_clock.h). Subclasses say Play or Pause on m_clock and take
// their ticks in OnMotionTick.
#pragma once

#include "ui/widgets/motion/motion_clock.h"

namespace SkinUI {

template <class Base>
class TMotionControl : public Base {
public:
    // The owner's timer number for its clock.
    enum { kMotionTimer = 0x4D4F };

    explicit TMotionControl(UINT intervalMs) : m_clock(this, kMotionTimer, intervalMs) {}

    void SetVisible(bool visible = true) override {
        Base::SetVisible(visible);
        m_clock.Refresh();
    }
    void SetInternVisible(bool visible = true) override {
        Base::SetInternVisible(visible);
        m_clock.Refresh();
    }
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override {
        Base::SetManager(manager, parent, init);
        m_clock.Refresh();
    }
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override {
        m_clock.Refresh();
        return Base::PaintLayers(dc, paint, stop);
    }
    void HandleEvent(TUIEvent& event) override {
        if (m_clock.IsTick(event)) {
            const DWORD gone = m_clock.OnTick();
            if (gone != 0) OnMotionTick(gone);
            return;
        }
        Base::HandleEvent(event);
    }

    const CMotionClock& GetClock() const { return m_clock; }

protected:
    // Called on each tick while the control can be seen, with the milliseconds
    // since the last one; the control repaints itself when what it shows changed.
    virtual void OnMotionTick(DWORD elapsedMs) = 0;

    CMotionClock m_clock;
};

}  // namespace SkinUI
