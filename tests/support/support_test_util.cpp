#include "tests/support/support_test_util.h"

#include <shlwapi.h>

#include "support/desktop_user.h"
#include "support/win/scoped_handle.h"
#include "tests/common/test_env.h"

namespace supporttest {

bool EnsureDesktopShell()
{
    if (FindProcessByImage(L"EXPLORER.EXE") != 0)
        return true;
    HWND window = CreateWindowExW(0, L"STATIC", L"qvx shell starter", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    const bool found = testenv::WaitFor([] { return FindProcessByImage(L"EXPLORER.EXE") != 0; }, 15000);
    if (window != nullptr)
        DestroyWindow(window);
    return found;
}

bool SetRawValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
                 DWORD bytes)
{
    ScopedRegKey handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                        handle.receive(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(handle.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes) ==
           ERROR_SUCCESS;
}

bool SetString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    return SetRawValue(root, key, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

bool GetString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& text)
{
    ScopedRegKey handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, handle.receive()) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text = buffer;
    return true;
}

bool KeyExists(HKEY root, const std::wstring& key)
{
    ScopedRegKey handle;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, handle.receive()) == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name)
{
    ScopedRegKey handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, handle.receive()) == ERROR_SUCCESS)
        RegDeleteValueW(handle.get(), name.c_str());
}

void DeleteTree(HKEY root, const std::wstring& key) { SHDeleteKeyW(root, key.c_str()); }

std::wstring DesktopSoftwareKey() { return GetDesktopUserSid() + L"\\Software"; }

} // namespace supporttest
