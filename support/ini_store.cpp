#include "support/ini_store.h"

#include "support/portable/config_cipher.h"
#include "support/portable/log_core.h"
#include "support/string_format.h"
#include "support/win/code_page.h"

namespace {

std::wstring LookUp(const std::string& section, const std::wstring& key)
{
    const std::string value =
        CIniStore::GetInstance()->GetValue(section, WideToCodePage(key, kCodePageGbk));
    return CodePageToWide(value, kCodePageGbk);
}

} // namespace

bool CIniStore::LoadFromResource(HMODULE module, const char* passPhrase, int resourceId)
{
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (info == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr)
        return false;
    return LoadFromData(LockResource(loaded), SizeofResource(module, info), passPhrase);
}

bool CIniStore::LoadFromData(const void* data, size_t size, const char* passPhrase)
{
    // Either one alone is enough to make the data unusable; the store stays as it was.
    if (data == nullptr || size == 0)
        return false;
    const std::string utf8 = qvx::DecipherConfigText(static_cast<const std::uint8_t*>(data), size,
                                                     passPhrase != nullptr ? passPhrase : "");
    std::string text;
    if (!utf8.empty())
        text = WideToCodePage(CodePageToWide(utf8, CP_UTF8), kCodePageGbk);
    Parse(text);
    return !m_sections.empty();
}

void CIniStore::Parse(const std::string& text)
{
    m_diagnostics.clear();
    qvx::ParseIni(text, m_syntax, m_sections, m_diagnostics);
    for (const std::string& diagnostic : m_diagnostics)
        QVX_LOG(Debug, diagnostic);
}

std::string CIniStore::GetValue(const std::string& section, const std::string& key) const
{
    const auto found = m_sections.find(section);
    if (found == m_sections.end())
        return std::string();
    const auto value = found->second.find(key);
    return value == found->second.end() ? std::string() : value->second;
}

std::wstring GetSoftValue(const std::wstring& key)
{
    return LookUp(FormatString("%c%c%c%c", 'S', 'o', 'f', 't'), key);
}

std::wstring GetSoftParamValue(const std::wstring& key)
{
    return LookUp(FormatString("%c%c%c%c%c%c%c%c%c", 'S', 'o', 'f', 't', 'P', 'a', 'r', 'a', 'm'), key);
}
