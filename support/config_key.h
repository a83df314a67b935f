// Configured names and the serializer that stores values under them.
#pragma once

#include <string>

#include "support/serialize.h"

// Caches configured names, one slot per name; a slot keeps its value once its getter ran.
class CConfigKey {
public:
    // Section "Soft" key "SOFT_NAME_EN", default "softapp": first registry key level.
    std::wstring GetSoftNameEn();
    // Section "SoftParam" key "KEY_MAIN_NAME", default "MainSoft": second registry key level.
    std::wstring GetKeyMainName();

protected:
    enum { kSlotSoftNameEn = 0, kSlotKeyMainName = 3, kSlotCount = 8 };
    std::wstring m_slots[kSlotCount];
};

class CConfig : public CConfigKey {
public:
    CConfig();
    virtual ~CConfig();
    CConfig(const CConfig&) = delete;
    CConfig& operator=(const CConfig&) = delete;

    // The owned serializer, created on the first call (the constructor makes that call), which
    // also fixes the two names below.
    virtual ISerialize* GetSerialize();

protected:
    ISerialize* m_serialize = nullptr;
    std::wstring m_softNameEn;
    std::wstring m_keyMainName;
};
