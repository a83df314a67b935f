// Baseline for the marker "1" start-up: the least any launcher does. It is a
// GUI program of its own that starts the game given on its command line, from
// that game's directory, and ends. Between it and the real launcher lies what
// the launcher itself decides and sets up; what lies below it (a second
// process start) no launcher avoids.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    std::wstring game = commandLine;
    if (game.size() >= 2 && game.front() == L'"') game = game.substr(1, game.find(L'"', 1) - 1);
    const size_t slash = game.find_last_of(L'\\');
    const std::wstring dir = slash == std::wstring::npos ? std::wstring() : game.substr(0, slash);
    std::wstring command = L"\"" + game + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(),
                        &si, &pi))
        return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
