// Start-up time: from process creation to the first painted frame of a window, for the
// launcher's repair window and for a plain Win32 window of the same size, in one run.
//   startup_bench <launcher.exe> <launcher dir> <baseline.exe> [runs]
// The launcher must find a repair to do (marker "0") so that its window appears; the
// caller sets that up. A window counts as painted once its client centre reads white.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    double ms = -1;
    SIZE_T peakWorkingSet = 0;
};

bool PaintedWhite(HWND w) {
    RECT rc;
    if (!IsWindowVisible(w) || !GetClientRect(w, &rc)) return false;
    HDC dc = GetDC(w);
    if (!dc) return false;
    const COLORREF c = GetPixel(dc, (rc.right - rc.left) / 2, 8);
    ReleaseDC(w, dc);
    return c == RGB(255, 255, 255);
}

Sample Measure(const std::wstring& exe, const std::wstring& dir, const wchar_t* cls, const wchar_t* title) {
    Sample s;
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(),
                        &si, &pi))
        return s;
    for (int i = 0; i < 20000; ++i) {
        HWND w = FindWindowW(cls, title);
        if (w && PaintedWhite(w)) {
            QueryPerformanceCounter(&t1);
            s.ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc))) s.peakWorkingSet = pmc.PeakWorkingSetSize;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Sleep(300);
    return s;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench <launcher.exe> <launcher dir> <baseline.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 7;
    std::vector<double> launcher, baseline;
    SIZE_T peak = 0;
    for (int i = 0; i < runs; ++i) {
        Sample b = Measure(argv[3], L"", L"PlainBaseline", L"Baseline");
        Sample l = Measure(argv[1], argv[2], L"Start", L"Tavrel");
        if (b.ms >= 0) baseline.push_back(b.ms);
        if (l.ms >= 0) launcher.push_back(l.ms);
        peak = std::max(peak, l.peakWorkingSet);
    }
    const double lm = Median(launcher), bm = Median(baseline);
    std::printf("start-up to first paint, median of %d runs\n", runs);
    std::printf("  repair window (launcher):   %8.1f ms  (%zu good runs)\n", lm, launcher.size());
    std::printf("  plain Win32 window:         %8.1f ms  (%zu good runs)\n", bm, baseline.size());
    if (lm > 0 && bm > 0) std::printf("  ratio launcher / baseline:  %8.2f\n", lm / bm);
    std::printf("  launcher peak working set:  %8.1f MiB\n", static_cast<double>(peak) / (1024.0 * 1024.0));
    return launcher.empty() || baseline.empty() ? 1 : 0;
}
