// CDateTimeUI: the value, its text, keys and attributes. The picker window and its
// calendar: date_time_picker.cpp.
#include "ui/widgets/input/date_time.h"

#include <oleacc.h>

#include <cwctype>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// Reads 1 to `most` digits; false when there are none.
bool ReadNumber(const wchar_t*& p, int most, int& out) {
    out = 0;
    int n = 0;
    for (; n < most && *p >= L'0' && *p <= L'9'; ++n, ++p) out = out * 10 + (*p - L'0');
    return n > 0;
}

// The date of `time` with the time of day cleared and the weekday filled in; false when
// no such day exists.
bool Normalise(const SYSTEMTIME& time, SYSTEMTIME& out) {
    if (time.wYear < 1753 || time.wYear > 9999) return false;
    SYSTEMTIME day = {};
    day.wYear = time.wYear;
    day.wMonth = time.wMonth;
    day.wDay = time.wDay;
    FILETIME file;
    if (!::SystemTimeToFileTime(&day, &file) || !::FileTimeToSystemTime(&file, &day)) return false;
    // Wine's conversion carries a day past the month's end into the next month.
    if (day.wYear != time.wYear || day.wMonth != time.wMonth || day.wDay != time.wDay) return false;
    out = day;
    return true;
}

}  // namespace

CDateTimeUI::CDateTimeUI()
    : m_sysTime(),
      m_hPicker(nullptr),
      m_hCalendar(nullptr),
      m_pPickerProc(nullptr),
      m_pCalendarProc(nullptr),
      m_bDropped(false),
      m_bCancelled(false) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    Normalise(now, m_sysTime);
    UpdateText();
}

CDateTimeUI::~CDateTimeUI() { DestroyPicker(); }

const wchar_t* CDateTimeUI::GetClass() const { return L"DateTimeUI"; }

void* CDateTimeUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"DateTime") == 0) return static_cast<CDateTimeUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CDateTimeUI::GetControlFlags() const { return IsEnabled() ? UINT(UIFLAG_TABSTOP) : 0u; }

void CDateTimeUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager) DestroyPicker();
    CLabelUI::SetManager(manager, parent, init);
}

bool CDateTimeUI::ParseDate(const wchar_t* text, SYSTEMTIME& out) {
    if (text == nullptr) return false;
    const wchar_t* p = text;
    int year = 0, month = 0, day = 0;
    if (!ReadNumber(p, 4, year) || *p++ != L'-' || !ReadNumber(p, 2, month) || *p++ != L'-' ||
        !ReadNumber(p, 2, day) || *p != 0) {
        return false;
    }
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    return Normalise(time, out);
}

bool CDateTimeUI::SetTime(const SYSTEMTIME& time) {
    SYSTEMTIME day;
    if (!Normalise(time, day)) return false;
    m_sysTime = day;
    UpdateText();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
    return true;
}

void CDateTimeUI::UpdateText() {
    wchar_t text[96] = {};
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &m_sysTime, nullptr, text, 96) <= 0) text[0] = 0;
    CLabelUI::SetText(text);
}

void CDateTimeUI::HandleEvent(TUIEvent& event) {
    if (!IsEnabled()) {
        CLabelUI::HandleEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONUP:
        if (m_rcItem.PtInRect(event.ptMouse)) DropDown();
        return;
    case UIEVENT_KEYDOWN:
        if (event.chKey == VK_F4 || event.chKey == VK_SPACE) DropDown();
        return;
    case UIEVENT_SYSKEY:
        if (event.chKey == VK_DOWN) DropDown();
        return;
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
        m_bFocused = event.Type == UIEVENT_SETFOCUS;
        Repaint();
        return;
    default:
        CLabelUI::HandleEvent(event);
        return;
    }
}

void CDateTimeUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"date")) {
        SYSTEMTIME time;
        if (ParseDate(value, time)) SetTime(time);  // a malformed date leaves the value as it was
    } else {
        CLabelUI::ApplyAttribute(name, value);
    }
}

void CDateTimeUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    const wchar_t* given = GetExtraAttribute(kAccessibleNameAttribute);
    info.name = given != nullptr && *given != 0 ? CUIString(given) : GetToolTip();
    info.value = GetText();
    info.state |= IsDropped() ? DWORD(STATE_SYSTEM_EXPANDED) : DWORD(STATE_SYSTEM_COLLAPSED);
}

}  // namespace SkinUI
