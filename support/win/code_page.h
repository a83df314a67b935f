// Conversions between UTF-16 and narrow code pages (936 for the configuration store,
// 65001 for UTF-8). Flags are 0; a failed conversion yields the empty string.
#pragma once
#include <windows.h>

#include <string>

std::wstring CodePageToWide(const std::string& text, UINT codePage);
std::string WideToCodePage(const std::wstring& text, UINT codePage);

const UINT kCodePageGbk = 936;
