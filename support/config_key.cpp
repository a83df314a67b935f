#include "support/config_key.h"

#include "support/ini_store.h"
#include "support/regedit_serialize.h"

namespace {

std::wstring FillSlot(std::wstring& slot, const std::wstring& configured, const wchar_t* fallback)
{
    if (slot.empty())
        slot = configured.empty() ? std::wstring(fallback) : configured;
    return slot;
}

} // namespace

std::wstring CConfigKey::GetSoftNameEn()
{
    if (!m_slots[kSlotSoftNameEn].empty())
        return m_slots[kSlotSoftNameEn];
    return FillSlot(m_slots[kSlotSoftNameEn], GetSoftValue(L"SOFT_NAME_EN"), L"softapp");
}

std::wstring CConfigKey::GetKeyMainName()
{
    if (!m_slots[kSlotKeyMainName].empty())
        return m_slots[kSlotKeyMainName];
    return FillSlot(m_slots[kSlotKeyMainName], GetSoftParamValue(L"KEY_MAIN_NAME"), L"MainSoft");
}

CConfig::CConfig() { CConfig::GetSerialize(); }

CConfig::~CConfig()
{
    delete m_serialize;
    m_serialize = nullptr;
}

ISerialize* CConfig::GetSerialize()
{
    if (m_serialize == nullptr) {
        m_serialize = new CRegeditSerialize();
        m_softNameEn = GetSoftNameEn();
        m_keyMainName = GetKeyMainName();
    }
    return m_serialize;
}
