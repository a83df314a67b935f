// CFrameAnimation: the clock of a control's short animation (a page sliding in,
// a fade). While it runs, a control timer of the window's paint manager ticks
// the owner about sixty times a second; the owner asks Progress() when it lays
// out or paints, and shows its end state once the animation is over.
//
// Nothing runs while nobody can see it: an owner that is hidden, or a window
// that is hidden or minimised, when the animation starts ends it at once, with
// no timer left behind; one that becomes so while it runs ends it at once (the
// window) or at the next tick (the owner).
#pragma once

#include <windows.h>

#include "ui/core/ui_events.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

class CFrameAnimation : private IMessageFilterUI {
public:
    // `timerKey` is the owner's own timer number for the ticks.
    CFrameAnimation(CControlUI* owner, UINT timerKey);
    ~CFrameAnimation();
    CFrameAnimation(const CFrameAnimation&) = delete;
    CFrameAnimation& operator=(const CFrameAnimation&) = delete;

    // Starts over, lasting `durationMs`. False when it ended at once instead: no
    // window, an owner nobody sees, a zero duration or a timer that could not start.
    bool Start(DWORD durationMs);
    // Ends now; the owner is marked for layout so that it shows its end state.
    void Stop();
    bool IsRunning() const { return m_bRunning; }

    // True for the owner's timer event of this animation. The owner then calls
    // OnTick and lays itself out or repaints with the new progress.
    bool IsTick(const TUIEvent& event) const;
    // Ends the animation when its time is up or the owner can no longer be seen.
    void OnTick();
    // The share of the duration gone by, 0 to 1; 1 when not running.
    double Progress() const;
    // Progress eased out: fast at first, settling at the end.
    double EasedProgress() const;

    // The millisecond clock every animation reads; null restores GetTickCount.
    // Tests set a clock of their own to step through an animation.
    static void SetClock(DWORD (*clock)());

private:
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // The owner is visible in a window that is shown and not minimised.
    bool IsSeen() const;
    void Finish();

    CControlUI* m_owner;
    UINT m_key;
    CPaintManagerUI* m_filtered = nullptr;  // the manager this listens to for hide and minimise
    DWORD m_start = 0;
    DWORD m_duration = 0;
    bool m_bRunning = false;
};

}  // namespace SkinUI
