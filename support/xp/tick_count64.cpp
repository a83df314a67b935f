// The thread library under std::thread and std::mutex imports GetTickCount64, which
// Windows XP's kernel32 lacks, and XP's loader refuses an exe with an import it cannot
// resolve. In the 32-bit build this object fills that import slot itself, so the import
// never reaches kernel32 and the system's function is looked up at run time instead.
#include "support/xp/tick_count64.h"

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// 0 until looked up; then the system's function or the stand-in.
TickCount64Fn volatile g_tickCount64 = nullptr;

// What the stand-in reads; null for the system's GetTickCount.
TickCountFn volatile g_tickSource = nullptr;

// High 32 bits: wraps seen; low 32 bits: the last 32-bit tick seen.
volatile LONGLONG g_extended = 0;

ULONGLONG ExtendTickCount(ULONGLONG previous, DWORD now) {
    ULONGLONG wraps = previous >> 32;
    if (now < static_cast<DWORD>(previous)) ++wraps;
    return (wraps << 32) | now;
}

}  // namespace

ULONGLONG WINAPI ExtendedTickCount() {
    const TickCountFn source = g_tickSource;
    for (;;) {
        const LONGLONG seen = InterlockedCompareExchange64(&g_extended, 0, 0);
        const DWORD now = source != nullptr ? source() : ::GetTickCount();
        const ULONGLONG next = ExtendTickCount(static_cast<ULONGLONG>(seen), now);
        if (InterlockedCompareExchange64(&g_extended, static_cast<LONGLONG>(next), seen) == seen) return next;
    }
}

TickCountFn SetTickCountSource(TickCountFn source) {
    const TickCountFn previous = g_tickSource;
    g_tickSource = source;
    InterlockedExchange64(&g_extended, 0);
    return previous;
}

ULONGLONG WINAPI TickCount64() {
    TickCount64Fn fn = g_tickCount64;
    if (fn == nullptr) {
        // Plain data only: this runs inside the thread library's waits, where a lock or a
        // guarded static would call back into it. Racing threads store the same answer.
        fn = reinterpret_cast<TickCount64Fn>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
        if (fn == nullptr) fn = ExtendedTickCount;
        g_tickCount64 = fn;
    }
    return fn();
}

#if defined(__i386__)
// The import slot of kernel32's GetTickCount64 as the 32-bit thread library names it.
extern "C" {
extern TickCount64Fn const qvx_imp_GetTickCount64 __asm__("__imp__GetTickCount64@0");
TickCount64Fn const qvx_imp_GetTickCount64 = TickCount64;
}
#endif
