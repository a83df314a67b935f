// Persistence in the desktop user's registry hive:
// HKEY_USERS\<desktop user SID>\SoftWare\key1\key2, REG_SZ values, 64-bit registry view.
#pragma once

#include <string>

#include "support/serialize.h"

class CRegeditSerialize : public ISerialize {
public:
    CRegeditSerialize() = default;
    ~CRegeditSerialize() override = default;

    bool Write(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName, const wchar_t* data) override;
    std::wstring Read(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName,
                      const wchar_t* fallback) override;
    bool Delete(const wchar_t* key1, const wchar_t* key2, const wchar_t* key3) override;

    // The SID looked up so far (empty until the first successful lookup).
    const std::wstring& GetSid() const { return m_sid; }

private:
    void EnsureSid();

    std::wstring m_sid;
};
