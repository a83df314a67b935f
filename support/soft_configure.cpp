#include "support/soft_configure.h"

#include "support/ini_store.h"

CSoftConfigureImpl::~CSoftConfigureImpl()
{
    delete m_serialize;
    m_serialize = nullptr;
}

std::wstring CSoftConfigureImpl::ReadValue(std::wstring key1, std::wstring key2, std::wstring valueName,
                                           std::wstring fallback)
{
    return GetSerialize()->Read(key1.c_str(), key2.c_str(), valueName.c_str(), fallback.c_str());
}

void CSoftConfigureImpl::WriteValue(std::wstring key1, std::wstring key2, std::wstring valueName, std::wstring data)
{
    GetSerialize()->Write(key1.c_str(), key2.c_str(), valueName.c_str(), data.c_str());
}

std::wstring CSoftConfigureImpl::GetInstallPath()
{
    const std::wstring valueName = GetSoftParamValue(L"SAVE_KEY_Install_Path");
    std::wstring path = ReadValue(GetSoftNameEn(), GetKeyMainName(), valueName, L"");
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    return path;
}
