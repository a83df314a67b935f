// CFileIconUI: the shell's icon of a file or of a file type, at the control's size.
//
// "file" is a path ("C:\Games\setup.exe": that file's own icon) or a type (".txt",
// or "txt": the icon the shell shows for that type, whether or not such a file
// exists). The icon is the shell's large one when the control's smaller side has
// room for it (32 pixels at 100 %), else the small one, drawn centred and
// stretched to the smaller side. A path that names no file shows nothing.
//
// The shell's function is looked up in the system's shell32 at run time.
#pragma once

#include <windows.h>

#include "ui/controls/control.h"

namespace SkinUI {

// Owns one icon handle.
class CIconHandle {
public:
    CIconHandle() = default;
    explicit CIconHandle(HICON icon) : m_icon(icon) {}
    ~CIconHandle() { Reset(); }
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;
    void Reset(HICON icon = nullptr) {
        if (m_icon != nullptr) ::DestroyIcon(m_icon);
        m_icon = icon;
    }
    HICON Get() const { return m_icon; }

private:
    HICON m_icon = nullptr;
};

class CFileIconUI : public CControlUI {
public:
    CFileIconUI();

    const wchar_t* GetClass() const override;          // "FileIconUI"
    void* GetInterface(const wchar_t* name) override;  // "FileIcon"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;

    const CUIString& GetFile() const { return m_sFile; }
    void SetFile(const wchar_t* file);
    // The name screen readers read: the file's name without its folder, or the type.
    CUIString GetDisplayName() const;
    // The icon for the current size (loaded on first use); null when the shell has none.
    HICON GetIcon();
    bool IsLargeIcon() const;

    // The shell's icon of `file` (a path, ".ext" or "ext"), large or small; null when none.
    static HICON LoadShellIcon(const wchar_t* file, bool large);

private:
    CUIString m_sFile;
    CIconHandle m_icon;
    bool m_bLoaded;
    bool m_bLoadedLarge;
};

}  // namespace SkinUI
