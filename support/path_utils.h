// Registry strings, drives, shell folders, directories and module paths.
#pragma once
#include <windows.h>

#include <string>

// Reads a string value (at most 520 bytes: 259 characters and the terminator). Under HKEY_LOCAL_MACHINE a
// key or value that is not found in the 32-bit view is looked for once more in the 64-bit view.
// Empty when the key or value is missing or the value does not fit.
std::wstring RegReadString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);

// The path's first character when a logical drive with that letter exists, else empty.
std::wstring GetExistingDrive(const std::wstring& path);

// SHGetFolderPathW for the CSIDL (with CSIDL_FLAG_CREATE when `create`); empty on failure.
std::wstring GetShellFolder(int csidl, bool create);

// Creates every directory named before a '\' of `path`, parents first; a last component not
// followed by '\' is not created. False at the first directory that cannot be created.
bool CreateDirectories(const std::wstring& path);

// Directory of the module's file with its trailing backslash; null means the process's exe.
std::wstring GetModuleDir(HMODULE module);

bool HasTrailingSlash(const std::wstring& path);
// Appends '\' unless the path already ends in '\' or '/' (so "" becomes "\").
std::wstring EnsureTrailingSeparator(std::wstring path);

// True when both are null, or both are present and `a` (up to 1024 characters) is a
// case-insensitive prefix of `b`.
bool UserNameMatches(const wchar_t* a, const wchar_t* b);
