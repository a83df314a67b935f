#include "tests/ui/core/window_test_util.h"

#include "ui/core/skin_builder.h"

namespace wintest {

std::vector<std::string> EventLog::With(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    }
    return out;
}

bool EventLog::Contains(const std::string& line) const {
    for (const std::string& l : lines) {
        if (l == line) return true;
    }
    return false;
}

std::string EventName(int kind) {
    switch (kind) {
    case SkinUI::UIEVENT_KEYDOWN: return "keydown";
    case SkinUI::UIEVENT_KEYUP: return "keyup";
    case SkinUI::UIEVENT_CHAR: return "char";
    case SkinUI::UIEVENT_MOUSEMOVE: return "move";
    case SkinUI::UIEVENT_MOUSELEAVE: return "leave";
    case SkinUI::UIEVENT_MOUSEENTER: return "enter";
    case SkinUI::UIEVENT_MOUSEHOVER: return "hover";
    case SkinUI::UIEVENT_BUTTONDOWN: return "down";
    case SkinUI::UIEVENT_BUTTONUP: return "up";
    case SkinUI::UIEVENT_RBUTTONDOWN: return "rdown";
    case SkinUI::UIEVENT_RBUTTONUP: return "rup";
    case SkinUI::UIEVENT_DBLCLICK: return "dblclick";
    case SkinUI::UIEVENT_CONTEXTMENU: return "menu";
    case SkinUI::UIEVENT_SCROLLWHEEL: return "wheel";
    case SkinUI::UIEVENT_KILLFOCUS: return "killfocus";
    case SkinUI::UIEVENT_SETFOCUS: return "setfocus";
    case SkinUI::UIEVENT_WINDOWSIZE: return "windowsize";
    case SkinUI::UIEVENT_SETCURSOR: return "setcursor";
    case SkinUI::UIEVENT_TIMER: return "timer";
    default: return "kind" + std::to_string(kind);
    }
}

std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; s != nullptr && *s != 0; ++s) out.push_back(*s < 128 ? static_cast<char>(*s) : '?');
    return out;
}

bool EventRecorder::OnEvent(void* param) {
    const auto* event = static_cast<const SkinUI::TUIEvent*>(param);
    m_log->Add(EventName(event->Type) + ":" + m_tag);
    return true;
}

void EventRecorder::Attach(SkinUI::CControlUI* control) {
    control->OnEvent += SkinUI::MakeDelegate(this, &EventRecorder::OnEvent);
}

HostWindow::~HostWindow() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

LRESULT HostWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (pm.MessageHandler(msg, wParam, lParam, result)) return result;
    if (msg == WM_ERASEBKGND) ++erasedBackground;
    return CWindowWnd::ProcessMessage(msg, wParam, lParam);
}

void HostWindow::ReceiveNotify(SkinUI::TUINotify& msg) {
    std::string sender = msg.pSender != nullptr ? Narrow(msg.pSender->GetName()) : "";
    m_log->Add("note:" + Narrow(msg.sType) + ":" + sender);
}

bool HostWindow::Open(int x, int y, int cx, int cy) {
    if (CreateWnd(nullptr, L"SkinUI test host", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, x, y, cx, cy) ==
        nullptr) {
        return false;
    }
    pm.Init(m_hWnd, L"host");
    pm.AddNotifier(this);
    return true;
}

SkinUI::CControlUI* HostWindow::Attach(const wchar_t* markup) {
    SkinUI::CSkinBuilder builder;
    SkinUI::CControlUI* root = builder.Create(markup, nullptr, nullptr, &pm, nullptr);
    if (root != nullptr) pm.AttachRoot(root);
    return root;
}

void HostWindow::ShowAndPaint() {
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
}

void Pump(DWORD forMs) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (forMs > 0) ::Sleep(10);
    } while (::GetTickCount() - start < forMs);
}

COLORREF ClientPixel(HWND hWnd, int x, int y) {
    RECT client{};
    ::GetClientRect(hWnd, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

LRESULT SendMouse(HWND hWnd, UINT msg, int x, int y, WPARAM wParam) {
    return ::SendMessageW(hWnd, msg, wParam, MAKELPARAM(x, y));
}

}  // namespace wintest
