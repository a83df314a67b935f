#include "settings.h"

#include <windows.h>

namespace {
const wchar_t kSection[] = L"settings";
}

Settings Settings::Load(const std::wstring& file) {
    Settings s;
    wchar_t name[64] = L"";
    ::GetPrivateProfileStringW(kSection, L"nickname", L"", name, 64, file.c_str());
    s.nickname = name;
    s.autoUpdate = ::GetPrivateProfileIntW(kSection, L"autoupdate", 0, file.c_str()) != 0;
    s.volume = static_cast<int>(::GetPrivateProfileIntW(kSection, L"volume", 40, file.c_str()));
    return s;
}

bool Settings::Save(const std::wstring& file) const {
    const std::wstring volumeText = std::to_wstring(volume);
    return ::WritePrivateProfileStringW(kSection, L"nickname", nickname.c_str(), file.c_str()) &&
           ::WritePrivateProfileStringW(kSection, L"autoupdate", autoUpdate ? L"1" : L"0", file.c_str()) &&
           ::WritePrivateProfileStringW(kSection, L"volume", volumeText.c_str(), file.c_str());
}
