// The desktop user: the owner of the first process whose image path contains "EXPLORER.EXE".
#pragma once

#include <windows.h>

#include <string>

// Id of the first process (enumeration order) whose upper-cased image path contains `text`; 0 if none.
DWORD FindProcessByImage(const std::wstring& text);

// String form of the desktop user's SID (S-1-5-21-...), or empty.
std::wstring GetDesktopUserSid();

// The desktop user's account name without domain, or empty.
std::wstring GetDesktopUserName();
