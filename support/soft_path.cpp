#include "support/soft_path.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "support/desktop_user.h"
#include "support/path_utils.h"
#include "support/string_format.h"

namespace {

const wchar_t kUninstallKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kProductKeyName[] = L"GameQVX";
const wchar_t kShellFoldersTail[] = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";

std::wstring CurrentUserName()
{
    wchar_t name[260] = {};
    DWORD chars = 260;
    if (!GetUserNameW(name, &chars))
        return std::wstring();
    return std::wstring(name, wcsnlen(name, 260));
}

// An install location on a drive that does not exist (or without a drive letter) is dropped.
std::wstring DropIfNoDrive(const std::wstring& location)
{
    if (!location.empty() && GetExistingDrive(location).empty())
        return std::wstring();
    return location;
}

} // namespace

bool CSoftPath::Init(HMODULE module, bool desktopHive, bool secondFlag)
{
    if (m_initialised)
        return true;
    m_initialised = 1;
    m_module = module;
    m_desktopHive = desktopHive ? 1 : 0;
    m_secondFlag = secondFlag ? 1 : 0;
    m_uninstallKeyPath = kUninstallKeyPath;
    m_productKeyName = kProductKeyName;
    FindAppDataDirs();
    FindInstallDir();
    return true;
}

std::wstring CSoftPath::ShellFoldersKey() { return GetDesktopUserSid() + kShellFoldersTail; }

bool CSoftPath::UseDesktopHive() const
{
    if (m_desktopHive)
        return true;
    const std::wstring current = CurrentUserName();
    const std::wstring desktop = GetDesktopUserName();
    return !UserNameMatches(current.c_str(), desktop.c_str());
}

bool CSoftPath::FindAppDataDirs()
{
    std::wstring roaming, local;
    if (!UseDesktopHive()) {
        roaming = GetShellFolder(CSIDL_APPDATA, false);
        local = GetShellFolder(CSIDL_LOCAL_APPDATA, false);
    } else {
        const std::wstring key = ShellFoldersKey();
        roaming = RegReadString(HKEY_USERS, key, L"AppData");
        local = RegReadString(HKEY_USERS, key, L"Local AppData");
    }
    m_roamingAppDataDir = EnsureTrailingSeparator(roaming);
    m_localAppDataDir = EnsureTrailingSeparator(local);
    m_productDataDir = FormatString(L"%ls%ls\\", m_roamingAppDataDir.c_str(), m_productKeyName.c_str());
    CreateDirectories(m_productDataDir);
    return true;
}

bool CSoftPath::FindInstallDir()
{
    std::wstring location = DropIfNoDrive(RegReadString(HKEY_LOCAL_MACHINE, m_uninstallKeyPath, L"InstallLocation"));
    if (!m_desktopHive) {
        if (!location.empty()) {
            m_installDir = EnsureTrailingSeparator(location);
            return true;
        }
        location = DropIfNoDrive(RegReadString(HKEY_CURRENT_USER, m_uninstallKeyPath, L"InstallLocation"));
    }
    if (location.empty()) {
        if (!UseDesktopHive())
            location = GetShellFolder(CSIDL_LOCAL_APPDATA, false);
        else
            location = RegReadString(HKEY_USERS, ShellFoldersKey(), L"Local AppData");
        if (!PathFileExistsW(location.c_str()))
            location = L"C:\\Program Files (x86)";
        if (!location.empty())
            location = EnsureTrailingSeparator(location) + m_productKeyName;
    }
    m_installDir = EnsureTrailingSeparator(location);
    return true;
}
