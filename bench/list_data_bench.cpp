// A list fed by data against its length, and a list of row controls against its length.
//
//   list_data_bench.exe [--rounds N]
//   list_data_bench.exe --memory ROWS     (one process per list: its peak working set)
//
// A 320x300 window (client size, 100 %) holds a multiple-selection list with a header
// of two columns and rows of 20 pixels. For lists fed by data (texts made by "rowcount"
// and "rowformat") of 100 and 1,000,000 rows it times:
//   - creation and first frame: the window made, the list built and laid out, and
//     its first WM_PAINT (UpdateWindow);
//   - one wheel step (WM_MOUSEWHEEL through the window, then its repaint), alternately
//     down and up from the middle;
//   - End then Home (WM_KEYDOWN to the focused list, each followed by its repaint).
// For lists of 100 and 10,000 row controls (CListTextElementUI) it times a frame: the
// whole client area painted into a 32-bit memory bitmap, scrolled to the middle.
// Lists of one comparison take turns round by round so that load on a shared machine
// falls on both; a sample over twice its list's fastest is dropped as disturbed and
// counted; the figure is the median of the rest (at least 7 rounds).
// The peak working set of each data-fed list is read from a process of its own that
// builds the list, paints it and goes End, Home and one wheel step: 7 processes each,
// the median taken. Lines starting with "table:" carry the figures that bench/run
// collects per build.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_stats.h"
#include "bench/bench_window.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list.h"
#include "ui/widgets/list/list_element.h"
#include "ui/widgets/list/list_header.h"
#include "ui/widgets/widget_registry.h"

using namespace SkinUI;

namespace {

const int kWidth = 320;
const int kHeight = 300;
const wchar_t kClass[] = L"ListDataBench";
const wchar_t kList[] =
    L"height=\"300\" itemheight=\"20\" multiselect=\"true\" itemaltbkcolor=\"#FFF0F0F0\""
    L" itemselectedbkcolor=\"#FF3060C0\" rowformat=\"Row {n}|{i}\"";

// A window holding one list: fed by data (`data`) or of row controls.
struct TListWindow : TBenchWindow {
    CVerticalLayoutUI* root = nullptr;
    CListUI* list = nullptr;

    bool Open(HINSTANCE instance, int rows, bool data) {
        if (!Create(instance, kClass, kWidth, kHeight, WS_POPUP | WS_VISIBLE)) return false;
        root = new CVerticalLayoutUI;
        root->ApplyAttributeString(L"bkcolor=\"#FFFFFFFF\"");
        list = new CListUI;
        list->ApplyAttributeString(kList);
        auto* header = new CListHeaderUI;
        header->ApplyAttribute(L"height", L"24");
        for (const wchar_t* name : {L"Name", L"Index"}) {
            auto* column = new CListHeaderItemUI;
            column->ApplyAttributeString(L"width=\"140\"");
            column->SetText(name);
            header->Add(column);
        }
        list->Add(header);
        if (data) {
            list->ApplyAttribute(L"rowcount", std::to_wstring(rows).c_str());
        } else {
            for (int i = 0; i < rows; ++i) {
                auto* row = new CListTextElementUI;
                row->SetTexts((L"Row " + std::to_wstring(i + 1) + L"|" + std::to_wstring(i)).c_str());
                list->Add(row);
            }
        }
        root->Add(list);
        pm.AttachRoot(root);
        Route();
        root->PlaceAt(CUIRect(0, 0, kWidth, kHeight), false);
        return list->GetRowCount() == rows;
    }
    void Paint() {
        UpdateWindow(hwnd);
        GdiFlush();
    }
    void Wheel(bool down) {
        POINT at = {kWidth / 2, kHeight / 2};
        ClientToScreen(hwnd, &at);
        SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(down ? -WHEEL_DELTA : WHEEL_DELTA)),
                     MAKELPARAM(at.x, at.y));
        Paint();
    }
    void Key(UINT vk) {
        SendMessageW(hwnd, WM_KEYDOWN, vk, 1);
        Paint();
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Seconds from nothing to the data-fed list's first frame; -1 when it could not be built.
double CreationTime(HINSTANCE instance, int rows) {
    GdiFlush();
    const double t0 = Now();
    double t = -1;
    {
        TListWindow w;
        if (w.Open(instance, rows, true)) {
            w.Paint();
            t = Now() - t0;
        }
    }
    Pump();
    return t;
}

double WheelTime(TListWindow& w, bool down) {
    const double t0 = Now();
    w.Wheel(down);
    return Now() - t0;
}

double EndHomeTime(TListWindow& w) {
    const double t0 = Now();
    w.Key(VK_END);
    w.Key(VK_HOME);
    return Now() - t0;
}

// Seconds per frame of painting the whole client area.
double FrameTime(TListWindow& w, HDC dc, int frames) {
    const RECT all = {0, 0, kWidth, kHeight};
    GdiFlush();
    const double t0 = Now();
    for (int i = 0; i < frames; ++i) w.root->PaintClipped(dc, all, nullptr);
    GdiFlush();
    return (Now() - t0) / frames;
}

// The figure of two lists, printed, and their ratio.
double Report(const char* what, const int counts[2], std::vector<double> samples[2]) {
    int dropped[2] = {0, 0};
    const double med[2] = {KeptMedian(samples[0], dropped[0]), KeptMedian(samples[1], dropped[1])};
    for (int i = 0; i < 2; ++i) {
        std::printf("  %-26s %8d rows %10.2f us (median of %d, %d dropped)\n", what, counts[i], med[i] * 1e6,
                    static_cast<int>(samples[i].size()) - dropped[i], dropped[i]);
    }
    return med[0] > 0 ? med[1] / med[0] : 0;
}

// In a process of its own: builds, paints and moves through a data-fed list; the exit
// code is the process's peak working set in KiB (0 when something failed).
int MemoryChild(HINSTANCE instance, int rows) {
    TListWindow w;
    if (!w.Open(instance, rows, true)) return 0;
    w.Paint();
    w.list->SetFocus();
    w.Key(VK_END);
    w.Key(VK_HOME);
    w.Wheel(true);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc))) return 0;
    return static_cast<int>(pmc.PeakWorkingSetSize / 1024);
}

// The peak working set (KiB) of a child process showing a data-fed list; 0 on failure.
double ChildPeak(int rows) {
    wchar_t self[MAX_PATH];
    if (GetModuleFileNameW(nullptr, self, MAX_PATH) == 0) return 0;
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" --memory " + std::to_wstring(rows);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
    DWORD code = 0;
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<double>(code);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 15;
    int memoryRows = -1;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(7, _wtoi(argv[++i]));
        else if (std::wcscmp(argv[i], L"--memory") == 0) memoryRows = _wtoi(argv[++i]);
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    RegisterWidgetControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    if (memoryRows >= 0) return MemoryChild(instance, memoryRows);

    std::printf("list_data_bench: window %dx%d (client, 100 %%), rows of 20 px under a two-column header, %d rounds\n",
                kWidth, kHeight, rounds);
    const int dataCounts[2] = {100, 1000000};
    std::vector<double> create[2], wheel[2], endHome[2];
    for (int i = 0; i < 2; ++i) {
        if (CreationTime(instance, dataCounts[i]) < 0) {
            std::printf("list_data_bench: the list of %d rows could not be built\n", dataCounts[i]);
            return 1;
        }
    }
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < 2; ++i) create[i].push_back(CreationTime(instance, dataCounts[i]));
    }
    {
        TListWindow lists[2];
        for (int i = 0; i < 2; ++i) {
            lists[i].Open(instance, dataCounts[i], true);
            lists[i].Paint();
            lists[i].list->SetFocus();
            lists[i].list->SelectItem(dataCounts[i] / 2, false);
            lists[i].list->ShowRow(dataCounts[i] / 2);
            lists[i].Paint();
        }
        for (int r = 0; r < rounds; ++r) {
            for (int i = 0; i < 2; ++i) {
                wheel[i].push_back(WheelTime(lists[i], (r & 1) == 0));
                endHome[i].push_back(EndHomeTime(lists[i]));
            }
        }
    }
    const double createRatio = Report("creation + first frame", dataCounts, create);
    const double wheelRatio = Report("one wheel step", dataCounts, wheel);
    const double endHomeRatio = Report("End then Home", dataCounts, endHome);

    // Row controls: one frame of each list, scrolled to the middle.
    const int controlCounts[2] = {100, 10000};
    std::vector<double> frames[2];
    {
        TListWindow lists[2];
        for (int i = 0; i < 2; ++i) {
            if (!lists[i].Open(instance, controlCounts[i], false)) {
                std::printf("list_data_bench: the list of %d row controls could not be built\n", controlCounts[i]);
                return 1;
            }
            lists[i].list->SetScrollPos(SIZE{0, lists[i].list->GetScrollRange().cy / 2});
        }
        TSurface surface(kWidth, kHeight);
        for (int r = 0; r < rounds; ++r) {
            for (int i = 0; i < 2; ++i) frames[i].push_back(FrameTime(lists[i], surface.dc, 100));
        }
    }
    const double frameRatio = Report("frame of row controls", controlCounts, frames);

    std::vector<double> peaks[2];
    for (int r = 0; r < 7; ++r) {
        for (int i = 0; i < 2; ++i) peaks[i].push_back(ChildPeak(dataCounts[i]));
    }
    std::sort(peaks[0].begin(), peaks[0].end());
    std::sort(peaks[1].begin(), peaks[1].end());
    const double peak[2] = {peaks[0][3] / 1024.0, peaks[1][3] / 1024.0};
    if (peak[0] <= 0 || peak[1] <= 0) {
        std::printf("list_data_bench: a memory process failed\n");
        return 1;
    }
    for (int i = 0; i < 2; ++i)
        std::printf("  %-26s %8d rows %10.2f MiB (median of 7 processes)\n", "peak working set", dataCounts[i], peak[i]);

    std::printf("table: data-fed list creation + first frame, 1,000,000 rows / 100: %.2f (at most 1.5)\n", createRatio);
    std::printf("table: data-fed list one wheel step, 1,000,000 rows / 100: %.2f (at most 1.5)\n", wheelRatio);
    std::printf("table: data-fed list End then Home, 1,000,000 rows / 100: %.2f (at most 1.5)\n", endHomeRatio);
    std::printf("table: data-fed list peak working set, 1,000,000 rows - 100: %+.2f MiB (at most 16)\n",
                peak[1] - peak[0]);
    std::printf("table: list frame, 10,000 row controls / 100: %.2f (at most 1.5)\n", frameRatio);
    return 0;
}
