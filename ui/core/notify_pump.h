#pragma once
// CNotifyPump: routes notifications (TUINotify) to member functions through static
// notification maps. Each class's map chains to its base class's map; the lookup
// walks from the most derived map to CNotifyPump's own (empty) one.

#include <windows.h>

#include "ui/core/ui_events.h"
#include "ui/core/ui_string.h"
#include "ui/core/ui_string_map.h"

namespace SkinUI {

class CNotifyPump;

// Handler forms: 1 takes the notification's (wParam, lParam), 2 takes the record.
typedef void (CNotifyPump::*TNotifyHandlerArgs)(WPARAM, LPARAM);
typedef void (CNotifyPump::*TNotifyHandlerRecord)(TUINotify&);

enum {
    kNotifyCallEnd = 0,
    kNotifyCallArgs = 1,
    kNotifyCallRecord = 2,
};

struct TNotifyMapEntry {
    CUIString type;         // notification type, matched exactly (case-sensitive)
    CUIString controlName;  // sender name to match; empty matches any sender
    int callForm;           // kNotifyCallEnd ends the array
    TNotifyHandlerArgs onArgs;
    TNotifyHandlerRecord onRecord;
};

struct TNotifyMap {
    const TNotifyMap* base;          // the base class's map; null for CNotifyPump
    const TNotifyMapEntry* entries;  // ends with a kNotifyCallEnd entry
};

class CNotifyPump {
public:
    CNotifyPump();

    // Slot 0: the class's notification map.
    virtual const TNotifyMap* GetNotifyMap() const;

    // Named sub-pumps (virtual windows). The table does not own the pumps.
    bool AddVirtualWnd(const wchar_t* name, CNotifyPump* pump);
    bool RemoveVirtualWnd(const wchar_t* name);

    // Sub-pumps named like the notification's virtual window first, then this pump.
    // Returns true when a handler ran.
    bool DispatchNotify(TUINotify& msg);

protected:
    ~CNotifyPump() = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    static const TNotifyMap s_notifyMap;

private:
    bool DispatchOnThis(TUINotify& msg);

    static const TNotifyMapEntry s_notifyEntries[];
    CUIStringMap m_virtualWnds;
};

}  // namespace SkinUI

// Declares a class's notification map (inside the class body).
#define SKINUI_DECLARE_NOTIFY_MAP()                                  \
private:                                                             \
    static const ::SkinUI::TNotifyMapEntry s_notifyEntries[];        \
                                                                     \
protected:                                                           \
    static const ::SkinUI::TNotifyMap s_notifyMap;                   \
                                                                     \
public:                                                              \
    const ::SkinUI::TNotifyMap* GetNotifyMap() const override;

// Defines the map (at namespace scope, in the class's source file).
#define SKINUI_BEGIN_NOTIFY_MAP(theClass, baseClass)                                          \
    const ::SkinUI::TNotifyMap* theClass::GetNotifyMap() const { return &theClass::s_notifyMap; } \
    const ::SkinUI::TNotifyMap theClass::s_notifyMap = {&baseClass::s_notifyMap,              \
                                                        &theClass::s_notifyEntries[0]};       \
    const ::SkinUI::TNotifyMapEntry theClass::s_notifyEntries[] = {

// Any sender, handler takes the record.
#define SKINUI_NOTIFY_TYPE_HANDLER(type, theClass, fn)                           \
    {type, L"", ::SkinUI::kNotifyCallRecord, nullptr,                            \
     static_cast<::SkinUI::TNotifyHandlerRecord>(&theClass::fn)},

// One named sender, handler takes the record.
#define SKINUI_NOTIFY_NAME_HANDLER(type, name, theClass, fn)                     \
    {type, name, ::SkinUI::kNotifyCallRecord, nullptr,                           \
     static_cast<::SkinUI::TNotifyHandlerRecord>(&theClass::fn)},

// Any sender, handler takes (wParam, lParam).
#define SKINUI_NOTIFY_TYPE_HANDLER_ARGS(type, theClass, fn)                      \
    {type, L"", ::SkinUI::kNotifyCallArgs,                                       \
     static_cast<::SkinUI::TNotifyHandlerArgs>(&theClass::fn), nullptr},

// One named sender, handler takes (wParam, lParam).
#define SKINUI_NOTIFY_NAME_HANDLER_ARGS(type, name, theClass, fn)                \
    {type, name, ::SkinUI::kNotifyCallArgs,                                      \
     static_cast<::SkinUI::TNotifyHandlerArgs>(&theClass::fn), nullptr},

#define SKINUI_END_NOTIFY_MAP()                                                  \
    {L"", L"", ::SkinUI::kNotifyCallEnd, nullptr, nullptr}                       \
    }                                                                            \
    ;
