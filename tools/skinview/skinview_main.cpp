// skinview: builds one skin into a real window, lets it lay out and paint, and
// writes a picture of it and a dump of its control tree.
//   skinview --archive skin.zip --skin msg_fix_tips.xml --png out.png --dump-tree --dump-accessible
// Exit codes: 0 done, 2 bad command line, 3 unreadable input, 4 skin does not
// build, 5 window could not be created, 6 picture could not be written.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "client_capture.h"
#include "options.h"
#include "png_writer.h"
#include "preview_window.h"
#include "tree_dump.h"
#include "accessible_dump.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/controls/control.h"

namespace {

void WriteUtf8(FILE* stream, const std::wstring& text) {
    if (text.empty()) return;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stream);
    fflush(stream);
}

int Fail(int code, const std::wstring& message) {
    WriteUtf8(stderr, L"skinview: " + message + L"\n");
    return code;
}

// Under Wine a Unix path ("/home/...") is turned into its DOS form.
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

// Directory part with a trailing separator, and the file part.
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

bool ReadWholeFile(const std::wstring& path, std::vector<char>& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (256LL << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    ::CloseHandle(file);
    return ok;
}

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!SkinUI::CPaintManagerUI::TranslateUIMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (ms > 0) ::Sleep(10);
    } while (::GetTickCount() - start < ms);
}

int Run(const skinview::Options& options) {
    using SkinUI::CPaintManagerUI;
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));

    // Where the skin and its images come from.
    std::wstring skinName = options.skin;
    std::vector<char> archiveBytes;  // must outlive every read from the archive
    if (!options.archive.empty()) {
        const std::wstring archive = NativePath(options.archive);
        if (!ReadWholeFile(archive, archiveBytes)) return Fail(3, L"cannot read archive \"" + archive + L"\"");
        CPaintManagerUI::SetResourceArchive(archiveBytes.data(), static_cast<unsigned int>(archiveBytes.size()));
    } else {
        std::wstring dir;
        if (!options.dir.empty()) {
            dir = NativePath(options.dir);
            if (dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
        } else {
            SplitPath(NativePath(options.skin), dir, skinName);
        }
        CPaintManagerUI::SetResourcePath(dir.c_str());
    }

    // Build once without a window, so that a broken skin is reported here rather
    // than by the window's message box.
    {
        SkinUI::CSkinBuilder probe;
        SkinUI::CControlUI* root = probe.Create(skinName.c_str());
        if (root == nullptr) {
            std::wstring why = probe.GetLastErrorMessage() != nullptr ? probe.GetLastErrorMessage() : L"";
            const wchar_t* place = probe.GetLastErrorPlace();
            if (place != nullptr && place[0] != L'\0') why += std::wstring(L" near \"") + place + L"\"";
            if (why.empty()) why = L"no control was built";
            return Fail(4, L"skin \"" + skinName + L"\" does not build: " + why);
        }
        delete root;
    }

    int code = 0;
    {
        skinview::PreviewWindow window(skinName, options.width, options.height);
        // Set before the window exists, so that the skin is built at this scale.
        window.GetPaintManager().SetDpiScale(options.dpiPercent);
        if (window.CreateWnd(nullptr, L"skinview", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0,
                             300, 200) == nullptr) {
            return Fail(5, L"cannot create the window");
        }
        window.ShowWnd(true, false);
        ::UpdateWindow(window.GetHWND());
        PumpFor(50);
        ::UpdateWindow(window.GetHWND());

        SkinUI::CControlUI* root = window.GetPaintManager().GetRoot();
        if (options.dumpTree) WriteUtf8(stdout, skinview::DumpTree(root));
        if (options.dumpAccessible) WriteUtf8(stdout, skinview::DumpAccessibleTree(window.GetPaintManager()));
        if (!options.png.empty()) {
            skinview::Picture picture;
            const std::wstring png = NativePath(options.png);
            if (!skinview::CaptureClient(window.GetHWND(), picture) ||
                !skinview::WritePngFile(png, picture.rgba.data(), picture.width, picture.height)) {
                code = Fail(6, L"cannot write \"" + png + L"\"");
            }
        }
        if (options.waitMs > 0) PumpFor(static_cast<DWORD>(options.waitMs));
        ::DestroyWindow(window.GetHWND());
        PumpFor(0);
    }
    CPaintManagerUI::TermFramework();
    return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    skinview::Options options;
    std::wstring error;
    if (!skinview::ParseOptions(argc - 1, argv + 1, options, error)) {
        if (!error.empty()) WriteUtf8(stderr, L"skinview: " + error + L"\n");
        WriteUtf8(error.empty() ? stdout : stderr, skinview::UsageText());
        return error.empty() ? 0 : 2;
    }
    return Run(options);
}
