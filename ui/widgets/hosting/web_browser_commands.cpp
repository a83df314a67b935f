// CWebBrowserUI: the buttons bound to a browser by name, and the commands their
// clicks run (web_browser.h).
#include <cwchar>

#include "ui/controls/button.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/hosting/web_browser.h"

namespace SkinUI {

void CWebBrowserUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CActiveXUI::SetManager(manager, parent, init);
    // It listens while initialised in a window's tree: taken out (even while its
    // destruction waits), it hears no more clicks.
    ListenTo(init ? manager : nullptr);
}

void CWebBrowserUI::ListenTo(CPaintManagerUI* manager) {
    if (manager == m_pListening) return;
    if (m_pListening != nullptr) m_pListening->RemoveNotifier(this);
    m_pListening = manager != nullptr && manager->AddNotifier(this) ? manager : nullptr;
}

void CWebBrowserUI::ReceiveNotify(TUINotify& msg) {
    if (msg.pSender == nullptr || msg.pSender == this || msg.sType != L"click") return;
    auto* button = static_cast<CButtonUI*>(msg.pSender->GetInterface(L"Button"));
    if (button == nullptr || button->GetManager() != m_pManager) return;
    const wchar_t* name = button->GetExtraAttribute(kBindBrowserName);
    if (name == nullptr || GetName() != name) return;
    RunCommand(button->GetExtraAttribute(kBindBrowserCommand));
}

bool CWebBrowserUI::RunCommand(const wchar_t* command) {
    if (command == nullptr) return false;
    if (::_wcsicmp(command, L"back") == 0) return GoBack();
    if (::_wcsicmp(command, L"forward") == 0) return GoForward();
    if (::_wcsicmp(command, L"home") == 0) return NavigateHome();
    if (::_wcsicmp(command, L"refresh") == 0) return Refresh();
    if (::_wcsicmp(command, L"stop") == 0) return Stop();
    return false;
}

}  // namespace SkinUI
