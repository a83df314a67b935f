#include "support/regedit_serialize.h"

#include <windows.h>
#include <shlwapi.h>

#include "support/desktop_user.h"
#include "support/win/scoped_handle.h"

namespace {

const REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY; // 0xF013F
const REGSAM kReadAccess = KEY_READ | KEY_WOW64_64KEY;        // 0x20119
const wchar_t kSoftwareKey[] = L"SoftWare";

const DWORD kReadBufferBytes = 2048;
const DWORD kReadQueryBytes = 1024; // at most 511 characters and the terminator

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

bool OpenKey(HKEY parent, const wchar_t* name, REGSAM access, ScopedRegKey& key)
{
    return RegOpenKeyExW(parent, name, 0, access, key.receive()) == ERROR_SUCCESS;
}

bool CreateKey(HKEY parent, const wchar_t* name, ScopedRegKey& key)
{
    return RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr, key.receive(),
                           nullptr) == ERROR_SUCCESS;
}

} // namespace

void CRegeditSerialize::EnsureSid()
{
    if (m_sid.empty())
        m_sid = GetDesktopUserSid();
}

bool CRegeditSerialize::Write(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName,
                              const wchar_t* data)
{
    EnsureSid();
    ScopedRegKey sidKey, software, first, second;
    if (!OpenKey(HKEY_USERS, m_sid.c_str(), kWriteAccess, sidKey))
        return false;
    if (!OpenKey(sidKey.get(), kSoftwareKey, kWriteAccess, software))
        return false;
    if (!CreateKey(software.get(), OrEmpty(key1), first))
        return false;
    if (!CreateKey(first.get(), OrEmpty(key2), second))
        return false;
    const std::wstring text = OrEmpty(data);
    RegSetValueExW(second.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
    return true;
}

std::wstring CRegeditSerialize::Read(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName,
                                     const wchar_t* fallback)
{
    const std::wstring result = OrEmpty(fallback);
    EnsureSid();
    ScopedRegKey sidKey, software, first, second;
    if (!OpenKey(HKEY_USERS, m_sid.c_str(), kReadAccess, sidKey) ||
        !OpenKey(sidKey.get(), kSoftwareKey, kReadAccess, software) ||
        !OpenKey(software.get(), OrEmpty(key1), kReadAccess, first) ||
        !OpenKey(first.get(), OrEmpty(key2), kReadAccess, second))
        return result;

    // The buffer is twice the size handed to the query, so whatever the query leaves is
    // zero-terminated; a value that does not fit (ERROR_MORE_DATA) reads as the fallback.
    wchar_t buffer[kReadBufferBytes / sizeof(wchar_t)] = {};
    DWORD bytes = kReadQueryBytes;
    if (RegQueryValueExW(second.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS)
        return result;
    const size_t chars = wcsnlen(buffer, (bytes < kReadQueryBytes ? bytes : kReadQueryBytes) / sizeof(wchar_t));
    if (chars == 0)
        return result;
    return std::wstring(buffer, chars);
}

bool CRegeditSerialize::Delete(const wchar_t* key1, const wchar_t* key2, const wchar_t* key3)
{
    // An empty name counts as absent: it would otherwise widen the deletion to the parent key
    // (an empty key1 names the user's whole Software tree).
    if (key1 == nullptr || *key1 == L'\0')
        return false;
    EnsureSid();
    if (m_sid.empty())
        return true;
    std::wstring path = m_sid + L"\\Software\\" + key1;
    if (key2 != nullptr && *key2 != L'\0') {
        path += L"\\";
        path += key2;
    }
    if (key3 != nullptr && *key3 != L'\0') {
        path += L"\\";
        path += key3;
    }
    SHDeleteKeyW(HKEY_USERS, path.c_str());
    return true;
}
