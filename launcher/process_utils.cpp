#include "launcher/process_utils.h"

#include <tlhelp32.h>

#include "support/win/scoped_handle.h"
#include "support/win/system_library.h"

std::wstring BuildCommandLine(const std::wstring& exe, const wchar_t* params) {
    // The path is always quoted: unquoted, a path with spaces lets CreateProcess try
    // "C:\Program.exe" and similar prefixes first.
    std::wstring cmd = L"\"" + exe + L"\"";
    if (params && *params) {
        cmd += L' ';
        cmd += params;
    }
    return cmd;
}

bool LaunchProcess(const std::wstring& exe, const wchar_t* params, bool wait, int timeoutMs) {
    std::wstring cmd = BuildCommandLine(exe, params);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ScopedHandle process(pi.hProcess);
    ScopedHandle thread(pi.hThread);
    if (wait)
        WaitForSingleObject(process.get(), timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : INFINITE);
    return true;
}

std::wstring FoldAsciiLower(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

bool IsProcessRunning(const std::wstring& imageName) {
    const std::wstring wanted = FoldAsciiLower(imageName);
    ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snap.valid()) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snap.get(), &entry); ok; ok = Process32NextW(snap.get(), &entry)) {
        if (FoldAsciiLower(entry.szExeFile) == wanted) return true;
    }
    return false;
}

bool GetNtVersionNumbers(DWORD& major, DWORD& minor, DWORD& build) {
    ScopedLibrary ntdll(LoadSystemLibrary(L"ntdll.dll"));
    if (!ntdll.get()) return false;
    using RtlGetNtVersionNumbersFn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
    auto fn = reinterpret_cast<RtlGetNtVersionNumbersFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll.get(), "RtlGetNtVersionNumbers")));
    if (!fn) return false;
    fn(&major, &minor, &build);
    build &= 0xFFFF;  // the upper bits carry flags
    return true;
}

int ClassifyOsVersion(const OsVersionInfo& v) {
    if (v.major == 5) {
        if (v.minor == 0) return 0;
        return v.minor == 1 ? 1 : 2;
    }
    if (v.major == 6) {
        if (v.productType != VER_NT_WORKSTATION) return 4;
        if (v.minor == 0) return 3;
        if (v.minor == 1) return 5;
        return 7;
    }
    if (v.major == 10) return v.build < 22000 ? 8 : 9;
    return v.major > 10 ? 10 : 0;
}

int GetOsVersionCode() {
    OSVERSIONINFOEXW ver{};
    ver.dwOSVersionInfoSize = sizeof(ver);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&ver));
#pragma GCC diagnostic pop
    OsVersionInfo info{ver.dwMajorVersion, ver.dwMinorVersion, ver.dwBuildNumber, ver.wProductType};
    DWORD major = 0, minor = 0, build = 0;
    if (GetNtVersionNumbers(major, minor, build)) {
        info.major = major;
        info.minor = minor;
        info.build = build;
    }
    return ClassifyOsVersion(info);
}
