// The moving controls in a real window, on a fake clock and real timer messages:
// a timer runs only while the control can be seen (timers counted, not time),
// each tick repaints only the control, and each control's motion: GIF frames by
// their delays and loop count, the ring's angle, the fade's blend (turning back
// halfway) and rolling text that wraps and holds still under the pointer.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cmath>
#include <utility>

#include "tests/common/test_env.h"
#include "tests/ui/widgets/layout_host.h"
#include "tools/fuzz/gif_writer.h"
#include "ui/controls/container.h"
#include "ui/core/accessible_model.h"
#include "ui/core/resource_settings.h"
#include "ui/widgets/motion/fade_button.h"
#include "ui/widgets/motion/gif_anim.h"
#include "ui/widgets/motion/ring.h"
#include "ui/widgets/motion/roll_text.h"

using namespace SkinUI;
using layouttest::CHost;
using layouttest::Narrow;

namespace {

DWORD g_now = 5000;
DWORD FakeClock() { return g_now; }
struct FakeClockScope {
    FakeClockScope() { CMotionClock::SetClock(&FakeClock); }
    ~FakeClockScope() { CMotionClock::SetClock(nullptr); }
};

// Dispatches the window's timer messages (and nothing else, so that what a tick
// invalidated stays to be seen) until a motion tick was taken; false after 2 s.
bool NextTick(HWND window) {
    const unsigned long before = CMotionClock::TicksTaken();
    const DWORD start = ::GetTickCount();
    while (CMotionClock::TicksTaken() == before) {
        if (::GetTickCount() - start > 2000) return false;
        MSG msg;
        if (::PeekMessageW(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
        }
    }
    return true;
}

// Moves the real pointer messages to the middle of `rc` (or off every control).
void PointAt(HWND window, const RECT* rc) {
    const LPARAM at = rc != nullptr ? MAKELPARAM((rc->left + rc->right) / 2, (rc->top + rc->bottom) / 2)
                                    : MAKELPARAM(2, 2);
    ::SendMessageW(window, WM_MOUSEMOVE, 0, at);
}

// Paints everything, then forgets it, so that the update region is a tick's own.
void Settle(HWND window) {
    ::UpdateWindow(window);
    ::ValidateRect(window, nullptr);
}

const wchar_t kOneRing[] =
    L"<Window><VerticalLayout name=\"box\" inset=\"10,10,10,10\">"
    L"<Ring name=\"ring\" width=\"40\" height=\"40\"/><Control/></VerticalLayout></Window>";

TEST(MotionClock, RunsATimerOnlyWhileTheControlCanBeSeen) {
    FakeClockScope clock;
    enum Step { kShow, kMinimise, kRestore, kHide, kHideRing, kShowRing, kHideBox, kShowBox, kRemove };
    const struct {
        const char* name;
        bool shown;
        Step steps[2];
        int running[3];  // timers after opening and after each step
    } kCases[] = {
        {"opened hidden, then shown", false, {kShow, kShow}, {0, 1, 1}},
        {"minimised and restored", true, {kMinimise, kRestore}, {1, 0, 1}},
        {"hidden and shown", true, {kHide, kShow}, {1, 0, 1}},
        {"ring hidden and shown", true, {kHideRing, kShowRing}, {1, 0, 1}},
        {"its layout hidden and shown", true, {kHideBox, kShowBox}, {1, 0, 1}},
        {"removed", true, {kRemove, kShow}, {1, 0, 0}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const int before = CMotionClock::RunningTimers();
        {
            CHost host;
            ASSERT_TRUE(host.Open(kOneRing, 200, 100, c.shown));
            Settle(host.GetHWND());
            CControlUI* ring = host.Find(L"ring");
            auto* box = static_cast<CContainerUI*>(host.Find(L"box")->GetInterface(L"Container"));
            EXPECT_EQ(CMotionClock::RunningTimers() - before, c.running[0]);
            for (int i = 0; i < 2; ++i) {
                switch (c.steps[i]) {
                    case kShow: ::ShowWindow(host.GetHWND(), SW_SHOWNOACTIVATE); break;
                    case kMinimise: ::ShowWindow(host.GetHWND(), SW_MINIMIZE); break;
                    case kRestore: ::ShowWindow(host.GetHWND(), SW_RESTORE); break;
                    case kHide: ::ShowWindow(host.GetHWND(), SW_HIDE); break;
                    case kHideRing: ring->SetVisible(false); break;
                    case kShowRing: ring->SetVisible(true); break;
                    case kHideBox: box->SetVisible(false); break;
                    case kShowBox: box->SetVisible(true); break;
                    case kRemove: box->Remove(ring); ring = nullptr; break;
                }
                host.Place();
                Settle(host.GetHWND());
                EXPECT_EQ(CMotionClock::RunningTimers() - before, c.running[i + 1]) << "step " << i;
                if (ring != nullptr && c.running[i + 1] == 0) {
                    EXPECT_FALSE(host.pm.KillControlTimer(ring, CRingUI::kMotionTimer)) << "step " << i;
                }
            }
        }
        EXPECT_EQ(CMotionClock::RunningTimers(), before);  // the window and its controls are gone
    }
}

// Three frames of 2 x 2 pixels, 20, 30 and 40 ms, played `loops` times (0: forever).
TGifAnimation ThreeFrames(int loops) {
    TGifAnimation gif;
    gif.width = gif.height = 2;
    gif.loopCount = loops;
    const UINT delays[] = {20, 30, 40};
    for (UINT delay : delays) {
        TGifFrame frame;
        frame.pixels.assign(4, 0xFF000000u | delay);
        frame.delayMs = delay;
        gif.frames.push_back(std::move(frame));
    }
    return gif;
}

const wchar_t kEachKind[] =
    L"<Window><HorizontalLayout inset=\"4,4,4,4\" childpadding=\"6\">"
    L"<Ring name=\"ring\" width=\"30\" speed=\"90\"/>"
    L"<GifAnim name=\"gif\" width=\"30\" autoplay=\"false\"/>"
    L"<RollText name=\"roll\" width=\"60\" speed=\"100\" text=\"roll\"/>"
    L"<FadeButton name=\"fade\" width=\"50\" fadeduration=\"200\" normalimage=\"file='n.png'\" "
    L"hotimage=\"file='h.png'\"/><Control/></HorizontalLayout></Window>";

TEST(MotionControls, EachTickRepaintsOnlyTheControl) {
    FakeClockScope clock;
    CHost host;
    ASSERT_TRUE(host.Open(kEachKind, 300, 60, true));
    Settle(host.GetHWND());
    auto* gif = static_cast<CGifAnimUI*>(host.Find(L"gif"));
    auto* roll = static_cast<CRollTextUI*>(host.Find(L"roll"));
    auto* fade = static_cast<CFadeButtonUI*>(host.Find(L"fade"));
    CControlUI* ring = host.Find(L"ring");
    gif->SetAnimation(ThreeFrames(0));
    gif->PauseGif();
    roll->SetSpeed(0);
    static_cast<CRingUI*>(ring)->SetSpeed(0);
    EXPECT_EQ(CMotionClock::RunningTimers(), 0);
    const struct {
        const char* name;
        CControlUI* control;
        void (*start)(CHost& host, CControlUI* control);
    } kCases[] = {
        {"ring", ring, [](CHost&, CControlUI* c) { static_cast<CRingUI*>(c)->SetSpeed(90); }},
        {"gif", gif, [](CHost&, CControlUI* c) { static_cast<CGifAnimUI*>(c)->PlayGif(); }},
        {"roll", roll, [](CHost&, CControlUI* c) { static_cast<CRollTextUI*>(c)->SetSpeed(100); }},
        {"fade", fade, [](CHost& h, CControlUI* c) { PointAt(h.GetHWND(), &c->GetPos()); }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        c.start(host, c.control);
        Settle(host.GetHWND());
        EXPECT_EQ(CMotionClock::RunningTimers(), 1);
        for (int tick = 0; tick < 2; ++tick) {
            g_now += 45;
            ASSERT_TRUE(NextTick(host.GetHWND()));
            RECT update = {};
            EXPECT_TRUE(::GetUpdateRect(host.GetHWND(), &update, FALSE)) << tick;
            EXPECT_TRUE(::EqualRect(&update, &c.control->GetPos())) << tick;
            Settle(host.GetHWND());
        }
        PointAt(host.GetHWND(), nullptr);
        gif->PauseGif();
        roll->SetSpeed(0);
        static_cast<CRingUI*>(ring)->SetSpeed(0);
        g_now += 1000;  // the fade back ends at its next tick
        if (fade->GetClock().IsPlaying()) {
            EXPECT_TRUE(NextTick(host.GetHWND()));
        }
        EXPECT_EQ(CMotionClock::RunningTimers(), 0);
    }
    // A screen reader sees the ring and the GIF as animations, the others as their bases.
    const struct {
        CControlUI* control;
        LONG role;
    } kRoles[] = {{ring, ROLE_SYSTEM_ANIMATION}, {gif, ROLE_SYSTEM_ANIMATION}, {roll, ROLE_SYSTEM_STATICTEXT},
                  {fade, ROLE_SYSTEM_PUSHBUTTON}};
    for (const auto& r : kRoles) EXPECT_EQ(Accessible::RoleOf(r.control), r.role) << Narrow(r.control->GetName());
}

TEST(GifAnim, AdvancesByFrameDelaysAndStopsAfterItsLoops) {
    FakeClockScope clock;
    CHost host;
    ASSERT_TRUE(host.Open(L"<Window><VerticalLayout><GifAnim name=\"gif\" autosize=\"true\"/><Control/>"
                          L"</VerticalLayout></Window>",
                          200, 100, true, 150));
    auto* gif = static_cast<CGifAnimUI*>(host.Find(L"gif"));
    gif->SetAnimation(ThreeFrames(2));
    EXPECT_EQ(gif->GetFixedWidth(), 3);  // autosize: 2 pixels at 150 %
    host.Place();
    Settle(host.GetHWND());
    // Milliseconds gone by before each tick, and the frame then shown.
    const struct {
        DWORD gone;
        int frame, loops;
        bool playing;
    } kSteps[] = {{20, 1, 0, true}, {10, 1, 0, true},  {20, 2, 0, true}, {40, 0, 1, true},
                  {35, 1, 1, true}, {30, 2, 1, true}, {25, 2, 2, false}};
    for (const auto& s : kSteps) {
        g_now += s.gone;
        ASSERT_TRUE(NextTick(host.GetHWND()));
        EXPECT_EQ(gif->GetFrame(), s.frame);
        EXPECT_EQ(gif->GetLoopsPlayed(), s.loops);
        EXPECT_EQ(gif->IsPlaying(), s.playing);
    }
    EXPECT_EQ(CMotionClock::RunningTimers(), 0);
    gif->PlayGif();  // a finished animation plays again from its first frame
    EXPECT_EQ(gif->GetFrame(), 0);
    EXPECT_EQ(CMotionClock::RunningTimers(), 1);
    gif->StopGif();
    EXPECT_EQ(CMotionClock::RunningTimers(), 0);
    // Frames that do not fill the screen, or none at all, show nothing and run nothing.
    TGifAnimation broken = ThreeFrames(0);
    broken.frames[1].pixels.resize(1);
    gif->SetAnimation(broken);
    EXPECT_TRUE(gif->GetAnimation().frames.empty());
    gif->PlayGif();
    EXPECT_EQ(CMotionClock::RunningTimers(), 0);
}

TEST(MotionControls, SpeedsAndFadesStepWithTheClockAndHostileValuesRunNothing) {
    FakeClockScope clock;
    CHost host;
    ASSERT_TRUE(host.Open(kEachKind, 300, 60, true));
    Settle(host.GetHWND());
    auto* ring = static_cast<CRingUI*>(host.Find(L"ring"));
    auto* roll = static_cast<CRollTextUI*>(host.Find(L"roll"));
    auto* fade = static_cast<CFadeButtonUI*>(host.Find(L"fade"));
    roll->SetSpeed(0);
    // The ring at 90 degrees a second.
    for (double expected : {9.0, 18.0}) {
        g_now += 100;
        ASSERT_TRUE(NextTick(host.GetHWND()));
        EXPECT_NEAR(ring->GetAngle(), expected, 1e-9);
    }
    // Speeds of nothing, backwards and far too much.
    const struct {
        const wchar_t* speed;
        int timers;
    } kSpeeds[] = {{L"0", 0}, {L"-40", 0}, {L"x", 0}, {L"99999999999", 1}, {L"2147483647", 1}};
    for (const auto& s : kSpeeds) {
        ring->ApplyAttribute(L"speed", s.speed);
        roll->ApplyAttribute(L"speed", s.speed);
        EXPECT_EQ(CMotionClock::RunningTimers(), 2 * s.timers) << Narrow(s.speed);
        if (s.timers == 0) continue;
        g_now += 999;
        ASSERT_TRUE(NextTick(host.GetHWND()));
        EXPECT_TRUE(ring->GetAngle() >= 0.0 && ring->GetAngle() < 360.0) << ring->GetAngle();
        EXPECT_TRUE(roll->GetOffset() >= 0.0 && roll->GetOffset() < roll->GetRoundLength()) << roll->GetOffset();
    }
    ring->SetSpeed(0);
    roll->SetSpeed(0);
    // The fade: in over 200 ms, back from where it was when the pointer left.
    const struct {
        bool over;
        DWORD gone;
        double blend;
    } kFade[] = {{true, 50, 0.25}, {true, 50, 0.5}, {false, 100, 0.0}, {true, 100, 0.5}, {true, 150, 1.0}};
    for (const auto& f : kFade) {
        PointAt(host.GetHWND(), f.over ? &fade->GetPos() : nullptr);
        g_now += f.gone;
        ASSERT_TRUE(NextTick(host.GetHWND()));
        EXPECT_NEAR(fade->GetBlend(), f.blend, 1e-9);
        EXPECT_EQ(fade->GetClock().IsPlaying(), f.blend > 0.0 && f.blend < 1.0);
    }
    for (const wchar_t* ms : {L"0", L"-5"}) {  // no time to fade: it switches at once
        fade->ApplyAttribute(L"fadeduration", ms);
        PointAt(host.GetHWND(), nullptr);
        EXPECT_EQ(fade->GetBlend(), 0.0);
        PointAt(host.GetHWND(), &fade->GetPos());
        EXPECT_EQ(fade->GetBlend(), 1.0);
        EXPECT_EQ(CMotionClock::RunningTimers(), 0);
    }
}

// The ring's image turns clockwise about its centre, scaled to the control: a red dot at
// the top of a 3 x 3 image comes round to the right, the bottom and the left.
TEST(Ring, TurnsItsImageClockwiseAboutItsCentre) {
    FakeClockScope clock;
    const std::wstring dir = testenv::MakeTempDir(L"ring");
    std::string dot(9, '\1');
    dot[1] = 0;  // red at the top middle, the rest transparent
    ASSERT_TRUE(testenv::WriteFile(dir + L"dot.gif", gifwrite::Header(3, 3, {0xFF0000, 0x000000}) +
                                                          gifwrite::Control(0, 0, 1) +
                                                          gifwrite::Image(0, 0, 3, 3, dot)));
    CUIResourceSettings::Reset();
    CPaintManagerUI::SetResourcePath(dir.c_str());
    {
        CHost host;
        ASSERT_TRUE(host.Open(L"<Window><VerticalLayout><Ring name=\"ring\" width=\"30\" height=\"30\" "
                              L"speed=\"90\" image=\"dot.gif\"/><Control/></VerticalLayout></Window>",
                              60, 60, true));
        auto* ring = static_cast<CRingUI*>(host.Find(L"ring"));
        const POINT kDot[] = {{15, 5}, {25, 15}, {15, 25}, {5, 15}};  // the dot's middle at 0, 90, 180, 270
        for (int quarter = 0; quarter < 4; ++quarter) {
            SCOPED_TRACE(quarter);
            if (quarter > 0) {
                g_now += 1000;
                ASSERT_TRUE(NextTick(host.GetHWND()));
            }
            EXPECT_NEAR(ring->GetAngle(), 90.0 * quarter, 1e-9);
            layouttest::CCanvas canvas(30, 30);
            ring->PaintClipped(canvas.dc(), CUIRect(0, 0, 30, 30), nullptr);
            // Red where the dot is (its edges are blended by the scaling), the background elsewhere.
            auto red = [&](int x, int y) {
                return (canvas.At(x, y) >> 16) > 0xC0 && (canvas.At(x, y) & 0xFFFF) < 0x1010;
            };
            auto clear = [&](int x, int y) { return (canvas.At(x, y) >> 16) < 0x30; };
            for (int k = 0; k < 4; ++k) {
                EXPECT_TRUE(k == quarter ? red(kDot[k].x, kDot[k].y) : clear(kDot[k].x, kDot[k].y))
                    << k << ": " << std::hex << canvas.At(kDot[k].x, kDot[k].y);
            }
            EXPECT_TRUE(clear(15, 15));
        }
        ring->SetSpeed(0);
    }
    CPaintManagerUI::TermFramework();
    CUIResourceSettings::Reset();
    testenv::RemoveTree(dir);
}

TEST(RollText, WrapsAroundInEachDirectionAndHoldsStillUnderThePointer) {
    FakeClockScope clock;
    for (const wchar_t* direction : {L"left", L"right", L"up", L"down"}) {
        SCOPED_TRACE(Narrow(direction));
        CHost host;
        ASSERT_TRUE(host.Open(kEachKind, 300, 60, true));
        auto* roll = static_cast<CRollTextUI*>(host.Find(L"roll"));
        static_cast<CRingUI*>(host.Find(L"ring"))->SetSpeed(0);
        roll->ApplyAttribute(L"direction", direction);
        Settle(host.GetHWND());
        const int round = roll->GetRoundLength();
        ASSERT_GT(round, 0);
        // It starts where a label shows the text: at the left or top edge.
        const double start = roll->GetOffset();
        const bool across = direction[0] == L'l' || direction[0] == L'r';
        const int view = across ? roll->GetPos().GetWidth() : roll->GetPos().GetHeight();
        EXPECT_EQ(start, direction[0] == L'l' || direction[0] == L'u' ? view : round - view);
        // 100 pixels a second: half a round, then past the end of it.
        for (const int ms : {5, 7}) {
            const double expected = std::fmod(roll->GetOffset() + round * ms / 10.0, round);
            g_now += static_cast<DWORD>(round * ms);
            ASSERT_TRUE(NextTick(host.GetHWND()));
            EXPECT_NEAR(roll->GetOffset(), expected, 0.5) << ms;
        }
        const double held = roll->GetOffset();
        PointAt(host.GetHWND(), &roll->GetPos());
        EXPECT_EQ(CMotionClock::RunningTimers(), 0);
        g_now += 300;
        host.Place();
        Settle(host.GetHWND());
        EXPECT_EQ(roll->GetOffset(), held);
        PointAt(host.GetHWND(), nullptr);
        EXPECT_EQ(CMotionClock::RunningTimers(), 1);
    }
}

}  // namespace
