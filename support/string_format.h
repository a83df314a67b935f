// Printf-style formatting into a string. The buffer starts at 2048 characters and doubles
// (after a 1 ms pause) while the text does not fit; past 0x9FFFFF characters, or when memory
// runs out, the result is the empty string.
#pragma once

#include <string>

std::wstring FormatString(const wchar_t* format, ...);
std::string FormatString(const char* format, ...);
