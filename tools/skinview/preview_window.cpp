#include "preview_window.h"

#include "ui/core/dropped_files.h"
#include "ui/widgets/list/list_element.h"

namespace skinview {

void PreviewWindow::ReceiveNotify(SkinUI::TUINotify& msg) {
    auto* list = msg.pSender != nullptr ? static_cast<SkinUI::CListUI*>(msg.pSender->GetInterface(L"List")) : nullptr;
    if (msg.sType == L"dropfiles" && list != nullptr && list->GetDataSource() == nullptr) {
        const auto* files = reinterpret_cast<const SkinUI::CUIDroppedFiles*>(msg.lParam);
        for (int i = 0; i < files->GetCount() && i < kMaxDropRows; ++i) {
            auto* row = new SkinUI::CListLabelElementUI;
            row->SetText(files->GetAt(i));
            if (!list->Add(row)) delete row;
        }
    }
    WindowImplBase::ReceiveNotify(msg);
}

void PreviewWindow::OnWindowReady() {
    if (m_width > 0 && m_height > 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT PreviewWindow::HandleWmDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    if (m_quitOnDestroy) ::PostQuitMessage(0);
    bHandled = false;
    return 0;
}

}  // namespace skinview
