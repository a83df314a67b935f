#include "ui/core/notify_pump.h"

#include "ui/controls/control.h"

namespace SkinUI {

const TNotifyMap CNotifyPump::s_notifyMap = {nullptr, &CNotifyPump::s_notifyEntries[0]};
const TNotifyMapEntry CNotifyPump::s_notifyEntries[] = {
    {L"", L"", kNotifyCallEnd, nullptr, nullptr},
};

CNotifyPump::CNotifyPump() : m_virtualWnds(83) {}

const TNotifyMap* CNotifyPump::GetNotifyMap() const { return &s_notifyMap; }

bool CNotifyPump::AddVirtualWnd(const wchar_t* name, CNotifyPump* pump) {
    if (name == nullptr || name[0] == L'\0' || pump == nullptr) return false;
    return m_virtualWnds.Insert(name, pump);
}

bool CNotifyPump::RemoveVirtualWnd(const wchar_t* name) {
    if (name == nullptr) return false;
    return m_virtualWnds.Remove(name);
}

bool CNotifyPump::DispatchNotify(TUINotify& msg) {
    if (!msg.sVirtualWnd.IsEmpty()) {
        for (int i = 0; i < m_virtualWnds.GetSize(); ++i) {
            const wchar_t* key = m_virtualWnds.GetAt(i);
            if (key == nullptr || msg.sVirtualWnd.CompareNoCase(key) != 0) continue;
            auto* pump = static_cast<CNotifyPump*>(m_virtualWnds.Find(key, false));
            if (pump != nullptr && pump->DispatchOnThis(msg)) return true;
        }
    }
    return DispatchOnThis(msg);
}

bool CNotifyPump::DispatchOnThis(TUINotify& msg) {
    const CUIString senderName = msg.pSender != nullptr ? msg.pSender->GetName() : CUIString();
    for (const TNotifyMap* map = GetNotifyMap(); map != nullptr; map = map->base) {
        const TNotifyMapEntry* chosen = nullptr;
        for (const TNotifyMapEntry* e = map->entries; e->callForm != kNotifyCallEnd; ++e) {
            if (e->type != msg.sType) continue;
            if (e->controlName.IsEmpty()) {
                chosen = e;  // the last any-sender entry wins unless a named one matches
            } else if (e->controlName == senderName) {
                chosen = e;
                break;
            }
        }
        if (chosen == nullptr) continue;
        switch (chosen->callForm) {
        case kNotifyCallArgs:
            (this->*chosen->onArgs)(msg.wParam, msg.lParam);
            return true;
        case kNotifyCallRecord:
            (this->*chosen->onRecord)(msg);
            return true;
        default:
            return false;
        }
    }
    return false;
}

}  // namespace SkinUI
