// CWebBrowserUI: the system's web-browser control, hosted ("WebBrowser" in markup).
//
// Attributes: "homepage", the page opened once the browser runs (and by NavigateHome),
// besides ActiveX's "delaycreate". The class is the system's web browser; it needs no
// entry in the program's allow-list.
//
// Notifications, from the browser's events:
//   "beforenavigate"   sent at once; wParam: a TWebNavigation* (url, frame); set its
//                      `cancel` to stop the navigation.
//   "newwindow"        sent at once; wParam: a TWebNavigation*; `cancel` starts true: a
//                      page opens no window unless the program clears it.
//   "navigatecomplete", "documentcomplete" (queued; GetLocationUrl), "titlechanged"
//   (queued; GetTitle), "navigateerror" (queued; wParam: the status code).
// Pages get no object from the program (window.external is null) unless SetExternal
// hands one over, and script errors show no dialog (the browser runs silent).
//
// Buttons drive a browser without program code: a button with bindbrowsername="web"
// and bindbrowsercommand="back" (or "forward", "home", "refresh", "stop"; any letter
// case) runs that command in the browser named "web" of its window when clicked. The
// browser listens to its window's "click" notifications for as long as it is in a
// window; a button naming no browser, or a word that is no command, does nothing.
// The button keeps both attributes as extra attributes (GetExtraAttribute), so the
// buttons themselves carry no code for them.
#pragma once

#include "ui/widgets/hosting/activex.h"

struct IWebBrowser2;
struct IDispatch;

namespace SkinUI {

inline constexpr wchar_t kBindBrowserName[] = L"bindbrowsername";
inline constexpr wchar_t kBindBrowserCommand[] = L"bindbrowsercommand";

class CWebBrowserEvents;
class CWebDocHost;

struct TWebNavigation {
    const wchar_t* url;
    const wchar_t* frame;
    bool cancel;
};

class CWebBrowserUI : public CActiveXUI, public INotifyUI {
public:
    CWebBrowserUI();
    ~CWebBrowserUI() override;

    const wchar_t* GetClass() const override;          // "WebBrowserUI"
    void* GetInterface(const wchar_t* name) override;  // "WebBrowser"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    // Clicks of the buttons bound to this browser.
    void ReceiveNotify(TUINotify& msg) override;

    const CUIString& GetHomePage() const { return m_sHomePage; }
    void SetHomePage(const wchar_t* url) { m_sHomePage = url != nullptr ? url : L""; }
    // False when the browser does not run or refuses the address.
    bool Navigate(const wchar_t* url);
    virtual bool NavigateHome();
    virtual bool GoBack();
    virtual bool GoForward();
    virtual bool Refresh();
    virtual bool Stop();
    // Runs a bound button's command ("back", "forward", "home", "refresh", "stop", any
    // letter case); false for another word, or when the browser cannot.
    bool RunCommand(const wchar_t* command);
    // The browser's IWebBrowser2, with a reference; null when it does not run.
    IWebBrowser2* GetBrowser() const;
    // The address and title of the last completed navigation and title change.
    const CUIString& GetLocationUrl() const { return m_sLocation; }
    const CUIString& GetTitle() const { return m_sTitle; }
    // The object pages reach as window.external; null takes it away.
    void SetExternal(IDispatch* external);
    // The event sink the browser calls (tests drive it directly); null when none.
    IDispatch* GetEventSink() const;

protected:
    bool IsOwnClass(const CLSID& clsid) const override;
    void OnObjectCreated() override;
    void OnObjectReleasing() override;
    void* SiteInterface(REFIID iid) override;

private:
    friend class CWebBrowserEvents;
    // Events; the two answers are "cancel".
    bool BeforeNavigate(const wchar_t* url, const wchar_t* frame);
    bool NewWindow(const wchar_t* url);
    void NavigateComplete(const wchar_t* url);
    void DocumentComplete(const wchar_t* url);
    void TitleChange(const wchar_t* title);
    void NavigateError(const wchar_t* url, LONG status);
    void Notify(const wchar_t* type, WPARAM wParam, bool queued);
    // Listens to the clicks of `manager`'s window (null: to none).
    void ListenTo(CPaintManagerUI* manager);

    CUIString m_sHomePage;
    CUIString m_sLocation;
    CUIString m_sTitle;
    IWebBrowser2* m_pBrowser;
    CWebBrowserEvents* m_pEvents;
    CWebDocHost* m_pDocHost;
    DWORD m_dwCookie;
    CPaintManagerUI* m_pListening;  // whose clicks this browser receives
};

}  // namespace SkinUI
