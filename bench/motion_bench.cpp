// What the gallery's text-and-motion page costs while it moves, and while nobody sees it.
//
//   motion_bench.exe <gallery folder> [--rounds N]
//
// The page (page_motion.xml) opens in a 640x360 window (client size, 100 %) with its own
// message loop. Each round:
//  - shown: every moving control runs for 300 ms; the timer messages the window gets are counted;
//  - minimised: the window is minimised and its loop runs on for 1000 ms; the timer messages
//    it gets then are counted (there must be none), and the window is restored.
//  - one control at a time (the others held still): for 200 ms every paint's update region is
//    read before the page paints, and its area divided by the visible area of the control
//    (which must be 1.0: a tick repaints the control and nothing else); the fading button is
//    faded by a pointer message over it.
// Figures are medians of the rounds (at least 7); the area ratio is the largest control's.
// Lines starting with "table:" carry the figures that bench/run collects per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/widgets/motion/fade_button.h"
#include "ui/widgets/motion/gif_anim.h"
#include "ui/widgets/motion/ring.h"
#include "ui/widgets/motion/roll_text.h"
#include "ui/widgets/widget_registry.h"

using namespace SkinUI;

namespace {

const int kWidth = 640;
const int kHeight = 360;

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long long RegionArea(HRGN rgn) {
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    if (size == 0) return 0;
    std::vector<BYTE> data(size);
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    if (GetRegionData(rgn, size, rd) == 0) return 0;
    const RECT* rects = reinterpret_cast<const RECT*>(rd->Buffer);
    long long area = 0;
    for (DWORD i = 0; i < rd->rdh.nCount; ++i) {
        area += static_cast<long long>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    }
    return area;
}

// Counts the window's timer messages and measures each paint's update region.
class CWatcher final : public IMessageFilterUI {
public:
    LRESULT FilterMessage(UINT msg, WPARAM, LPARAM, bool&) override {
        if (msg == WM_TIMER) ++timers;
        if (msg == WM_PAINT && hwnd != nullptr) {
            HRGN rgn = CreateRectRgn(0, 0, 0, 0);
            if (GetUpdateRgn(hwnd, rgn, FALSE) != NULLREGION) {
                paintedArea += RegionArea(rgn);
                ++paints;
            }
            DeleteObject(rgn);
        }
        return 0;
    }
    HWND hwnd = nullptr;
    long timers = 0;
    long paints = 0;
    long long paintedArea = 0;
};

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        // Timers and paints can keep the queue busy: the time is checked between messages too.
        while (GetTickCount() - start < ms && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (CPaintManagerUI::TranslateUIMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } while (GetTickCount() - start < ms);
}

struct TPage : TBenchWindow {
    CWatcher watcher;
    std::vector<CControlUI*> movers;

    bool Open(HINSTANCE instance) {
        if (!Create(instance, L"MotionBench", kWidth, kHeight, WS_POPUP | WS_CLIPCHILDREN, L"motion")) return false;
        CSkinBuilder builder;
        if (!pm.AttachRoot(builder.Create(L"page_motion.xml", nullptr, nullptr, &pm, nullptr))) return false;
        Route();
        watcher.hwnd = hwnd;
        pm.AddMessageFilter(&watcher);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd);
        for (const wchar_t* name : {L"ring", L"ring_slow", L"gif", L"fade", L"news", L"credits", L"ticker"}) {
            if (CControlUI* c = pm.FindControlByName(name)) movers.push_back(c);
        }
        return movers.size() == 7;
    }
    // Lets `only` move (all of them when null) and holds the others still.
    void MoveOnly(CControlUI* only) {
        for (CControlUI* c : movers) {
            const bool move = only == nullptr || c == only;
            if (auto* ring = static_cast<CRingUI*>(c->GetInterface(L"Ring"))) ring->SetSpeed(move ? 180 : 0);
            if (auto* gif = static_cast<CGifAnimUI*>(c->GetInterface(L"GifAnim"))) {
                if (move) gif->PlayGif();
                else gif->PauseGif();
            }
            if (auto* roll = static_cast<CRollTextUI*>(c->GetInterface(L"RollText"))) roll->SetSpeed(move ? 60 : 0);
        }
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: motion_bench.exe <gallery folder> [--rounds N]\n");
        return 2;
    }
    int rounds = 7;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(7, _wtoi(argv[++i]));
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    CPaintManagerUI::SetResourcePath(argv[1]);
    RegisterWidgetControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MotionBench";
    RegisterClassW(&wc);

    TPage page;
    if (!page.Open(instance)) {
        std::printf("motion_bench: the page did not open with its seven moving controls\n");
        return 1;
    }
    std::vector<double> shownTicks, shownClockTicks, minimisedTicks;
    std::vector<std::vector<double>> perControl(page.movers.size());
    for (int r = 0; r < rounds; ++r) {
        page.MoveOnly(nullptr);
        long before = page.watcher.timers;
        const unsigned long ticksBefore = CMotionClock::TicksTaken();
        PumpFor(300);
        shownTicks.push_back(page.watcher.timers - before);
        shownClockTicks.push_back(double(CMotionClock::TicksTaken() - ticksBefore));
        ShowWindow(page.hwnd, SW_MINIMIZE);
        PumpFor(50);  // the minimising itself settles
        before = page.watcher.timers;
        PumpFor(1000);
        minimisedTicks.push_back(page.watcher.timers - before);
        ShowWindow(page.hwnd, SW_RESTORE);
        UpdateWindow(page.hwnd);
        PumpFor(50);
        for (size_t i = 0; i < page.movers.size(); ++i) {
            CControlUI* c = page.movers[i];
            page.MoveOnly(c);
            const bool fade = c->GetInterface(L"FadeButton") != nullptr;
            UpdateWindow(page.hwnd);
            PumpFor(30);
            const long paints = page.watcher.paints;
            const long long area = page.watcher.paintedArea;
            if (fade) {
                const RECT rc = c->GetPos();
                SendMessageW(page.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
                ValidateRect(page.hwnd, nullptr);  // the hover's own repaint is not a tick's
            }
            PumpFor(200);
            if (fade) SendMessageW(page.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
            RECT visible = c->GetPos(), client;
            GetClientRect(page.hwnd, &client);
            IntersectRect(&visible, &visible, &client);
            const long long own = static_cast<long long>(visible.right - visible.left) * (visible.bottom - visible.top);
            const long n = page.watcher.paints - paints;
            if (n > 0 && own > 0) perControl[i].push_back(double(page.watcher.paintedArea - area) / n / own);
            PumpFor(fade ? 300 : 0);
        }
    }
    std::printf("motion_bench: page_motion.xml in a %dx%d window, %d rounds\n", kWidth, kHeight, rounds);
    double worst = 0;
    for (size_t i = 0; i < page.movers.size(); ++i) {
        const std::string name(page.movers[i]->GetName().GetData(),
                               page.movers[i]->GetName().GetData() + page.movers[i]->GetName().GetLength());
        if (perControl[i].empty()) {
            std::printf("  %-10s did not move (no frames?)\n", name.c_str());
            continue;
        }
        const double ratio = Median(perControl[i]);
        worst = std::max(worst, ratio);
        std::printf("  %-10s repainted area per paint / its own area: %.3f (median of %zu rounds)\n", name.c_str(),
                    ratio, perControl[i].size());
    }
    std::printf("  timer messages while shown, 300 ms: %.0f (median; %.0f motion ticks); while minimised, 1000 ms: "
                "%.0f (median), largest %.0f\n", Median(shownTicks), Median(shownClockTicks), Median(minimisedTicks),
                *std::max_element(minimisedTicks.begin(), minimisedTicks.end()));
    std::printf("table: motion page minimised for 1 s, timer ticks: %.0f (must be 0)\n", Median(minimisedTicks));
    std::printf("table: motion page, repainted area per tick / animated control's area: %.2f (must be 1.0)\n", worst);
    return 0;
}
