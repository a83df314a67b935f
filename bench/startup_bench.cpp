// Start-up of the launcher against the least a program does, in one run.
//
//   startup_bench repair <launcher.exe> <launcher dir> <baseline.exe> [runs (7 at least)]
//       From process creation to the first painted frame of the repair window, against a
//       plain Win32 window of the same size; the launcher's phase timeline; peak working
//       sets of both. The caller sets the marker to "0" so that the window appears.
//   startup_bench idle <launcher.exe> <launcher dir> [seconds]
//       Keeps the repair window up for that long (default 3 s), printing the launcher's CPU
//       time as the system reports it (Wine reports none for other processes: bench/run
//       reads it from /proc meanwhile) and its peak working set. The caller makes the
//       repair last long enough.
//   startup_bench game <launcher.exe> <launcher dir> [runs (7 at least)] [least-launcher.exe]
//       From process creation to the game's window, started by the launcher (marker "1")
//       against starting the game from the same directory directly, and against the least
//       launcher: a program that only starts the game (the floor of any launcher, which
//       pays for a second process start).
//
// Every side is waited for the same way (a look each millisecond). A run whose window
// never came gives no value: each figure says how many runs it left out. Lines starting
// with "table:" carry the figures that bench/run collects per build.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "launcher/startup_timeline.h"

namespace {

constexpr int kPhases = static_cast<int>(StartupPhase::Count);
const char* const kPhaseNames[kPhases] = {
    "process created", "guard",          "configuration", "logging and paths", "compatibility checks",
    "marker and products", "skin load and build", "window creation", "first paint", "game started"};

struct Sample {
    double ms = -1;              // from just before CreateProcess to the awaited window
    double phaseMs[kPhases];     // phases after process creation (-1: not reached)
    double createdMs = -1;       // process creation after the CreateProcess call
    SIZE_T peakWorkingSet = 0;
    Sample() { std::fill(phaseMs, phaseMs + kPhases, -1.0); }
};

// A block named for one run, handed to the child through the environment.
class CTimelineBlock {
public:
    explicit CTimelineBlock(int run) {
        m_name = L"QvxStartupTimeline-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(run);
        m_mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TStartupTimeline),
                                       m_name.c_str());
        if (m_mapping)
            m_view = static_cast<TStartupTimeline*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, 0));
        if (m_view) {
            ZeroMemory(m_view, sizeof(*m_view));
            m_view->magic = kTimelineMagic;
        }
        SetEnvironmentVariableW(kTimelineEnvVar, m_name.c_str());
    }
    ~CTimelineBlock() {
        SetEnvironmentVariableW(kTimelineEnvVar, nullptr);
        if (m_view) UnmapViewOfFile(m_view);
        if (m_mapping) CloseHandle(m_mapping);
    }
    CTimelineBlock(const CTimelineBlock&) = delete;
    CTimelineBlock& operator=(const CTimelineBlock&) = delete;

    // Phases in ms after the process's creation; the creation after `t0Counter`.
    void Read(long long t0Counter, Sample& s) const {
        if (!m_view || m_view->frequency <= 0 || m_view->stamps[0] == 0) return;
        const double f = static_cast<double>(m_view->frequency);
        s.createdMs = 1000.0 * static_cast<double>(m_view->stamps[0] - t0Counter) / f;
        for (int i = 0; i < kPhases; ++i) {
            if (m_view->stamps[i] != 0)
                s.phaseMs[i] = 1000.0 * static_cast<double>(m_view->stamps[i] - m_view->stamps[0]) / f;
        }
    }

private:
    std::wstring m_name;
    HANDLE m_mapping = nullptr;
    TStartupTimeline* m_view = nullptr;
};

long long Counter() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double MsSince(long long t0) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(Counter() - t0) / static_cast<double>(f.QuadPart);
}

// An owned child process.
struct CChild {
    PROCESS_INFORMATION pi{};
    bool Start(const std::wstring& exe, const std::wstring& dir, const std::wstring& args = std::wstring()) {
        std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" \"" + args + L"\"");
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        return CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                              dir.empty() ? nullptr : dir.c_str(), &si, &pi) != FALSE;
    }
    bool Exited(DWORD waitMs) const { return WaitForSingleObject(pi.hProcess, waitMs) == WAIT_OBJECT_0; }
    SIZE_T PeakWorkingSet() const {
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof(pmc);
        return GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc)) ? pmc.PeakWorkingSetSize : 0;
    }
    double CpuMs() const {
        FILETIME c, e, k, u;
        if (!GetProcessTimes(pi.hProcess, &c, &e, &k, &u)) return -1;
        auto v = [](const FILETIME& t) {
            return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
        };
        return (v(k) + v(u)) / 10000.0;
    }
    ~CChild() {
        if (!pi.hProcess) return;
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
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

// Waits (up to 20 s after t0) for a visible window of that class and title, painted
// white when asked; its time after t0 in ms, or -1. It looks once a millisecond whether
// the child still runs or not, so that both sides of a comparison are waited for alike.
double AwaitWindow(const CChild& child, long long t0, const wchar_t* cls, const wchar_t* title, bool white,
                   bool stopWhenChildEnds) {
    while (MsSince(t0) < 20000.0) {
        HWND w = FindWindowW(cls, title);
        if (w && IsWindowVisible(w) && (!white || PaintedWhite(w))) return MsSince(t0);
        if (stopWhenChildEnds && child.Exited(0)) return -1;
        Sleep(1);
    }
    return -1;
}

void KillGameWindows() {
    for (int i = 0; i < 50; ++i) {
        HWND w = FindWindowW(L"GLFW30", L"Tavrel");
        if (!w) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(p, 0);
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
        }
        Sleep(20);
    }
}

Sample MeasureWindow(const std::wstring& exe, const std::wstring& dir, const wchar_t* cls, const wchar_t* title,
                     int run) {
    Sample s;
    CTimelineBlock block(run);
    CChild child;
    const long long t0 = Counter();
    if (!child.Start(exe, dir)) return s;
    s.ms = AwaitWindow(child, t0, cls, title, true, true);
    s.peakWorkingSet = child.PeakWorkingSet();
    block.Read(t0, s);
    return s;
}

Sample MeasureGame(const std::wstring& exe, const std::wstring& dir, int run, const std::wstring& args = L"") {
    Sample s;
    CTimelineBlock block(run);
    {
        CChild child;
        const long long t0 = Counter();
        if (!child.Start(exe, dir, args)) return s;
        s.ms = AwaitWindow(child, t0, L"GLFW30", L"Tavrel", false, false);
        child.Exited(5000);
        block.Read(t0, s);
    }
    KillGameWindows();
    return s;
}

// A median over runs, and how many runs gave no value (negative) and were left out.
struct TFigure {
    double median = -1;
    int runs = 0;
    int dropped = 0;
};

TFigure Median(std::vector<double> v) {
    TFigure f;
    f.runs = static_cast<int>(v.size());
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return x < 0; }), v.end());
    f.dropped = f.runs - static_cast<int>(v.size());
    if (v.empty()) return f;
    std::sort(v.begin(), v.end());
    f.median = v[v.size() / 2];
    return f;
}

// A figure's line: its value in ms, and the runs it left out.
void PrintMs(const char* what, const TFigure& f, const char* note = "") {
    std::printf("  %-27s %8.1f ms  (%d of %d runs dropped)%s\n", what, f.median, f.dropped, f.runs, note);
}

// A table line: the ratio of two medians ("none" without both), and the runs each left out.
void PrintRatio(const char* what, const TFigure& a, const TFigure& b) {
    if (a.median > 0 && b.median > 0)
        std::printf("table: %s: %.2f", what, a.median / b.median);
    else
        std::printf("table: %s: none", what);
    std::printf("  (dropped %d and %d of %d runs)\n", a.dropped, b.dropped, a.runs);
}

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

void PrintTimeline(const std::vector<Sample>& samples) {
    std::printf("  launcher timeline, ms after process creation (median; a phase no run reached is left out):\n");
    std::vector<double> created;
    for (const Sample& s : samples) created.push_back(s.createdMs);
    const TFigure c = Median(created);
    std::printf("    %-22s %8.1f  (after the CreateProcess call; %d of %d runs dropped)\n", kPhaseNames[0], c.median,
                c.dropped, c.runs);
    for (int i = 1; i < kPhases; ++i) {
        std::vector<double> v;
        for (const Sample& s : samples) v.push_back(s.phaseMs[i]);
        const TFigure m = Median(v);
        if (m.median >= 0)
            std::printf("    %-22s %8.1f  (%d of %d runs dropped)\n", kPhaseNames[i], m.median, m.dropped, m.runs);
    }
}

int Repair(const wchar_t* launcher, const wchar_t* dir, const wchar_t* baselineExe, int runs) {
    std::vector<double> launcherMs, baselineMs;
    std::vector<Sample> samples;
    std::vector<double> launcherWs, baselineWs;
    for (int i = 0; i < runs; ++i) {
        Sample b = MeasureWindow(baselineExe, L"", L"PlainBaseline", L"Baseline", 2 * i);
        Sleep(200);
        Sample l = MeasureWindow(launcher, dir, L"Start", L"Tavrel", 2 * i + 1);
        Sleep(300);
        baselineMs.push_back(b.ms);
        launcherMs.push_back(l.ms);
        baselineWs.push_back(b.peakWorkingSet > 0 ? static_cast<double>(b.peakWorkingSet) : -1.0);
        launcherWs.push_back(l.peakWorkingSet > 0 ? static_cast<double>(l.peakWorkingSet) : -1.0);
        samples.push_back(l);
    }
    const TFigure lm = Median(launcherMs), bm = Median(baselineMs);
    const TFigure lw = Median(launcherWs), bw = Median(baselineWs);
    std::printf("start-up to first paint, median of %d runs\n", runs);
    PrintMs("repair window (launcher):", lm);
    PrintMs("plain Win32 window:", bm);
    PrintTimeline(samples);
    std::printf("  peak working set at first paint: launcher %.1f MiB, plain window %.1f MiB  (dropped %d and %d of %d "
                "runs)\n",
                MiB(lw.median), MiB(bw.median), lw.dropped, bw.dropped, lw.runs);
    PrintRatio("start-up to first paint, repair window / plain window", lm, bm);
    PrintRatio("peak working set, launcher / plain window", lw, bw);
    return lm.median > 0 && bm.median > 0 ? 0 : 1;
}

int Idle(const wchar_t* launcher, const wchar_t* dir, int seconds) {
    CTimelineBlock block(-1);
    CChild child;
    const long long t0 = Counter();
    if (!child.Start(launcher, dir)) return 1;
    if (AwaitWindow(child, t0, L"Start", L"Tavrel", true, true) < 0) {
        std::printf("idle: the repair window did not appear\n");
        return 1;
    }
    Sleep(500);  // past the first frames
    const double before = child.CpuMs();
    const double w0 = Now();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double cpu = child.CpuMs() - before;
    const double wall = Now() - w0;
    const bool stillUp = FindWindowW(L"Start", L"Tavrel") != nullptr;
    std::printf("idle repair window: %.1f ms CPU in %.1f s (%.2f %%)%s, peak working set %.1f MiB\n", cpu, wall,
                100.0 * cpu / (wall * 1000.0), stillUp ? "" : " (the window closed meanwhile)",
                MiB(static_cast<double>(child.PeakWorkingSet())));
    return 0;
}

int Game(const wchar_t* launcher, const wchar_t* dir, int runs, const wchar_t* leastLauncher) {
    const std::wstring game = std::wstring(dir) + L"\\qvx.exe";
    KillGameWindows();
    std::vector<double> viaLauncher, direct, viaLeast;
    std::vector<Sample> samples;
    for (int i = 0; i < runs; ++i) {
        Sample d = MeasureGame(game, dir, 3 * i);
        Sleep(200);
        Sample l = MeasureGame(launcher, dir, 3 * i + 1);
        Sleep(200);
        if (leastLauncher != nullptr) {
            viaLeast.push_back(MeasureGame(leastLauncher, dir, 3 * i + 2, game).ms);
            Sleep(200);
        }
        direct.push_back(d.ms);
        viaLauncher.push_back(l.ms);
        samples.push_back(l);
    }
    const TFigure lm = Median(viaLauncher), dm = Median(direct), fm = Median(viaLeast);
    std::printf("start-up to the game's window (marker \"1\"), median of %d runs\n", runs);
    PrintMs("through the launcher:", lm);
    PrintMs("game started directly:", dm);
    if (leastLauncher != nullptr) PrintMs("through the least launcher:", fm, "  starts the game, nothing else");
    PrintTimeline(samples);
    PrintRatio("start-up to the game, marker \"1\" / game directly", lm, dm);
    if (leastLauncher != nullptr) PrintRatio("start-up to the game, marker \"1\" / least launcher", lm, fm);
    return lm.median > 0 && dm.median > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    // Medians are of 7 runs at least.
    if (mode == L"repair" && argc >= 5)
        return Repair(argv[2], argv[3], argv[4], argc > 5 ? std::max(7, _wtoi(argv[5])) : 7);
    if (mode == L"idle" && argc >= 4) return Idle(argv[2], argv[3], argc > 4 ? std::max(1, _wtoi(argv[4])) : 3);
    if (mode == L"game" && argc >= 4)
        return Game(argv[2], argv[3], argc > 4 ? std::max(7, _wtoi(argv[4])) : 7, argc > 5 ? argv[5] : nullptr);
    std::fprintf(stderr,
                 "usage: startup_bench repair <launcher.exe> <dir> <baseline.exe> [runs]\n"
                 "       startup_bench idle <launcher.exe> <dir> [seconds]\n"
                 "       startup_bench game <launcher.exe> <dir> [runs] [least-launcher.exe]\n");
    return 2;
}
