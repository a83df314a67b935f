// What one typed character in a focused edit field repaints, and what it costs.
//
//   edit_type_bench.exe [--rounds N] [--chars N]
//
// A 400x300 window (client size, 100 %) holds a vertical layout: a 30-pixel header label,
// an edit field 30 pixels high with 10-pixel margins, and a label filling the rest. The
// field has the focus, so the system's edit window is open in it. Each character is sent
// to that window as the keyboard would deliver it (WM_CHAR); afterwards the update regions
// of the paint window and of the edit window are read and their bounding box compared
// with the field's rectangle (its area ratio must stay at most 1.0: nothing outside the
// field is invalidated). Then both windows paint. The same is done in a layered window,
// where the framework repaints the field to print the edit window into its picture.
//
// Each round gives one sample per window: the mean time of its characters (typed and
// painted). A sample over twice its window's fastest is dropped as disturbed and counted;
// the figure is the median of the rest (at least 7 rounds). The area ratio is the
// largest of all characters typed.
// Lines starting with "table:" carry the figures that bench/run collects per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_stats.h"
#include "bench/bench_window.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/widgets/input/edit.h"
#include "ui/widgets/widget_registry.h"

using namespace SkinUI;

namespace {

const int kWidth = 400;
const int kHeight = 300;
const wchar_t kMarkup[] =
    L"<Window><VerticalLayout bkcolor=\"#FFF0F0F0\">"
    L"<Label height=\"30\" text=\"Sign in\" bkcolor=\"#FFE0E0E0\"/>"
    L"<Edit name=\"field\" height=\"30\" padding=\"10,10,10,10\" bordersize=\"1\" bordercolor=\"#FF808080\" "
    L"textpadding=\"4,0,4,0\" maxchar=\"0\"/>"
    L"<Label text=\"The rest of the window\"/>"
    L"</VerticalLayout></Window>";

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CPaintManagerUI::TranslateUIMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct TWindow : TBenchWindow {
    CEditUI* edit = nullptr;

    bool Open(HINSTANCE instance, bool layered) {
        if (!Create(instance, L"EditTypeBench", kWidth, kHeight, WS_POPUP | WS_CLIPCHILDREN)) return false;
        CSkinBuilder builder;
        if (!pm.AttachRoot(builder.Create(kMarkup, nullptr, nullptr, &pm, nullptr))) return false;
        Route();
        if (layered) pm.SetLayered(true);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd);
        Pump();
        CControlUI* field = pm.FindControlByName(L"field");
        edit = field != nullptr ? static_cast<CEditUI*>(field->GetInterface(L"Edit")) : nullptr;
        if (edit == nullptr) return false;
        pm.SetFocusControl(edit);
        Pump();
        return edit->GetHostWindow() != nullptr;
    }
    void Settle() {
        UpdateWindow(hwnd);
        UpdateWindow(edit->GetHostWindow());
        Pump();
    }
};

// Types one character; returns the bounding box of what it invalidated, in client pixels.
RECT TypeOne(TWindow& w, wchar_t ch) {
    HWND field = w.edit->GetHostWindow();
    SendMessageW(field, WM_CHAR, ch, 1);
    RECT parent = {}, child = {};
    GetUpdateRect(w.hwnd, &parent, FALSE);
    GetUpdateRect(field, &child, FALSE);
    MapWindowPoints(field, w.hwnd, reinterpret_cast<POINT*>(&child), 2);
    RECT all = {};
    UnionRect(&all, &parent, &child);
    return all;
}

// Seconds per character typed and painted; `worst` gets the largest invalidated area ratio.
double TypeRound(TWindow& w, int chars, double& worst) {
    w.edit->SetText(L"");
    w.Settle();
    const CUIRect item = w.edit->GetPos();
    const double itemArea = static_cast<double>(item.GetWidth()) * item.GetHeight();
    const double t0 = Now();
    for (int i = 0; i < chars; ++i) {
        const RECT dirty = TypeOne(w, static_cast<wchar_t>(L'a' + i % 26));
        RECT inside = {};
        IntersectRect(&inside, &dirty, &item);
        const double area = static_cast<double>(dirty.right - dirty.left) * (dirty.bottom - dirty.top);
        const bool outside = !EqualRect(&inside, &dirty) && !IsRectEmpty(&dirty);
        // Anything outside the field counts as more than the field.
        worst = std::max(worst, outside ? std::max(1.0 + 1e-9, area / itemArea) : area / itemArea);
        w.Settle();
    }
    return (Now() - t0) / chars;
}


}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 11;
    int chars = 40;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(7, _wtoi(argv[++i]));
        else if (std::wcscmp(argv[i], L"--chars") == 0) chars = std::max(1, _wtoi(argv[++i]));
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    RegisterWidgetControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"EditTypeBench";
    RegisterClassW(&wc);

    const char* const kinds[2] = {"plain", "layered"};
    TWindow windows[2];
    for (int i = 0; i < 2; ++i) {
        if (!windows[i].Open(instance, i == 1)) {
            std::printf("edit_type_bench: the %s window's edit field did not open\n", kinds[i]);
            return 1;
        }
    }
    double worst[2] = {0, 0};
    for (TWindow& w : windows) TypeRound(w, 5, worst[&w - windows]);  // fonts measured, windows settled
    std::vector<double> samples[2];
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < 2; ++i) samples[i].push_back(TypeRound(windows[i], chars, worst[i]));
    }
    const CUIRect item = windows[0].edit->GetPos();
    std::printf("edit_type_bench: window %dx%d (client, 100 %%), edit field %dx%d at %ld,%ld, "
                "%d rounds of %d characters\n", kWidth, kHeight, item.GetWidth(), item.GetHeight(), item.left,
                item.top, rounds, chars);
    for (int i = 0; i < 2; ++i) {
        int dropped = 0;
        const double perChar = KeptMedian(samples[i], dropped);
        std::printf("  %-7s window: %8.2f us per typed and painted character (median of %d rounds, %d dropped), "
                    "largest invalidated area / field area %.3f\n",
                    kinds[i], perChar * 1e6, rounds - dropped, dropped, worst[i]);
        std::printf("table: typed character in a focused edit (%s window), invalidated area / edit area: %.2f "
                    "(at most 1.0)\n", kinds[i], worst[i]);
    }
    return 0;
}
