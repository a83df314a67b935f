#include "ui/widgets/graphic/file_icon.h"

#include <shellapi.h>

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

const int kLargeIcon = 32;  // unscaled: the smaller side from which the large icon is used
const size_t kMostPath = 32767;

typedef DWORD_PTR(WINAPI* GetFileInfoFn)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);

GetFileInfoFn ShellGetFileInfo() {
    static GetFileInfoFn fn = nullptr;
    static bool looked = false;
    if (!looked) {
        looked = true;
        // Kept loaded for the life of the process.
        if (HMODULE shell = LoadSystemLibrary(L"shell32.dll")) {
            fn = reinterpret_cast<GetFileInfoFn>(reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetFileInfoW")));
        }
    }
    return fn;
}

bool IsType(const wchar_t* file) {
    return std::wcschr(file, L'\\') == nullptr && std::wcschr(file, L'/') == nullptr &&
           std::wcschr(file, L':') == nullptr;
}

}  // namespace

CFileIconUI::CFileIconUI() : m_bLoaded(false), m_bLoadedLarge(false) {}

const wchar_t* CFileIconUI::GetClass() const { return L"FileIconUI"; }

void* CFileIconUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"FileIcon") == 0) return static_cast<CFileIconUI*>(this);
    return CControlUI::GetInterface(name);
}

HICON CFileIconUI::LoadShellIcon(const wchar_t* file, bool large) {
    if (file == nullptr || *file == 0 || std::wcslen(file) >= kMostPath) return nullptr;
    GetFileInfoFn getInfo = ShellGetFileInfo();
    if (getInfo == nullptr) return nullptr;
    SHFILEINFOW info = {};
    UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    DWORD attributes = 0;
    CUIString path(file);
    if (IsType(file)) {
        // A type: the shell answers from the registry, without a file.
        if (*file != L'.') path = CUIString(L".") + file;
        flags |= SHGFI_USEFILEATTRIBUTES;
        attributes = FILE_ATTRIBUTE_NORMAL;
    } else if (::GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) {
        return nullptr;
    }
    if (getInfo(path, attributes, &info, sizeof(info), flags) == 0) return nullptr;
    return info.hIcon;
}

void CFileIconUI::SetFile(const wchar_t* file) {
    m_sFile = file != nullptr ? file : L"";
    m_icon.Reset();
    m_bLoaded = false;
    Repaint();
}

CUIString CFileIconUI::GetDisplayName() const {
    const wchar_t* name = m_sFile.GetData();
    for (const wchar_t* p = name; *p != 0; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':') name = p + 1;
    }
    return CUIString(name);
}

bool CFileIconUI::IsLargeIcon() const {
    const int side = m_rcItem.GetWidth() < m_rcItem.GetHeight() ? m_rcItem.GetWidth() : m_rcItem.GetHeight();
    return side >= Scale(kLargeIcon);
}

HICON CFileIconUI::GetIcon() {
    const bool large = IsLargeIcon();
    if (!m_bLoaded || m_bLoadedLarge != large) {
        m_icon.Reset(LoadShellIcon(m_sFile, large));
        m_bLoaded = true;
        m_bLoadedLarge = large;
    }
    return m_icon.Get();
}

void CFileIconUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"file")) SetFile(value);
    else CControlUI::ApplyAttribute(name, value);
}

void CFileIconUI::DrawForeImage(HDC dc) {
    CControlUI::DrawForeImage(dc);
    const int side = m_rcItem.GetWidth() < m_rcItem.GetHeight() ? m_rcItem.GetWidth() : m_rcItem.GetHeight();
    if (side <= 0 || m_sFile.IsEmpty()) return;
    HICON icon = GetIcon();
    if (icon == nullptr) return;
    const int x = m_rcItem.left + (m_rcItem.GetWidth() - side) / 2;
    const int y = m_rcItem.top + (m_rcItem.GetHeight() - side) / 2;
    ::DrawIconEx(dc, x, y, icon, side, side, 0, nullptr, DI_NORMAL);
}

}  // namespace SkinUI
