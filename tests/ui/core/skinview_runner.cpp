#include "tests/ui/core/skinview_runner.h"

#include "tests/common/test_env.h"

namespace skinview_test {

std::wstring SkinView() { return testenv::BinaryDir() + L"tools\\skinview\\skinview.exe"; }
std::wstring SkinArchive() { return testenv::BinaryDir() + L"resources\\skin.zip"; }
std::wstring SourceSkinDir() { return testenv::SourceDir() + L"resources\\skin\\"; }
std::wstring GoldenPicture(const wchar_t* name) { return testenv::SourceDir() + L"tests\\golden\\" + name; }

std::wstring DirArg(std::wstring dir) {
    while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    return L"\"" + dir + L"\"";
}

std::wstring CopyOfSkins(const wchar_t* tag) {
    const std::wstring dir = testenv::MakeTempDir(tag);
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((SourceSkinDir() + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return dir;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::CopyFileW((SourceSkinDir() + found.cFileName).c_str(), (dir + found.cFileName).c_str(), FALSE);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return dir;
}

int RunSkinView(const std::wstring& args, std::string* out) {
    const std::wstring dir = testenv::MakeTempDir(L"skinview");
    const std::wstring outFile = dir + L"stdout.txt";
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE file = ::CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = file;
    si.hStdError = file;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = L"\"" + SkinView() + L"\" " + args;
    int code = -1;
    if (::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            ::GetExitCodeProcess(pi.hProcess, &exitCode);
            code = static_cast<int>(exitCode);
        } else {
            ::TerminateProcess(pi.hProcess, 99);
            code = -2;
        }
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::CloseHandle(file);
    if (out != nullptr) *out = testenv::ReadFile(outFile);
    testenv::RemoveTree(dir);
    return code;
}

bool HasLine(const std::string& text, const std::string& line) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string l = text.substr(at, end - at);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        const size_t first = l.find_first_not_of(' ');
        if (first != std::string::npos && l.substr(first) == line) return true;
        at = end + 1;
    }
    return false;
}

bool EditFile(const std::wstring& path, const std::string& from, const std::string& to) {
    std::string text = testenv::ReadFile(path);
    const size_t at = text.find(from);
    if (at == std::string::npos) return false;
    text.replace(at, from.size(), to);
    return testenv::WriteFile(path, text);
}

}  // namespace skinview_test
