// Whether this machine is supported: not Windows 2000/XP, not a virtual machine, unless the
// marker file is present.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The OS questions the decision asks. DefaultCompatQuestions binds them to Win32 and the
// support services; tests pass fakes.
struct TCompatQuestions {
    std::function<bool()> markerExists;                            // CLogConfig MarkerExists
    std::function<int()> osVersionCode;                            // GetOsVersionCode
    std::function<bool(const std::wstring& image)> processRunning; // IsProcessRunning
    std::function<std::wstring(HKEY root, const std::wstring& key, const std::wstring& value)> regReadString;
};

TCompatQuestions DefaultCompatQuestions();

// The first disk's device path names a VMware or Red Hat virtual disk (case-sensitive).
bool IsVirtualMachineDisk(const TCompatQuestions& questions);
bool IsVirtualMachineDisk();

// Marker present: supported. Else OS code 0 or 1, a running "vmtoolsd.exe" or a virtual disk:
// not supported. Evaluated in that order, stopping as soon as the answer is known.
bool IsSystemSupported(const TCompatQuestions& questions);
bool IsSystemSupported();
