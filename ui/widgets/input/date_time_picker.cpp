// CDateTimeUI: the common controls' date-time picker, made over the field while its
// calendar is open. The picker's notifications come back reflected by the paint
// manager (WM_NOTIFY + 0x2000 to the picker), where the picker's window procedure,
// replaced by ours, reads them. Both windows find the field through a window property.
#include <windows.h>
#include <commctrl.h>

#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"
#include "ui/widgets/input/date_time.h"

namespace SkinUI {

namespace {

const wchar_t kOwnerProp[] = L"SkinUI.DateTime";
const UINT kReflectedNotify = WM_NOTIFY + 0x2000;
// Posted to the picker once its calendar closed: it goes outside the picker's own calls.
const UINT kDestroyPicker = WM_APP + 0x2D7;

typedef BOOL(WINAPI* InitCommonControlsExFn)(const INITCOMMONCONTROLSEX*);

bool DateClassesReady() {
    static int ready = -1;
    if (ready >= 0) return ready == 1;
    ready = 0;
    HMODULE module = LoadSystemLibrary(L"comctl32.dll");  // kept: the classes live in it
    auto init = module != nullptr ? reinterpret_cast<InitCommonControlsExFn>(reinterpret_cast<void*>(
                                        ::GetProcAddress(module, "InitCommonControlsEx")))
                                  : nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    if (init != nullptr && init(&icc)) ready = 1;
    return ready == 1;
}

CDateTimeUI* OwnerOf(HWND hwnd) { return static_cast<CDateTimeUI*>(::GetPropW(hwnd, kOwnerProp)); }

WNDPROC Subclass(HWND hwnd, WNDPROC proc, CDateTimeUI* owner) {
    ::SetPropW(hwnd, kOwnerProp, owner);
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

void Unsubclass(HWND hwnd, WNDPROC original) {
    if (hwnd == nullptr || original == nullptr || !::IsWindow(hwnd)) return;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    ::RemovePropW(hwnd, kOwnerProp);
}

}  // namespace

bool CDateTimeUI::DropDown() {
    if (IsDropped()) return true;
    HWND window = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
    if (window == nullptr || !IsVisible() || !IsEnabled() || !DateClassesReady()) return false;
    DestroyPicker();  // one that closed and waits for its destruction
    m_pManager->ReleaseCapture();
    const CUIRect rc = m_rcItem;
    m_hPicker = ::CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_CLIPSIBLINGS | DTS_SHORTDATEFORMAT,
                                  rc.left, rc.top, rc.GetWidth(), rc.GetHeight(), window, nullptr,
                                  CPaintManagerUI::GetInstance(), nullptr);
    if (m_hPicker == nullptr) return false;
    m_pPickerProc = Subclass(m_hPicker, &CDateTimeUI::PickerProc, this);
    ::SendMessageW(m_hPicker, WM_SETFONT, reinterpret_cast<WPARAM>(m_pManager->GetFont(m_iFont)), FALSE);
    ::SendMessageW(m_hPicker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&m_sysTime));
    m_pManager->AddNativeWindow(this, m_hPicker);
    ::ShowWindow(m_hPicker, SW_SHOWNA);
    m_bCancelled = false;
    // The picker opens its calendar for a press on its drop-down button, at its right end.
    RECT client;
    ::GetClientRect(m_hPicker, &client);
    const LPARAM at = MAKELPARAM(client.right - 3, client.bottom / 2);
    ::SendMessageW(m_hPicker, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(m_hPicker, WM_LBUTTONUP, 0, at);
    if (!m_bDropped) {
        DestroyPicker();
        return false;
    }
    m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
    return true;
}

void CDateTimeUI::CloseUp(bool keep) {
    if (!IsDropped()) return;
    m_bDropped = false;
    if (m_hCalendar != nullptr) ::ShowWindow(m_hCalendar, SW_HIDE);
    SYSTEMTIME chosen = {};
    if (keep && ::SendMessageW(m_hPicker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&chosen)) == GDT_VALID) {
        const SYSTEMTIME before = m_sysTime;
        if (SetTime(chosen) && (before.wYear != m_sysTime.wYear || before.wMonth != m_sysTime.wMonth ||
                                before.wDay != m_sysTime.wDay)) {
            if (m_pManager != nullptr) m_pManager->SendNotify(this, L"datetimechanged");
        }
    }
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
    ::PostMessageW(m_hPicker, kDestroyPicker, 0, 0);
}

void CDateTimeUI::DestroyPicker() {
    if (m_hPicker == nullptr) return;
    HWND picker = m_hPicker;
    Unsubclass(m_hCalendar, m_pCalendarProc);
    Unsubclass(picker, m_pPickerProc);
    m_hPicker = m_hCalendar = nullptr;
    m_pPickerProc = m_pCalendarProc = nullptr;
    m_bDropped = false;
    if (m_pManager != nullptr) m_pManager->RemoveNativeWindow(picker);
    ::DestroyWindow(picker);  // its calendar goes with it
}

LRESULT CDateTimeUI::OnPickerNotify(const NMHDR* header) {
    if (header == nullptr || header->hwndFrom != m_hPicker) return 0;
    if (header->code == DTN_DROPDOWN) {
        m_bDropped = true;
        m_hCalendar = reinterpret_cast<HWND>(::SendMessageW(m_hPicker, DTM_GETMONTHCAL, 0, 0));
        if (m_hCalendar != nullptr && OwnerOf(m_hCalendar) == nullptr) {
            m_pCalendarProc = Subclass(m_hCalendar, &CDateTimeUI::CalendarProc, this);
        }
    } else if (header->code == DTN_CLOSEUP) {
        CloseUp(!m_bCancelled);
    }
    return 0;
}

LRESULT CALLBACK CDateTimeUI::PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDateTimeUI* self = OwnerOf(hwnd);
    if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == kReflectedNotify) return self->OnPickerNotify(reinterpret_cast<const NMHDR*>(lParam));
    if (msg == kDestroyPicker) {
        if (!self->m_bDropped) self->DestroyPicker();
        return 0;
    }
    const WNDPROC original = self->m_pPickerProc;
    if (msg == WM_NCDESTROY) {
        // Destroyed with its parent window: the field forgets it.
        Unsubclass(self->m_hCalendar, self->m_pCalendarProc);
        Unsubclass(hwnd, original);
        self->m_hPicker = self->m_hCalendar = nullptr;
        self->m_pPickerProc = self->m_pCalendarProc = nullptr;
        self->m_bDropped = false;
        if (self->m_pManager != nullptr) self->m_pManager->RemoveNativeWindow(hwnd);
    }
    return ::CallWindowProcW(original, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CDateTimeUI::CalendarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDateTimeUI* self = OwnerOf(hwnd);
    if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC original = self->m_pCalendarProc;
    if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        // Esc keeps the old date, whatever the calendar did meanwhile.
        self->m_bCancelled = true;
        const LRESULT result = ::CallWindowProcW(original, hwnd, msg, wParam, lParam);
        self->CloseUp(false);  // in case the calendar does not close on Esc by itself
        return result;
    }
    if (msg == WM_NCDESTROY) {
        Unsubclass(hwnd, original);
        self->m_hCalendar = nullptr;
        self->m_pCalendarProc = nullptr;
    }
    return ::CallWindowProcW(original, hwnd, msg, wParam, lParam);
}

}  // namespace SkinUI
