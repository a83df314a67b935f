// A 64-bit millisecond tick for systems whose kernel32 has no GetTickCount64 (Windows XP).
#pragma once
#include <windows.h>

// GetTickCount64 where the system has it; otherwise the stand-in below.
ULONGLONG WINAPI TickCount64();

// The stand-in: GetTickCount extended past its wraps, the high half counting the times the
// 32-bit tick wrapped past zero (a wrap is seen as long as some call falls in each
// 49.7-day period).
ULONGLONG WINAPI ExtendedTickCount();

// The 32-bit tick the stand-in reads: null for the system's GetTickCount. Setting it starts
// the stand-in's count afresh. Returns the source it replaces.
using TickCountFn = DWORD(WINAPI*)();
TickCountFn SetTickCountSource(TickCountFn source);
