// CDateTimeUI: a field that shows a date (no time) in the user's short date format.
// A click, F4, Alt+Down or Space opens the drop-down calendar of the common controls'
// date-time picker over the field; the date chosen there becomes the value, and Esc
// closes it keeping the old one.
//
// Attributes: "date" ("YYYY-MM-DD"; anything else is ignored), besides the label's.
// Notification: "datetimechanged" when the calendar changed the value. While open,
// the picker is one of the window's native child windows.
#pragma once

#include <windows.h>

#include "ui/controls/label.h"
#include "ui/core/accessible_model.h"

namespace SkinUI {

class CDateTimeUI : public CLabelUI {
public:
    CDateTimeUI();
    ~CDateTimeUI() override;

    const wchar_t* GetClass() const override;          // "DateTimeUI"
    void* GetInterface(const wchar_t* name) override;  // "DateTime"
    UINT GetControlFlags() const override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    // The value: a date, with the time of day zero.
    const SYSTEMTIME& GetTime() const { return m_sysTime; }
    // False (and no change) for a date that does not exist.
    bool SetTime(const SYSTEMTIME& time);
    // Reads "YYYY-MM-DD"; false for anything else.
    static bool ParseDate(const wchar_t* text, SYSTEMTIME& out);

    bool IsDropped() const { return m_hPicker != nullptr && m_bDropped; }
    // Opens the calendar; false when the picker cannot be made.
    bool DropDown();
    // Closes it; `keep` takes the date shown there.
    void CloseUp(bool keep);
    // The picker while it is open (null otherwise).
    HWND GetPickerWindow() const { return m_hPicker; }
    HWND GetCalendarWindow() const { return m_hCalendar; }

    void DescribeAccessible(TUIAccessibleInfo& info) const;

private:
    static LRESULT CALLBACK PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CalendarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnPickerNotify(const NMHDR* header);
    void DestroyPicker();
    void UpdateText();

    SYSTEMTIME m_sysTime;
    HWND m_hPicker;
    HWND m_hCalendar;
    WNDPROC m_pPickerProc;
    WNDPROC m_pCalendarProc;
    bool m_bDropped;
    bool m_bCancelled;
};

}  // namespace SkinUI
