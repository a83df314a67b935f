// Paint cost of a scrolled list against its length, and what one wheel step repaints.
//
//   scroll_paint_bench.exe [--rounds N] [--frames N]
//
// A 400x300 window (client size, 100 %) holds a vertical layout: a 30-pixel header
// label over a list (a vertical layout with a scroll bar) of 24-pixel labels, each
// with a line of text. The list is laid out once and scrolled to the middle; a frame
// paints the whole client area into a 32-bit memory bitmap. The same is done for 20
// labels (480 pixels, already more than the list shows) and for 10,000, frames of the
// two taking turns round by round so that load on a shared machine falls on both.
//
// Each round gives one sample per list: the mean of its frames. A sample over twice
// its list's fastest is dropped as disturbed and counted; the figure is the median of
// the rest (at least 7 rounds). Then one WM_MOUSEWHEEL goes through the window's paint
// manager, and the window's update region is compared with the list's rectangle.
// Lines starting with "table:" carry the figures that bench/run collects per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_stats.h"
#include "bench/bench_window.h"
#include "ui/controls/label.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;

namespace {

const int kWidth = 400;
const int kHeight = 300;

// A window, its paint manager and the header-over-list tree.
struct TScrolledList : TBenchWindow {
    CVerticalLayoutUI* root = nullptr;
    CVerticalLayoutUI* list = nullptr;

    bool Open(HINSTANCE instance, int rows) {
        if (!Create(instance, L"ScrollPaintBench", kWidth, kHeight, WS_POPUP | WS_VISIBLE)) return false;
        root = new CVerticalLayoutUI;
        root->ApplyAttributeString(L"bkcolor=\"#FFFFFFFF\"");
        auto* header = new CLabelUI;
        header->ApplyAttributeString(L"height=\"30\" text=\"Header\" bkcolor=\"#FFE0E0E0\"");
        root->Add(header);
        list = new CVerticalLayoutUI;
        list->ApplyAttribute(L"vscrollbar", L"true");
        root->Add(list);
        for (int i = 0; i < rows; ++i) {
            auto* row = new CLabelUI;
            row->ApplyAttribute(L"height", L"24");
            row->SetText((L"Row " + std::to_wstring(i) + L" of the list").c_str());
            list->Add(row);
        }
        pm.AttachRoot(root);
        Route();
        root->PlaceAt(CUIRect(0, 0, kWidth, kHeight), false);
        const SIZE range = list->GetScrollRange();
        list->SetScrollPos(SIZE{0, range.cy / 2});
        return range.cy > 0;
    }
};

// Seconds per frame of painting the whole client area.
double FrameTime(TScrolledList& list, HDC dc, int frames) {
    const RECT all = {0, 0, kWidth, kHeight};
    GdiFlush();
    const double t0 = Now();
    for (int i = 0; i < frames; ++i) list.root->PaintClipped(dc, all, nullptr);
    GdiFlush();
    return (Now() - t0) / frames;
}


}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 9;
    int frames = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(7, _wtoi(argv[++i]));
        else if (std::wcscmp(argv[i], L"--frames") == 0) frames = std::max(1, _wtoi(argv[++i]));
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    CControlFactory::Instance().RegisterControl(L"CScrollBarUI", []() -> CControlUI* { return new CScrollBarUI; });
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ScrollPaintBench";
    RegisterClassW(&wc);

    const int counts[2] = {20, 10000};
    TScrolledList lists[2];
    for (int i = 0; i < 2; ++i) {
        if (!lists[i].Open(instance, counts[i])) {
            std::printf("scroll_paint_bench: the list of %d rows could not be built or does not overflow\n", counts[i]);
            return 1;
        }
    }
    TSurface target(kWidth, kHeight);
    for (TScrolledList& list : lists) FrameTime(list, target.dc, 50);  // fonts measured, text laid out

    std::vector<double> samples[2];
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < 2; ++i) samples[i].push_back(FrameTime(lists[i], target.dc, frames));
    }
    int dropped[2] = {0, 0};
    const double perFrame[2] = {KeptMedian(samples[0], dropped[0]), KeptMedian(samples[1], dropped[1])};

    // One wheel step over the middle of the list.
    TScrolledList& big = lists[1];
    UpdateWindow(big.hwnd);
    ValidateRect(big.hwnd, nullptr);
    const CUIRect listRect = big.list->GetPos();
    const int before = big.list->GetScrollPos().cy;
    POINT at = {(listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2};
    ClientToScreen(big.hwnd, &at);
    SendMessageW(big.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(at.x, at.y));
    RECT dirty = {};
    GetUpdateRect(big.hwnd, &dirty, FALSE);
    const double listArea = static_cast<double>(listRect.GetWidth()) * listRect.GetHeight();
    const double dirtyArea = static_cast<double>(dirty.right - dirty.left) * (dirty.bottom - dirty.top);

    std::printf("scroll_paint_bench: window %dx%d (client, 100 %%), rows of 24 px scrolled to the middle, "
                "%d rounds of %d frames\n", kWidth, kHeight, rounds, frames);
    for (int i = 0; i < 2; ++i) {
        std::printf("  %5d rows  whole-client paint %8.2f us/frame (median of %d rounds, %d dropped)\n", counts[i],
                    perFrame[i] * 1e6, rounds - dropped[i], dropped[i]);
    }
    std::printf("  wheel step: position %d -> %ld, invalidated %ld,%ld-%ld,%ld, list %ld,%ld-%ld,%ld\n", before,
                big.list->GetScrollPos().cy, dirty.left, dirty.top, dirty.right, dirty.bottom, listRect.left,
                listRect.top, listRect.right, listRect.bottom);
    std::printf("table: scrolled list paint, 10,000 rows / 20 rows: %.2f (at most 1.5)\n", perFrame[1] / perFrame[0]);
    std::printf("table: wheel step, invalidated area / list area: %.2f\n", listArea > 0 ? dirtyArea / listArea : 0.0);
    return 0;
}
