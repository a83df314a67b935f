// First frame of an opened combo drop-down against the number of its items.
//
//   combo_dropdown_bench.exe [--rounds N]
//
// A 300x200 window (client size, 100 %) holds a combo 24 pixels high whose drop-down
// is at most 400 pixels high, with rows of 20 pixels: 20 items just fill it, 1,000
// make it scroll. A sample is one opening: the popup window made, laid out and its
// first frame painted (UpdateWindow), then closed again. Openings of the two combos
// take turns round by round so that load on a shared machine falls on both. A sample
// over twice its combo's fastest is dropped as disturbed and counted; the figure is
// the median of the rest (at least 7 rounds).
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
#include "ui/controls/vertical_layout.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/combo.h"
#include "ui/widgets/widget_registry.h"

using namespace SkinUI;

namespace {

const int kWidth = 300;
const int kHeight = 200;

struct TComboWindow : TBenchWindow {
    CComboUI* combo = nullptr;

    bool Open(HINSTANCE instance, int items) {
        if (!Create(instance, L"ComboDropBench", kWidth, kHeight, WS_POPUP | WS_VISIBLE)) return false;
        auto* root = new CVerticalLayoutUI;
        root->ApplyAttributeString(L"bkcolor=\"#FFFFFFFF\"");
        combo = new CComboUI;
        combo->ApplyAttributeString(L"height=\"24\" dropboxsize=\"0,400\" itemheight=\"20\"");
        combo->SetDropBoxAttributes(L"inset=\"0,0,0,0\" bordersize=\"0\"");
        root->Add(combo);
        for (int i = 0; i < items; ++i) {
            auto* item = new CLabelUI;
            item->SetText((L"Item " + std::to_wstring(i) + L" of the list").c_str());
            combo->Add(item);
        }
        pm.AttachRoot(root);
        Route();
        root->PlaceAt(CUIRect(0, 0, kWidth, kHeight), false);
        combo->SelectItem(items / 2, false);
        return true;
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Seconds from the opening to the end of the drop-down's first frame; -1 when it did not open.
double OpenTime(TComboWindow& w) {
    GdiFlush();
    const double t0 = Now();
    if (!w.combo->OpenDropDown()) return -1;
    UpdateWindow(w.combo->GetDropWindow());
    GdiFlush();
    const double t = Now() - t0;
    w.combo->CloseDropDown();
    Pump();
    return t;
}


}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 15;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(7, _wtoi(argv[++i]));
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    RegisterWidgetControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ComboDropBench";
    RegisterClassW(&wc);

    const int counts[2] = {20, 1000};
    TComboWindow windows[2];
    for (int i = 0; i < 2; ++i) {
        if (!windows[i].Open(instance, counts[i]) || OpenTime(windows[i]) < 0) {
            std::printf("combo_dropdown_bench: the combo of %d items could not be built or opened\n", counts[i]);
            return 1;
        }
    }
    std::vector<double> samples[2];
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < 2; ++i) samples[i].push_back(OpenTime(windows[i]));
    }
    int dropped[2] = {0, 0};
    const double first[2] = {KeptMedian(samples[0], dropped[0]), KeptMedian(samples[1], dropped[1])};
    std::printf("combo_dropdown_bench: window %dx%d (client, 100 %%), drop-down up to 400 px of 20-px rows, "
                "%d rounds\n", kWidth, kHeight, rounds);
    for (int i = 0; i < 2; ++i) {
        std::printf("  %5d items  open + first frame %8.2f us (median of %d, %d dropped)\n", counts[i],
                    first[i] * 1e6, rounds - dropped[i], dropped[i]);
    }
    std::printf("table: combo drop-down first frame, 1,000 items / 20 items: %.2f (at most 1.5)\n", first[1] / first[0]);
    return 0;
}
