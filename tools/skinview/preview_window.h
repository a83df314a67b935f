#pragma once
// The window skinview shows: a plain skinned window built from one skin. Files dropped
// on a list that takes drops become rows of it (the first kMaxDropRows of a drop).

#include <string>

#include "ui/core/window_impl_base.h"

namespace skinview {

class PreviewWindow final : public SkinUI::WindowImplBase {
public:
    PreviewWindow(const std::wstring& skin, int width, int height)
        : m_skin(skin.c_str()), m_width(width), m_height(height) {}

    LPCWSTR ClassName() const override { return L"SkinViewPreview"; }
    SkinUI::CUIString SkinFileName() const override { return m_skin; }
    void OnWindowReady() override;
    void ReceiveNotify(SkinUI::TUINotify& msg) override;
    enum { kMaxDropRows = 1000 };
    LRESULT HandleWmDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    // Whether destroying the window ends the message loop (it does unless a
    // rebuilt window is taking its place).
    void SetQuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }

private:
    SkinUI::CUIString m_skin;
    int m_width;
    int m_height;
    bool m_quitOnDestroy = true;
};

}  // namespace skinview
