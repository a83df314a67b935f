// Date fields: the date from markup (malformed ones ignored), the calendar of the
// common controls' picker opened by a click, a day clicked there, Esc keeping the old
// date, and a field destroyed while its calendar is open.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/controls/container.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/date_time.h"

using namespace SkinUI;

namespace {

const wchar_t kMarkup[] =
    L"<Window><VerticalLayout><DateTime name=\"d\" height=\"24\" date=\"2024-02-29\"/>"
    L"<Button name=\"b\" height=\"20\"/></VerticalLayout></Window>";

class CNotes final : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"datetimechanged") ++changes;
    }
    int changes = 0;
};

std::string Date(const SYSTEMTIME& t) {
    return std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" + std::to_string(t.wDay);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// Clicks the calendar's cell of `day` in the shown month, found by hit-testing.
bool ClickDay(HWND calendar, WORD day) {
    RECT rc;
    ::GetClientRect(calendar, &rc);
    for (int y = 0; y < rc.bottom; y += 2) {
        for (int x = 0; x < rc.right; x += 2) {
            MCHITTESTINFO hit = {};
            hit.cbSize = sizeof(hit);
            hit.pt = POINT{x, y};
            if (::SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) != MCHT_CALENDARDATE ||
                hit.st.wDay != day || hit.st.wMonth != 2) {
                continue;
            }
            ::SendMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            ::SendMessageW(calendar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            return true;
        }
    }
    return false;
}

BOOL CALLBACK CountCalendar(HWND hwnd, LPARAM data) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (::IsWindowVisible(hwnd) && std::wstring(name) == MONTHCAL_CLASSW) ++*reinterpret_cast<int*>(data);
    return TRUE;
}

// Top-level calendars of this thread on screen (the picker's drop-down is one).
int VisibleCalendars() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountCalendar, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(DateTime, MarkupDatesAndMalformedOnes) {
    CDateTimeUI field;
    const struct {
        const wchar_t* date;
        const char* value;
    } kCases[] = {
        {L"2024-02-29", "2024-2-29"}, {L"2023-02-29", "2024-2-29"}, {L"2024-13-01", "2024-2-29"},
        {L"abc", "2024-2-29"},        {L"", "2024-2-29"},           {L"2024-1-", "2024-2-29"},
        {L"99999-01-01", "2024-2-29"}, {L"2024-01-01x", "2024-2-29"}, {L"1700-01-01", "2024-2-29"},
        {L"-2024-01-01", "2024-2-29"}, {L"2031-12-31", "2031-12-31"},
    };
    for (const auto& c : kCases) {
        field.ApplyAttribute(L"date", c.date);
        EXPECT_EQ(Date(field.GetTime()), c.value) << layouttest::Narrow(c.date);
    }
    wchar_t shown[96] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &field.GetTime(), nullptr, shown, 96);
    EXPECT_EQ(std::wstring(field.GetText()), shown);
}

TEST(DateTime, CalendarPicksADayAndEscKeepsTheOldOne) {
    layouttest::CHost host;
    ASSERT_TRUE(host.Open(kMarkup, 200, 60, true));
    CNotes notes;
    host.pm.AddNotifier(&notes);
    auto* field = static_cast<CDateTimeUI*>(host.Find(L"d")->GetInterface(L"DateTime"));

    host.Click(L"d");
    ASSERT_TRUE(field->IsDropped());
    EXPECT_NE(Accessible::Describe(field).state & STATE_SYSTEM_EXPANDED, 0u);
    ASSERT_NE(field->GetCalendarWindow(), nullptr);
    ASSERT_TRUE(ClickDay(field->GetCalendarWindow(), 10));
    Pump();
    EXPECT_FALSE(field->IsDropped());
    EXPECT_EQ(Date(field->GetTime()), "2024-2-10");
    EXPECT_EQ(notes.changes, 1);

    host.Click(L"d");
    ASSERT_TRUE(field->IsDropped());
    SYSTEMTIME other = field->GetTime();
    other.wDay = 20;
    ::SendMessageW(field->GetCalendarWindow(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&other));
    ::SendMessageW(field->GetCalendarWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_FALSE(field->IsDropped());
    EXPECT_EQ(Date(field->GetTime()), "2024-2-10");
    EXPECT_EQ(notes.changes, 1);
    EXPECT_EQ(VisibleCalendars(), 0);

    const TUIAccessibleInfo info = Accessible::Describe(field);
    EXPECT_EQ(info.role, ROLE_SYSTEM_DROPLIST);
    EXPECT_EQ(info.value, field->GetText());
    EXPECT_NE(info.state & STATE_SYSTEM_COLLAPSED, 0u);
}

TEST(DateTime, DestroyedWhileItsCalendarIsOpen) {
    layouttest::CHost host;
    ASSERT_TRUE(host.Open(kMarkup, 200, 60, true));
    auto* field = static_cast<CDateTimeUI*>(host.Find(L"d")->GetInterface(L"DateTime"));
    host.Click(L"d");
    ASSERT_TRUE(field->IsDropped());
    HWND picker = field->GetPickerWindow();
    auto* parent = static_cast<IContainerUI*>(field->GetParent()->GetInterface(L"IContainer"));
    ASSERT_TRUE(parent->Remove(field));
    Pump();
    EXPECT_FALSE(::IsWindow(picker));
    EXPECT_EQ(VisibleCalendars(), 0);
}

}  // namespace
