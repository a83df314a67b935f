#include "support/win/code_page.h"

std::wstring CodePageToWide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0], length) != length)
        return std::wstring();
    return wide;
}

std::string WideToCodePage(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string narrow(size_t(length), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), &narrow[0], length, nullptr, nullptr) !=
        length)
        return std::string();
    return narrow;
}
