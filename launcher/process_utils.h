// Starting processes, finding running ones and classifying the Windows version.
#pragma once
#include <windows.h>
#include <string>

// Creates a process from `exe` (always quoted in the command line) with optional
// parameters. With `wait`, waits for it to end: `timeoutMs` > 0 bounds the wait,
// 0 or less waits without limit. True when the process was created.
bool LaunchProcess(const std::wstring& exe, const wchar_t* params, bool wait, int timeoutMs);

// The command line LaunchProcess hands to CreateProcess: the quoted executable path,
// then one space and the parameters when there are any.
std::wstring BuildCommandLine(const std::wstring& exe, const wchar_t* params);

// True when a process with exactly this image name runs (ASCII letters fold to lower case).
bool IsProcessRunning(const std::wstring& imageName);

// ASCII-only lower-casing used for image-name comparison.
std::wstring FoldAsciiLower(std::wstring text);

// The true version numbers from ntdll (the build without its flag bits).
bool GetNtVersionNumbers(DWORD& major, DWORD& minor, DWORD& build);

// Version numbers as the classification sees them.
struct OsVersionInfo {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    BYTE productType = 0;  // VER_NT_WORKSTATION (1), domain controller or server
};

// The small code of the running Windows: 1 XP, 2 XP x64/2003, 3 Vista, 4 server 6.x,
// 5 Windows 7, 7 Windows 8/8.1, 8 Windows 10, 9 Windows 11, 10 anything newer, 0 other.
int ClassifyOsVersion(const OsVersionInfo& v);
int GetOsVersionCode();
