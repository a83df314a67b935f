// The settings dialog: a skinned window built from skin\settings.xml, whose notifications
// fill in and save the settings.
#pragma once

#include <string>

#include "SkinUI/SkinUI.h"
#include "SkinUI/Widgets.h"
#include "settings.h"

// [guide:window-class]
class SettingsWindow : public SkinUI::WindowImplBase {
public:
    explicit SettingsWindow(const std::wstring& settingsFile) : m_file(settingsFile) {}

    LPCWSTR ClassName() const override { return L"SkinUISettingsDialog"; }
    SkinUI::CUIString SkinFileName() const override { return L"settings.xml"; }
    void OnWindowReady() override;  // the controls exist: fill them in
    LRESULT HandleWmDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    // What the controls show now, and the result of the last save.
    Settings Current() const;
    bool Saved() const { return m_saved; }

private:
    void OnSave(SkinUI::TUINotify& msg);
    void OnAutoUpdate(SkinUI::TUINotify& msg);
    void OnVolume(SkinUI::TUINotify& msg);
    void ShowVolume();  // the number beside the slider, and the swatch's shade
    template <class T>
    T* Find(const wchar_t* name) const {
        return static_cast<T*>(const_cast<SettingsWindow*>(this)->m_pm.FindControlByName(name));
    }

    std::wstring m_file;
    bool m_saved = false;
    SKINUI_DECLARE_NOTIFY_MAP()
};
// [/guide:window-class]
