#include "preview_window.h"

namespace skinview {

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
