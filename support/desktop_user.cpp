#include "support/desktop_user.h"

#include <vector>

#include "support/win/scoped_handle.h"
#include "support/win/system_library.h"

namespace {

const wchar_t kShellImage[] = L"EXPLORER.EXE";
const DWORD kNameChars = 1024;

struct TDesktopAccount {
    ScopedLocalMem tokenUser; // TOKEN_USER block; the SID points into it
    std::wstring name;
};

PSID UserSid(const TDesktopAccount& account)
{
    return reinterpret_cast<const TOKEN_USER*>(account.tokenUser.get())->User.Sid;
}

// Reads the token user of the desktop shell process and looks up its account name.
// False when the process, its token or the token user cannot be read.
bool QueryDesktopAccount(TDesktopAccount& account)
{
    const DWORD pid = FindProcessByImage(kShellImage);
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process)
        return false;
    ScopedHandle token;
    if (!OpenProcessToken(process.get(), TOKEN_QUERY, token.receive()))
        return false;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0)
        return false;
    account.tokenUser.reset(LocalAlloc(LMEM_ZEROINIT, size));
    if (!account.tokenUser)
        return false;
    if (!GetTokenInformation(token.get(), TokenUser, account.tokenUser.get(), size, &size))
        return false;

    std::vector<wchar_t> name(kNameChars, L'\0');
    std::vector<wchar_t> domain(kNameChars, L'\0');
    DWORD nameChars = kNameChars;
    DWORD domainChars = kNameChars;
    SID_NAME_USE use = SidTypeUnknown;
    if (LookupAccountSidW(nullptr, UserSid(account), name.data(), &nameChars, domain.data(), &domainChars, &use))
        account.name.assign(name.data(), wcsnlen(name.data(), kNameChars));
    return true;
}

// The two process-status functions of the walk. Windows 7 and later have them in kernel32;
// older systems only in psapi.dll, which is then loaded for the walk. The program does not
// import psapi: its image would sit where a library loaded later (the installer's trust
// library) wants to be, and that one would be moved and copied into private memory.
class CProcessStatus {
public:
    CProcessStatus()
    {
        if (!Resolve(GetModuleHandleW(L"kernel32.dll"), "K32EnumProcesses", "K32GetProcessImageFileNameW")) {
            m_psapi.reset(LoadSystemLibrary(L"psapi.dll"));
            Resolve(m_psapi.get(), "EnumProcesses", "GetProcessImageFileNameW");
        }
    }

    bool EnumProcesses(DWORD* ids, DWORD bytes, DWORD* used) const
    {
        return m_enum != nullptr && m_enum(ids, bytes, used) != FALSE;
    }

    void ImageFileName(HANDLE process, wchar_t* image, DWORD chars) const
    {
        if (m_image != nullptr)
            m_image(process, image, chars);
    }

private:
    typedef BOOL(WINAPI* TEnumProcesses)(DWORD*, DWORD, DWORD*);
    typedef DWORD(WINAPI* TImageFileName)(HANDLE, LPWSTR, DWORD);

    bool Resolve(HMODULE module, const char* enumName, const char* imageName)
    {
        m_enum = LookUpFunction<TEnumProcesses>(module, enumName);
        m_image = LookUpFunction<TImageFileName>(module, imageName);
        return m_enum != nullptr && m_image != nullptr;
    }

    ScopedLibrary m_psapi;
    TEnumProcesses m_enum = nullptr;
    TImageFileName m_image = nullptr;
};

} // namespace

DWORD FindProcessByImage(const std::wstring& text)
{
    DWORD ids[1024] = {};
    DWORD bytes = 0;
    if (text.empty())
        return 0;
    const CProcessStatus status;
    if (!status.EnumProcesses(ids, sizeof ids, &bytes))
        return 0;
    const DWORD count = bytes / sizeof(DWORD);
    for (DWORD i = 0; i < count; ++i) {
        wchar_t image[MAX_PATH] = {};
        {
            ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]));
            if (process)
                status.ImageFileName(process.get(), image, MAX_PATH);
        }
        image[MAX_PATH - 1] = L'\0';
        CharUpperBuffW(image, MAX_PATH);
        if (wcsstr(image, text.c_str()) != nullptr)
            return ids[i];
    }
    return 0;
}

std::wstring GetDesktopUserSid()
{
    TDesktopAccount account;
    if (!QueryDesktopAccount(account))
        return std::wstring();

    typedef BOOL(WINAPI * TConvertSidToStringSid)(PSID, LPWSTR*);
    ScopedLibrary advapi(LoadSystemLibrary(L"advapi32.dll"));
    if (!advapi)
        return std::wstring();
    const auto convert = reinterpret_cast<TConvertSidToStringSid>(
        reinterpret_cast<void*>(GetProcAddress(advapi.get(), "ConvertSidToStringSidW")));
    if (convert == nullptr)
        return std::wstring();
    LPWSTR text = nullptr;
    if (!convert(UserSid(account), &text) || text == nullptr)
        return std::wstring();
    ScopedLocalMem owner(text);
    return std::wstring(text);
}

std::wstring GetDesktopUserName()
{
    TDesktopAccount account;
    QueryDesktopAccount(account);
    return account.name;
}
