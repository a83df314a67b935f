#include "support/string_format.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <new>
#include <vector>

namespace {

const size_t kInitialSize = 2048;
const size_t kSizeBound = 0x9FFFFF;

int FormatInto(wchar_t* buffer, size_t size, const wchar_t* format, va_list args)
{
    return std::vswprintf(buffer, size, format, args);
}

int FormatInto(char* buffer, size_t size, const char* format, va_list args)
{
    return std::vsnprintf(buffer, size, format, args);
}

template <typename Char>
std::basic_string<Char> FormatList(const Char* format, va_list args)
{
    if (format == nullptr)
        return std::basic_string<Char>();
    size_t size = kInitialSize;
    while (size < kSizeBound) {
        std::vector<Char> buffer;
        try {
            buffer.assign(size, Char(0));
        } catch (const std::bad_alloc&) {
            return std::basic_string<Char>();
        }
        va_list copy;
        va_copy(copy, args);
        const int written = FormatInto(buffer.data(), size, format, copy);
        va_end(copy);
        if (written >= 0 && size_t(written) < size)
            return std::basic_string<Char>(buffer.data(), size_t(written));
        size *= 2;
        Sleep(1);
    }
    return std::basic_string<Char>();
}

} // namespace

std::wstring FormatString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatList(format, args);
    va_end(args);
    return text;
}

std::string FormatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatList(format, args);
    va_end(args);
    return text;
}
