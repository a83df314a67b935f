#include "skinview_io.h"

#include <windows.h>

namespace skinview {

void WriteUtf8(FILE* stream, const std::wstring& text) {
    if (text.empty()) return;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stream);
    fflush(stream);
}

std::wstring NativePath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    typedef wchar_t*(CDECL * ToDos)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos == nullptr) return path;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, &narrow[0], n, nullptr, nullptr);
    wchar_t* dos = toDos(narrow.c_str());
    if (dos == nullptr) return path;
    std::wstring result(dos);
    ::HeapFree(::GetProcessHeap(), 0, dos);
    return result;
}

std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    bool blank = false;
    for (wchar_t c : text) {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += L' ';
        blank = false;
        out += c;
    }
    return out;
}

void SplitPath(const std::wstring& path, std::wstring& dir, std::wstring& name) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        dir.clear();
        name = path;
    } else {
        dir = path.substr(0, slash + 1);
        name = path.substr(slash + 1);
    }
}

}  // namespace skinview
