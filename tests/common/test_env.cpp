#include "tests/common/test_env.h"

#include <shellapi.h>

#include <vector>

namespace testenv {

namespace {

std::wstring Widen(const char* s) {
    std::wstring w;
    for (; *s; ++s) w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

}  // namespace

std::wstring HostDir(const char* hostPath) {
    // Compiled in as a host path; under Wine the host root is drive Z:.
    std::wstring dir = Widen(hostPath);
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    return dir;
}

std::wstring BinaryDir() { return HostDir(QVX_BINARY_DIR); }
std::wstring SourceDir() { return HostDir(QVX_SOURCE_DIR); }

std::wstring FixtureFile(const wchar_t* name) { return BinaryDir() + L"tests\\fixtures\\" + name; }

std::wstring LauncherExe() {
    // QVX_LAUNCHER_EXE (a host path) puts another build of the launcher under test, e.g. a signed release.
    wchar_t other[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"QVX_LAUNCHER_EXE", other, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::wstring path = other;
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        return path[0] == L'\\' ? L"Z:" + path : path;
    }
    return BinaryDir() + L"TavrelStart.exe";
}

std::wstring MakeTempDir(const wchar_t* tag) {
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    static int counter = 0;
    for (;;) {
        std::wstring dir = std::wstring(tmp) + L"qvxtest_" + tag + L"_" + std::to_wstring(GetCurrentProcessId()) +
                           L"_" + std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return dir;
    }
}

void RemoveTree(const std::wstring& dir) {
    std::wstring from = dir;
    while (!from.empty() && (from.back() == L'\\' || from.back() == L'/')) from.pop_back();
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

bool FileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

bool CopyInto(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

HANDLE Start(const std::wstring& commandLine, const std::wstring& cwd) {
    std::wstring cmd = commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.empty() ? nullptr : cwd.c_str(),
                        &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

int RunAndWait(const std::wstring& commandLine, DWORD timeoutMs, const std::wstring& cwd) {
    HANDLE process = Start(commandLine, cwd);
    if (!process) return -1;
    int result = -2;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        result = static_cast<int>(code);
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    return result;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

HWND FindTopLevel(const wchar_t* cls, const wchar_t* title) { return FindWindowW(cls, title); }

void CloseAll(const wchar_t* cls, const wchar_t* title) {
    for (int i = 0; i < 20; ++i) {
        HWND w = FindWindowW(cls, title);
        if (!w) return;
        PostMessageW(w, WM_CLOSE, 0, 0);
        WaitFor([&] { return !IsWindow(w); }, 3000);
    }
}

void SetWineVersion(const std::wstring& version) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (version.empty()) {
        RegDeleteValueW(key, L"Version");
    } else {
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

namespace {

const wchar_t kDiskEnumKey[] = L"SYSTEM\\ControlSet001\\Services\\Disk\\Enum";

// The disk enumeration key, or null; closed by the caller.
HKEY OpenDiskEnum(REGSAM access, bool create) {
    HKEY key = nullptr;
    const LONG rc = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, kDiskEnumKey, 0, nullptr, 0, access | KEY_WOW64_64KEY,
                                             nullptr, &key, nullptr)
                           : RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDiskEnumKey, 0, access | KEY_WOW64_64KEY, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

bool ReadFirstDisk(std::wstring& device) {
    HKEY key = OpenDiskEnum(KEY_READ, false);
    if (key == nullptr) return false;
    wchar_t buffer[512] = {};
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    const bool read =
        RegQueryValueExW(key, L"0", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) device = buffer;
    return read;
}

bool WriteFirstDisk(const std::wstring& device) {
    HKEY key = OpenDiskEnum(KEY_SET_VALUE, true);
    if (key == nullptr) return false;
    const bool written = RegSetValueExW(key, L"0", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                                        static_cast<DWORD>((device.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void DeleteFirstDisk() {
    HKEY key = OpenDiskEnum(KEY_SET_VALUE, false);
    if (key == nullptr) return;
    RegDeleteValueW(key, L"0");
    RegCloseKey(key);
}

}  // namespace testenv
