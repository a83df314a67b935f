#include "launcher/startup_timeline.h"

namespace {

// The benchmark's block, opened at the first mark; null when none was named.
class CTimelineSink {
public:
    CTimelineSink() {
        wchar_t name[128];
        const DWORD n = GetEnvironmentVariableW(kTimelineEnvVar, name, 128);
        if (n == 0 || n >= 128) return;
        m_mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
        if (m_mapping == nullptr) return;
        m_view = static_cast<TStartupTimeline*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(TStartupTimeline)));
        if (m_view == nullptr) return;
        if (m_view->magic != kTimelineMagic) {
            UnmapViewOfFile(m_view);
            m_view = nullptr;
            return;
        }
        LARGE_INTEGER freq, now;
        QueryPerformanceFrequency(&freq);
        FILETIME created, exited, kernel, user, wall;
        QueryPerformanceCounter(&now);
        GetSystemTimeAsFileTime(&wall);
        m_view->phases = static_cast<std::uint32_t>(StartupPhase::Count);
        m_view->frequency = freq.QuadPart;
        if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
            // 100 ns units between the creation and now, carried over to the counter's clock.
            const std::int64_t age = static_cast<std::int64_t>(Ticks(wall) - Ticks(created));
            m_view->stamps[0] = now.QuadPart - age * freq.QuadPart / 10000000;
        }
    }
    // The benchmark keeps its own handle: the stamps outlive this process.
    ~CTimelineSink() {
        if (m_view != nullptr) UnmapViewOfFile(m_view);
        if (m_mapping != nullptr) CloseHandle(m_mapping);
    }
    CTimelineSink(const CTimelineSink&) = delete;
    CTimelineSink& operator=(const CTimelineSink&) = delete;

    void Mark(StartupPhase phase) {
        if (m_view == nullptr) return;
        const int i = static_cast<int>(phase);
        if (i <= 0 || i >= static_cast<int>(StartupPhase::Count) || m_view->stamps[i] != 0) return;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        m_view->stamps[i] = now.QuadPart;
    }

private:
    static unsigned long long Ticks(const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }

    HANDLE m_mapping = nullptr;
    TStartupTimeline* m_view = nullptr;
};

}  // namespace

void MarkStartupPhase(StartupPhase phase) {
    static CTimelineSink sink;
    sink.Mark(phase);
}
