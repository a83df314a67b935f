#include "support/path_utils.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cwctype>
#include <vector>

#include "support/win/scoped_handle.h"

namespace {

const DWORD kRegBufferBytes = 520;

// One try of RegReadString; returns the Win32 error of the open or of a query.
LONG ReadStringOnce(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, REGSAM access,
                    std::wstring& text)
{
    ScopedRegKey key;
    LONG error = RegOpenKeyExW(root, keyPath.c_str(), 0, access, key.receive());
    if (error != ERROR_SUCCESS)
        return error;
    DWORD size = 0;
    error = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size);
    if (error != ERROR_SUCCESS)
        return error;
    // A value larger than the buffer is refused rather than read past it. The query gets the
    // whole buffer, so a string stored without its terminator can still be terminated; the
    // text is taken only up to the bytes the query reports.
    if (size > kRegBufferBytes)
        return ERROR_MORE_DATA;
    wchar_t buffer[kRegBufferBytes / sizeof(wchar_t)] = {};
    size = kRegBufferBytes;
    error = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (error != ERROR_SUCCESS)
        return error;
    text.assign(buffer, wcsnlen(buffer, (size < kRegBufferBytes ? size : kRegBufferBytes) / sizeof(wchar_t)));
    return ERROR_SUCCESS;
}

} // namespace

std::wstring RegReadString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName)
{
    std::wstring text;
    const LONG error = ReadStringOnce(root, keyPath, valueName, KEY_READ, text);
    if (error == ERROR_FILE_NOT_FOUND && root == HKEY_LOCAL_MACHINE) {
        text.clear();
        ReadStringOnce(root, keyPath, valueName, KEY_READ | KEY_WOW64_64KEY, text);
    }
    return text;
}

std::wstring GetExistingDrive(const std::wstring& path)
{
    if (path.empty())
        return std::wstring();
    const DWORD needed = GetLogicalDriveStringsW(0, nullptr);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> drives(needed + 1, L'\0');
    const DWORD got = GetLogicalDriveStringsW(needed, drives.data());
    if (got == 0 || got > needed)
        return std::wstring();
    const wint_t letter = std::towupper(path[0]);
    for (const wchar_t* entry = drives.data(); *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (std::towupper(entry[0]) == letter)
            return std::wstring(1, path[0]);
    }
    return std::wstring();
}

std::wstring GetShellFolder(int csidl, bool create)
{
    wchar_t path[MAX_PATH] = {};
    const int folder = csidl | (create ? CSIDL_FLAG_CREATE : 0);
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::wstring();
    return std::wstring(path, wcsnlen(path, MAX_PATH));
}

bool CreateDirectories(const std::wstring& path)
{
    for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
        const std::wstring directory = path.substr(0, slash);
        if (!PathFileExistsW(directory.c_str()) && !CreateDirectoryW(directory.c_str(), nullptr))
            return false;
    }
    return true;
}

std::wstring GetModuleDir(HMODULE module)
{
    wchar_t path[262] = {};
    GetModuleFileNameW(module, path, 261);
    std::wstring dir(path, wcsnlen(path, 261));
    const size_t slash = dir.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
}

bool HasTrailingSlash(const std::wstring& path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

std::wstring EnsureTrailingSeparator(std::wstring path)
{
    if (!HasTrailingSlash(path))
        path += L'\\';
    return path;
}

bool UserNameMatches(const wchar_t* a, const wchar_t* b)
{
    if (a == nullptr || b == nullptr)
        return a == nullptr && b == nullptr;
    const size_t length = wcsnlen(a, 1024);
    return _wcsnicmp(a, b, length) == 0;
}
