#include "settings_window.h"

#include "swatch.h"

// [guide:notify-map]
SKINUI_BEGIN_NOTIFY_MAP(SettingsWindow, SkinUI::WindowImplBase)
SKINUI_NOTIFY_NAME_HANDLER(L"click", L"save", SettingsWindow, OnSave)
SKINUI_NOTIFY_NAME_HANDLER(L"selectchanged", L"autoupdate", SettingsWindow, OnAutoUpdate)
SKINUI_NOTIFY_NAME_HANDLER(L"valuechanged", L"volume", SettingsWindow, OnVolume)
SKINUI_END_NOTIFY_MAP()
// [/guide:notify-map]

void SettingsWindow::OnWindowReady() {
    const Settings s = Settings::Load(m_file);
    Find<SkinUI::CEditUI>(L"nickname")->SetText(s.nickname.c_str());
    Find<SkinUI::CCheckBoxUI>(L"autoupdate")->Selected(s.autoUpdate, false);  // no notification
    Find<SkinUI::CSliderUI>(L"volume")->SetValue(s.volume);
    ShowVolume();
}

Settings SettingsWindow::Current() const {
    Settings s;
    s.nickname = Find<SkinUI::CEditUI>(L"nickname")->GetText().GetData();
    s.autoUpdate = Find<SkinUI::CCheckBoxUI>(L"autoupdate")->IsSelected();
    s.volume = Find<SkinUI::CSliderUI>(L"volume")->GetValue();
    return s;
}

// [guide:handlers]
void SettingsWindow::OnSave(SkinUI::TUINotify&) {
    m_saved = Current().Save(m_file);
    Find<SkinUI::CControlUI>(L"status")->SetText(m_saved ? L"Saved." : L"Could not save.");
}

void SettingsWindow::OnAutoUpdate(SkinUI::TUINotify& msg) {
    const bool on = static_cast<SkinUI::CCheckBoxUI*>(msg.pSender)->IsSelected();
    Find<SkinUI::CControlUI>(L"status")->SetText(on ? L"Updates on." : L"Updates off.");
}
// [/guide:handlers]

void SettingsWindow::OnVolume(SkinUI::TUINotify&) { ShowVolume(); }

void SettingsWindow::ShowVolume() {
    const int volume = Find<SkinUI::CSliderUI>(L"volume")->GetValue();
    Find<SkinUI::CControlUI>(L"volume_value")->SetText(std::to_wstring(volume).c_str());
    if (auto* swatch = Find<CSwatchUI>(L"accent")) swatch->SetLevel(volume);
}

LRESULT SettingsWindow::HandleWmDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    ::PostQuitMessage(0);
    return WindowImplBase::HandleWmDestroy(uMsg, wParam, lParam, bHandled);
}
