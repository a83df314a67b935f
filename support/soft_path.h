// Directories of the game product: install directory, the desktop user's application-data
// directories and the product data directory beneath the roaming one (created on Init).
#pragma once
#include <windows.h>

#include <string>

#include "support/single_impl.h"

class CSoftPath : public CSingleImpl<CSoftPath> {
public:
    CSoftPath() = default;
    virtual ~CSoftPath() = default;

    // First call only: keeps the arguments, then finds the application-data directories and
    // the install directory. Always true.
    bool Init(HMODULE module, bool desktopHive, bool secondFlag);

    virtual bool FindInstallDir();
    virtual bool FindAppDataDirs();

    const std::wstring& GetInstallDir() const { return m_installDir; }
    const std::wstring& GetProductDataDir() const { return m_productDataDir; }
    const std::wstring& GetRoamingAppDataDir() const { return m_roamingAppDataDir; }
    const std::wstring& GetLocalAppDataDir() const { return m_localAppDataDir; }

private:
    // True when paths come from the desktop user's hive rather than the shell folder API.
    bool UseDesktopHive() const;
    static std::wstring ShellFoldersKey();

    HMODULE m_module = nullptr;
    std::wstring m_installDir;
    std::wstring m_productDataDir;
    std::wstring m_roamingAppDataDir;
    std::wstring m_localAppDataDir;
    std::wstring m_uninstallKeyPath;
    std::wstring m_productKeyName;
    BYTE m_desktopHive = 0;
    BYTE m_secondFlag = 0;
    BYTE m_initialised = 0;
};
