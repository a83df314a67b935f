// A 64-bit millisecond tick for systems whose kernel32 has no GetTickCount64 (Windows XP).
#pragma once
#include <windows.h>

// The 64-bit tick that follows `previous` when the 32-bit tick now reads `now`: the
// high half counts the times the 32-bit tick wrapped past zero.
ULONGLONG ExtendTickCount(ULONGLONG previous, DWORD now);

// GetTickCount64 where the system has it; otherwise GetTickCount extended past its wraps
// (a wrap is seen as long as some call falls in each 49.7-day period).
ULONGLONG WINAPI TickCount64();
