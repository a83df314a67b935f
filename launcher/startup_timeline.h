// Start-up timeline: the moments at which the launcher finished each phase of its
// start, for the start-up benchmark. A run records only when the environment names a
// shared-memory block (kTimelineEnvVar) laid out as TStartupTimeline; otherwise each mark
// costs one check of a flag, and the launcher writes nothing anywhere.
#pragma once
#include <windows.h>

#include <cstdint>

enum class StartupPhase : int {
    ProcessStart = 0,  // the process's creation time
    Guard,             // COM, the single-instance guard and OLE are up
    Configuration,     // the embedded configuration is read
    LoggingAndPaths,   // logging, paths and the skin archive are set up
    Compatibility,     // the compatibility decision is made
    MarkerAndProducts, // the repair decision is made
    SkinBuilt,         // the window's skin is loaded and built
    WindowCreated,     // the window exists and is placed
    FirstPaint,        // the window's first frame is painted
    GameStarted,       // the game's process was started
    Count
};

inline constexpr wchar_t kTimelineEnvVar[] = L"QVX_STARTUP_TIMELINE";
inline constexpr std::uint32_t kTimelineMagic = 0x51564C54;  // "TLVQ"

// The shared block. Stamps are performance-counter values (0: phase not reached);
// the process start is converted to the same clock.
struct TStartupTimeline {
    std::uint32_t magic;
    std::uint32_t phases;
    std::int64_t frequency;
    std::int64_t stamps[static_cast<int>(StartupPhase::Count)];
};

// Records that `phase` has just ended (the first time only).
void MarkStartupPhase(StartupPhase phase);
