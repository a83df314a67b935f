// Helpers shared by the support tests: the desktop shell, registry scratch keys.
#pragma once
#include <windows.h>

#include <string>

namespace supporttest {

// Makes sure Wine's desktop shell (explorer.exe) runs: it starts once a window exists.
// True when an "EXPLORER.EXE" process is found.
bool EnsureDesktopShell();

// Writes a raw registry value (creating the key), in the 64-bit view.
bool SetRawValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
                 DWORD bytes);
bool SetString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
// Reads a REG_SZ value; false when missing.
bool GetString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& text);
bool KeyExists(HKEY root, const std::wstring& key);
void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name);
void DeleteTree(HKEY root, const std::wstring& key);

// The desktop user's Software key path under HKEY_USERS ("<SID>\Software").
std::wstring DesktopSoftwareKey();

} // namespace supporttest
