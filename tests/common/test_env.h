// Helpers for tests that run real processes, files and windows under Wine.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace testenv {

// The build tree (x86_64) as a Windows path, e.g. Z:\work\main\build\x86_64\ (trailing '\').
std::wstring BinaryDir();
// The source tree as a Windows path (trailing '\').
std::wstring SourceDir();
// A file of tests/fixtures' build output (qvx.exe, runtime.exe, runtime1.msi ...).
std::wstring FixtureFile(const wchar_t* name);
// The launcher exe of this build, or the one named by QVX_LAUNCHER_EXE.
std::wstring LauncherExe();
// A fresh empty directory under %TEMP% (trailing '\'); removed by the caller if wanted.
std::wstring MakeTempDir(const wchar_t* tag);
void RemoveTree(const std::wstring& dir);

bool FileExists(const std::wstring& path);
std::string ReadFile(const std::wstring& path);
bool WriteFile(const std::wstring& path, const std::string& bytes);
bool CopyInto(const std::wstring& from, const std::wstring& to);

// Runs a command line and waits (up to timeoutMs). Returns the exit code, or -1 when the
// process could not be created, or -2 on timeout (the process is then killed).
int RunAndWait(const std::wstring& commandLine, DWORD timeoutMs, const std::wstring& cwd = L"");
// Starts a process without waiting; returns its handle (caller closes) or null.
HANDLE Start(const std::wstring& commandLine, const std::wstring& cwd = L"");

// Polls `condition` every 20 ms until it holds or timeoutMs passes.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

// Windows of a class/title pair, top-level; null when absent.
HWND FindTopLevel(const wchar_t* cls, const wchar_t* title);
// Closes every top-level window of that class/title (WM_CLOSE) and waits for them to go.
void CloseAll(const wchar_t* cls, const wchar_t* title);

// Sets (or with an empty value removes) the prefix's reported Windows version.
void SetWineVersion(const std::wstring& version);

// The first disk's device path, the value the virtual-machine check reads (machine hive,
// 64-bit view): read, write, delete.
bool ReadFirstDisk(std::wstring& device);
bool WriteFirstDisk(const std::wstring& device);
void DeleteFirstDisk();

// Puts the first disk's value back as it was (or removes it, when there was none) when it
// goes, however the test ends: a VMware disk left behind would make every later launcher
// refuse the machine.
class FirstDiskKeeper {
public:
    FirstDiskKeeper() : m_had(ReadFirstDisk(m_saved)) {}
    ~FirstDiskKeeper() {
        if (m_had)
            WriteFirstDisk(m_saved);
        else
            DeleteFirstDisk();
    }
    FirstDiskKeeper(const FirstDiskKeeper&) = delete;
    FirstDiskKeeper& operator=(const FirstDiskKeeper&) = delete;

private:
    std::wstring m_saved;
    bool m_had;
};

}  // namespace testenv
