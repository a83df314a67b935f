// CMotionClock: the clock of a control that moves for as long as it is shown
// (a turning ring, a playing GIF, rolling text, a fade under the pointer).
//
// The owner says whether it wants to move (Play, Pause); the clock runs a
// control timer of the window's paint manager only while that wish meets a
// control that can be seen: visible, still in its window's tree, in a window
// that is shown and not minimised. It stops the moment the owner is hidden,
// taken out of the tree or destroyed, and when its window is hidden or
// minimised (which it hears through the manager's message filter, since the
// window's size changes reach only the focus control); it starts again when
// the window is shown or restored, or when the owner is painted again.
//
// On each tick the owner asks OnTick for the time gone by and repaints only its
// own rectangle when what it shows changed.
#pragma once

#include <windows.h>

#include "ui/core/ui_events.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

class CMotionClock : private IMessageFilterUI {
public:
    // `timerKey` is the owner's own timer number; `intervalMs` the tick period.
    CMotionClock(CControlUI* owner, UINT timerKey, UINT intervalMs);
    ~CMotionClock();
    CMotionClock(const CMotionClock&) = delete;
    CMotionClock& operator=(const CMotionClock&) = delete;

    void Play();
    void Pause();
    bool IsPlaying() const { return m_bWanted; }
    // A timer is running now.
    bool IsTicking() const { return m_bTicking; }
    // The tick period (at least 10 ms); a running timer is set again with it.
    void SetInterval(UINT ms);
    UINT GetInterval() const { return m_interval; }

    // Starts or stops the timer to match the wish and whether the owner can be
    // seen. Owners call it when their visibility or manager changes, and when
    // they paint.
    void Refresh();

    // True for the owner's timer event of this clock.
    bool IsTick(const TUIEvent& event) const;
    // On the owner's tick: the milliseconds since the last tick (or since the
    // clock started), at most kLongestStep; 0 when the clock stopped because the
    // owner can no longer be seen.
    DWORD OnTick();
    enum { kLongestStep = 1000 };

    // The millisecond clock every motion reads; null restores GetTickCount.
    static void SetClock(DWORD (*clock)());
    static DWORD Now();
    // Timers of all motion clocks running now, and ticks taken since the process
    // started (for tests and benchmarks).
    static int RunningTimers();
    static unsigned long TicksTaken();

private:
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    bool IsSeen() const;
    void Start();
    void Stop();
    void Listen(CPaintManagerUI* manager);

    CControlUI* m_owner;
    UINT m_key;
    UINT m_interval;
    CPaintManagerUI* m_filtered = nullptr;  // the manager this listens to and whose timer runs
    DWORD m_last = 0;
    bool m_bWanted = false;
    bool m_bTicking = false;
};

}  // namespace SkinUI
