// Helpers shared by the skin builder and control tests: the launcher's own skin
// archive loaded as the framework's in-memory archive, and a hidden window for
// a paint manager to bind to.
#pragma once

#include <windows.h>

#include <string>

#include "tests/common/test_env.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_settings.h"

namespace skintest {

// The archive the build embeds in the launcher (resources/skin/ packed by the build).
inline const std::string& EmbeddedSkinArchive() {
    static const std::string bytes = testenv::ReadFile(testenv::BinaryDir() + L"resources\\skin.zip");
    return bytes;
}

// Makes every skin file and image read come from the embedded archive, as in the launcher.
inline bool UseEmbeddedSkinArchive() {
    const std::string& bytes = EmbeddedSkinArchive();
    if (bytes.empty()) return false;
    SkinUI::CUIResourceSettings::Reset();
    SkinUI::CPaintManagerUI::SetResourceArchive(bytes.data(), static_cast<unsigned int>(bytes.size()));
    return true;
}

// A hidden top-level window that does nothing but exist.
class CHostWindow {
public:
    CHostWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinTestHostWindow";
        ::RegisterClassW(&wc);  // a second registration fails harmlessly
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"skin test", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~CHostWindow() {
        if (m_hwnd != nullptr) ::DestroyWindow(m_hwnd);
    }
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }

    SIZE Size() const {
        RECT rc = {};
        ::GetWindowRect(m_hwnd, &rc);
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }

private:
    HWND m_hwnd = nullptr;
};

}  // namespace skintest
